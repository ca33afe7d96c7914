createNode transform -n "t";
createNode animCurveTL -n "t_ty";
	setAttr ".tan" 2;
	setAttr -s 2 ".ktv[0:1]" 0 0 24 12;
connectAttr "t_ty.o" "t.ty";
createNode mesh -n "m" -p "t";
	setAttr ".fc[0]" -type "polyFaces" f 3 0 1 2;
createNode nurbsCurve -n "c" -p "t";
