createNode transform -n "box";
createNode mesh -n "boxShape" -p "box";
	setAttr ".iog[0].og[0].gcl" -type "componentList" 1 "f[0:1]";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 4 ".uvst[0].uvsp[0:3]" -type "float2" 0 0 1 0 1 1 0 1;
	setAttr ".clst[0].clsn" -type "string" "colorSet1";
	setAttr -s 2 ".clst[0].clsp[0:1]" 1 0 0 1 0 1 0 1;
	setAttr -s 5 ".vt[0:4]" 0 0 0 1 0 0 1 1 0 0 1 0 0.5 0.5 1;
	setAttr -s 8 ".ed[0:7]" 0 1 0 1 2 1 2 3 0 3 0 1 0 4 1 1 4 1 2 4 1 3 4 1;
	setAttr -s 2 ".fc[0:1]" -type "polyFaces"
		f 4 0 1 2 3
		mu 0 4 0 1 2 3
		mc 0 4 0 1 0 1
		f 3 0 5 -5
		mu 0 3 0 1 2;
	setAttr -s 2 ".pt[0:1]" -type "float3" 0 0 1 0 0 1;
createNode shadingEngine -n "sg";
createNode polyBlindData -n "bd";
	addAttr -ci true -m -sn "fbd" -ln "faceBlindData" -at "compound" -nc 1;
	addAttr -ci true -sn "k" -ln "kind" -at "long" -p "faceBlindData";
	setAttr ".fbd[1].k" 3;
connectAttr "boxShape.iog.og[0]" "sg.dsm" -na;
connectAttr "bd.msg" "boxShape.bn" -na;
