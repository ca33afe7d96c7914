createNode transform -n "box";
createNode mesh -n "boxShape" -p "box";
	setAttr -s 4 ".vt[0:3]" 0 0 0 1 0 0 0 1 0 1 1 0;
	setAttr -s 5 ".ed[0:4]" 0 1 0 1 3 0 3 2 0 2 0 0 1 2 1;
	setAttr -s 2 ".fc[0:1]" -type "polyFaces" f 3 0 4 3 mu 0 3 0 1 2 f 3 1 2 -5 mu 0 3 1 3 2;
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 4 ".uvst[0].uvsp[0:3]" -type "float2" 0 0 1 0 0 1 1 1;
	setAttr ".iog[0].og[0].gcl" -type "componentList" 1 "f[0:1]";
connectAttr "boxShape.iog" ":initialShadingGroup.dsm" -na;
