createNode transform -n "box";
createNode mesh -n "boxShape" -p "box";
createNode polyCube -n "polyCube1";
	setAttr ".ax" -type "double3" 1 0 0 ;
	setAttr ".h" 2;
connectAttr "polyCube1.out" "boxShape.i";
