createNode transform -n "p";
createNode mesh -n "pShape" -p "p";
createNode polyCylinder -n "c";
	setAttr ".sc" 1;
	setAttr ".ax" -type "double3" 0 0 1 ;
createNode skinCluster -n "skin";
connectAttr "c.out" "skin.ip[0].ig";
connectAttr "skin.og[0]" "pShape.i";
