createNode transform -n "box";
createNode mesh -n "boxShape" -p "box";

	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 14 ".uvst[0].uvsp[0:13]" -type "float2" 0.375 0 0.625 0 0.375 0.25
		0.625 0.25 0.375 0.5 0.625 0.5 0.375 0.75 0.625 0.75 0.375 1 0.625 1 0.875 0
		0.875 0.25 0.125 0 0.125 0.25;
	setAttr ".cuvs" -type "string" "map1";
	setAttr -s 8 ".vt[0:7]"  -0.5 -0.5 0.5 0.5 -0.5 0.5 -0.5 0.5 0.5 0.5 0.5 0.5
		-0.5 0.5 -0.5 0.5 0.5 -0.5 -0.5 -0.5 -0.5 0.5 -0.5 -0.5;
	setAttr -s 12 ".ed[0:11]"  0 1 0 2 3 0 4 5 0 6 7 0 0 2 0 1 3 0 2 4 0 3 5 0
		4 6 0 5 7 0 6 0 0 7 1 0;
	setAttr -s 6 -ch 24 ".fc[0:5]" -type "polyFaces"
		f 4 0 5 -2 -5
		mu 0 4 0 1 3 2
		f 4 1 7 -3 -7
		mu 0 4 2 3 5 4
		f 4 2 9 -4 -9
		mu 0 4 4 5 7 6
		f 4 3 11 -1 -11
		mu 0 4 6 7 9 8
		f 4 -12 -10 -8 -6
		mu 0 4 1 10 11 3
		f 4 10 4 6 8
		mu 0 4 12 0 2 13;
createNode polyBlindData -n "polyBlindData1";
	addAttr -ci true -m -sn "fbd" -ln "faceBlindData" -at "compound" -nc 4;
	addAttr -ci true -sn "surf" -ln "surface" -at "long" -p "faceBlindData";
	addAttr -ci true -sn "fric" -ln "friction" -at "double" -p "faceBlindData";
	addAttr -ci true -sn "wet" -ln "wet" -at "bool" -p "faceBlindData";
	addAttr -ci true -sn "tag" -ln "tag" -dt "string" -p "faceBlindData";
	setAttr ".tid" 1000;
	setAttr ".fbd[2].surf" 7;
	setAttr ".fbd[2].fric" 0.25;
	setAttr ".fbd[2].wet" yes;
	setAttr ".fbd[2].tag" -type "string" "mud";
	setAttr ".fbd[4].surf" -3;
createNode polyBlindData -n "polyBlindData2";
	addAttr -ci true -m -sn "vbd" -ln "vertexBlindData" -at "compound" -nc 1;
	addAttr -ci true -sn "wt" -ln "weight" -at "double" -p "vertexBlindData";
	setAttr ".tid" 2000;
	setAttr ".vbd[6].wt" 0.5;
connectAttr "polyBlindData1.msg" "boxShape.bn" -na;
connectAttr "polyBlindData2.msg" "boxShape.bn" -na;
