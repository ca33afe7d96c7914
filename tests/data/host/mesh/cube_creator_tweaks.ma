createNode transform -n "box";
createNode mesh -n "boxShape" -p "box";
	setAttr -s 2 ".pt[2:3]" -type "float3" 0 1 0 0 1 0;
createNode polyCube -n "polyCube1";
	setAttr ".w" 2;
	setAttr ".h" 4;
	setAttr ".d" 6;
connectAttr "polyCube1.out" "boxShape.i";
