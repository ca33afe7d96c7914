//Maya ASCII 4.5 scene
//Name: instances.ma
requires maya "4.5";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya Unlimited 4.5";
fileInfo "version" "4.5";
createNode transform -n "crateA";
createNode mesh -n "crateShape" -p "crateA";
	setAttr -k off ".v";
	setAttr -s 2 ".iog";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 14 ".uvst[0].uvsp[0:13]" -type "float2" 0.375 0 0.625 0 0.375 0.25
		 0.625 0.25 0.375 0.5 0.625 0.5 0.375 0.75 0.625 0.75 0.375 1 0.625 1 0.875 0
		 0.875 0.25 0.125 0 0.125 0.25;
	setAttr ".cuvs" -type "string" "map1";
	setAttr -s 8 ".vt[0:7]"  -0.5 -0.5 0.5 0.5 -0.5 0.5 -0.5 0.5 0.5 0.5 0.5 0.5
		 -0.5 0.5 -0.5 0.5 0.5 -0.5 -0.5 -0.5 -0.5 0.5 -0.5 -0.5;
	setAttr -s 12 ".ed[0:11]"  0 1 1 2 3 1 4 5 1 6 7 1 0 2 1 1 3 1 2 4 1 3 5 1
		 4 6 1 5 7 1 6 0 1 7 1 1;
	setAttr -s 6 ".fc[0:5]" -type "polyFaces" 
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
		mu 0 4 12 0 2 13 ;
createNode transform -n "crateB";
	setAttr ".t" -type "double3" 2 0 0 ;
parent -s -nc -r -add "|crateA|crateShape" "crateB";
createNode transform -n "barrelA";
	setAttr ".t" -type "double3" 0 0 2 ;
createNode mesh -n "barrelShape" -p "barrelA";
	setAttr -k off ".v";
	setAttr -s 2 ".iog";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 14 ".uvst[0].uvsp[0:13]" -type "float2" 0.375 0 0.625 0 0.375 0.25
		 0.625 0.25 0.375 0.5 0.625 0.5 0.375 0.75 0.625 0.75 0.375 1 0.625 1 0.875 0
		 0.875 0.25 0.125 0 0.125 0.25;
	setAttr ".cuvs" -type "string" "map1";
	setAttr -s 8 ".vt[0:7]"  -0.5 -0.5 0.5 0.5 -0.5 0.5 -0.5 0.5 0.5 0.5 0.5 0.5
		 -0.5 0.5 -0.5 0.5 0.5 -0.5 -0.5 -0.5 -0.5 0.5 -0.5 -0.5;
	setAttr -s 12 ".ed[0:11]"  0 1 1 2 3 1 4 5 1 6 7 1 0 2 1 1 3 1 2 4 1 3 5 1
		 4 6 1 5 7 1 6 0 1 7 1 1;
	setAttr -s 6 ".fc[0:5]" -type "polyFaces" 
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
		mu 0 4 12 0 2 13 ;
createNode transform -n "barrelB";
	setAttr ".t" -type "double3" 2 0 2 ;
parent -s -nc -r -add "|barrelA|barrelShape" "barrelB";
createNode transform -n "part";
	setAttr ".t" -type "double3" 4 0 0 ;
createNode mesh -n "partShape" -p "part";
	setAttr -k off ".v";
	setAttr ".iog[0].og[0].gcl" -type "componentList" 1 "f[0:3]";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 14 ".uvst[0].uvsp[0:13]" -type "float2" 0.375 0 0.625 0 0.375 0.25
		 0.625 0.25 0.375 0.5 0.625 0.5 0.375 0.75 0.625 0.75 0.375 1 0.625 1 0.875 0
		 0.875 0.25 0.125 0 0.125 0.25;
	setAttr ".cuvs" -type "string" "map1";
	setAttr -s 8 ".vt[0:7]"  -0.5 -0.5 0.5 0.5 -0.5 0.5 -0.5 0.5 0.5 0.5 0.5 0.5
		 -0.5 0.5 -0.5 0.5 0.5 -0.5 -0.5 -0.5 -0.5 0.5 -0.5 -0.5;
	setAttr -s 12 ".ed[0:11]"  0 1 1 2 3 1 4 5 1 6 7 1 0 2 1 1 3 1 2 4 1 3 5 1
		 4 6 1 5 7 1 6 0 1 7 1 1;
	setAttr -s 6 ".fc[0:5]" -type "polyFaces" 
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
		mu 0 4 12 0 2 13 ;
createNode transform -n "sliver";
	setAttr ".t" -type "double3" 6 0 0 ;
createNode mesh -n "sliverShape" -p "sliver";
	setAttr -k off ".v";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr ".cuvs" -type "string" "map1";
	setAttr -s 4 ".vt[0:3]"  0 0 0 1 0 0 0 1 0 0 0 1;
	setAttr -s 5 ".ed[0:4]"  0 1 0 1 2 0 2 0 0 0 3 0 3 0 0;
	setAttr -s 2 ".fc[0:1]" -type "polyFaces" 
		f 3 0 1 2 
		f 2 3 4 ;
createNode lambert -n "wood";
	setAttr ".c" -type "float3" 0.6 0.4 0.2 ;
createNode shadingEngine -n "woodSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode lambert -n "red";
	setAttr ".c" -type "float3" 1 0 0 ;
createNode shadingEngine -n "redSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode lambert -n "blue";
	setAttr ".c" -type "float3" 0 0 1 ;
createNode shadingEngine -n "blueSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode groupId -n "groupId1";
	setAttr ".ihi" 0;
connectAttr "wood.oc" "woodSG.ss";
connectAttr "red.oc" "redSG.ss";
connectAttr "blue.oc" "blueSG.ss";
connectAttr "|crateA|crateShape.iog" "woodSG.dsm" -na;
connectAttr "|crateB|crateShape.iog" "woodSG.dsm" -na;
connectAttr "|barrelA|barrelShape.iog" "redSG.dsm" -na;
connectAttr "|barrelB|barrelShape.iog" "blueSG.dsm" -na;
connectAttr "groupId1.id" "partShape.iog.og[0].gid";
connectAttr "partShape.iog.og[0]" "woodSG.dsm" -na;
// End of instances.ma
