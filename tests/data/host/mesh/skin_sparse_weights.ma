createNode joint -n "hip";
createNode joint -n "knee" -p "hip";
	setAttr ".t" -type "double3" 0 1 0 ;
createNode transform -n "leg";
createNode mesh -n "legShape" -p "leg";
createNode mesh -n "legShapeOrig" -p "leg";
	setAttr -k off ".v";
	setAttr ".io" yes;
createNode polyCylinder -n "polyCylinder1";
	setAttr ".sa" 4;
	setAttr ".sh" 1;
createNode skinCluster -n "skinCluster1";
	setAttr -s 8 ".wl";
	setAttr ".wl[0:7].w"
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		2 0 0.25 1 0.75
		1 0 0.9
		2 0 0.5 1 0.5
		2 0 0.5 1 0.5;
createNode tweak -n "tweak1";
createNode groupParts -n "skinCluster1GroupParts";
connectAttr "polyCylinder1.out" "legShapeOrig.i";
connectAttr "legShapeOrig.w" "tweak1.ip[0].ig";
connectAttr "tweak1.og[0]" "skinCluster1GroupParts.ig";
connectAttr "skinCluster1GroupParts.og" "skinCluster1.ip[0].ig";
connectAttr "skinCluster1.og[0]" "legShape.i";
connectAttr "hip.wm" "skinCluster1.ma[0]";
connectAttr "knee.wm" "skinCluster1.ma[1]";
createNode transform -n "tri";
createNode mesh -n "triShape" -p "tri";
	setAttr -s 3 ".vt[0:2]" 0 0 0 1 0 0 0 1 0;
	setAttr -s 3 ".ed[0:2]" 0 1 0 1 2 0 2 0 0;
	setAttr ".fc[0]" -type "polyFaces" f 3 0 1 2;
