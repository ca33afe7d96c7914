//Maya ASCII 2014 scene
//Name: tagged.ma
requires maya "2014";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya 2014";
fileInfo "version" "2014";
createNode transform -n "floor";
createNode mesh -n "floorShape" -p "floor";
	setAttr -k off ".v";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr ".cuvs" -type "string" "map1";
	setAttr ".dcol" yes;
	setAttr ".ccls" -type "string" "colorSet1";
	setAttr ".clst[0].clsn" -type "string" "colorSet1";
	setAttr -s 8 ".clst[0].clsp[0:7]"  1 0 0 1 0 1 0 1 0 0 1 1 1 1 1 1 0 1 0 1 0.5 0.5 0.5 1
		 0.25 0.25 0.25 1 0 0 1 0.5;
	setAttr -s 6 ".vt[0:5]"  0 0 0 1 0 0 2 0 0 0 0 1 1 0 1 2 0 1;
	setAttr -s 7 ".ed[0:6]"  0 1 1 1 2 1 3 4 1 4 5 1 0 3 1 1 4 1 2 5 1;
	setAttr -s 2 ".fc[0:1]" -type "polyFaces" 
		f 4 0 5 -3 -5 
		mc 0 4 0 1 2 3 
		f 4 1 6 -4 -6 
		mc 0 4 4 5 6 7 ;
createNode polyBlindData -n "polyBlindData1";
	addAttr -ci true -m -sn "fbd" -ln "faceBlindData" -at "compound" -nc 2;
	addAttr -ci true -sn "surf" -ln "surface" -at "long" -p "faceBlindData";
	addAttr -ci true -sn "fric" -ln "friction" -at "double" -p "faceBlindData";
	setAttr ".tid" 1000;
	setAttr ".fbd[1].surf" 7;
	setAttr ".fbd[1].fric" 0.25;
createNode polyBlindData -n "polyBlindData2";
	addAttr -ci true -m -sn "fbd" -ln "faceBlindData" -at "compound" -nc 1;
	addAttr -ci true -sn "lbl" -ln "label" -dt "string" -p "faceBlindData";
	setAttr ".tid" 1001;
	setAttr ".fbd[0].lbl" -type "string" "mud";
	setAttr ".fbd[1].lbl" -type "string" "stone";
createNode polyBlindData -n "polyBlindData3";
	addAttr -ci true -m -sn "vbd" -ln "vertexBlindData" -at "compound" -nc 1;
	addAttr -ci true -sn "wt" -ln "weight" -at "double" -p "vertexBlindData";
	setAttr ".tid" 2000;
	setAttr ".vbd[4].wt" 0.5;
connectAttr "polyBlindData1.msg" "floorShape.bn" -na;
connectAttr "polyBlindData2.msg" "floorShape.bn" -na;
connectAttr "polyBlindData3.msg" "floorShape.bn" -na;
// End of tagged.ma
