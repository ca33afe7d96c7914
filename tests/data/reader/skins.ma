//Maya ASCII 2020 scene
//Name: skins.ma
requires maya "2020";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya 2020";
fileInfo "version" "2020";
createNode joint -n "hip";
createNode joint -n "knee" -p "hip";
	setAttr ".t" -type "double3" 0 1 0 ;
createNode joint -n "spare" -p "hip";
	setAttr ".v" no;
	setAttr ".t" -type "double3" 1 0 0 ;
createNode transform -n "leg";
createNode mesh -n "legShape" -p "leg";
	setAttr -k off ".v";
	setAttr -s 2 ".iog";
createNode mesh -n "legShapeOrig" -p "leg";
	setAttr -k off ".v";
	setAttr ".io" yes;
createNode transform -n "legCopy";
	setAttr ".t" -type "double3" 3 0 0 ;
parent -s -nc -r -add "|leg|legShape" "legCopy";
createNode transform -n "tail";
	setAttr ".t" -type "double3" 0 0 3 ;
createNode mesh -n "tailShape" -p "tail";
	setAttr -k off ".v";
createNode mesh -n "tailShapeOrig" -p "tail";
	setAttr -k off ".v";
	setAttr ".io" yes;
createNode transform -n "arm";
	setAttr ".t" -type "double3" 0 0 6 ;
createNode mesh -n "armShape" -p "arm";
	setAttr -k off ".v";
createNode mesh -n "armShapeOrig" -p "arm";
	setAttr -k off ".v";
	setAttr ".io" yes;
createNode transform -n "hand";
	setAttr ".t" -type "double3" 0 0 9 ;
createNode mesh -n "handShape" -p "hand";
	setAttr -k off ".v";
createNode mesh -n "handShapeOrig" -p "hand";
	setAttr -k off ".v";
	setAttr ".io" yes;
createNode polyCylinder -n "polyCylinder1";
	setAttr ".sa" 4;
	setAttr ".sh" 1;
createNode polyCylinder -n "polyCylinder2";
	setAttr ".sa" 4;
	setAttr ".sh" 1;
createNode polyCylinder -n "polyCylinder3";
	setAttr ".sa" 4;
	setAttr ".sh" 1;
createNode skinCluster -n "skinCluster1";
	setAttr -s 8 ".wl";
	setAttr ".wl[0:7].w"
		1 1 1
		1 0 1
		1 0 1
		1 0 1
		2 0 0.25 1 0.75
		1 1 0.9
		2 0 0.5 1 0.5
		2 0 0.5 1 0.5;
	setAttr -s 2 ".pm";
	setAttr ".pm[0]" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;
	setAttr ".pm[1]" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 -1 0 1;
createNode groupParts -n "skinCluster1GroupParts";
	setAttr ".ihi" 0;
	setAttr ".ic" -type "componentList" 1 "vtx[*]";
createNode skinCluster -n "skinCluster2";
	setAttr -s 8 ".wl";
	setAttr ".wl[0:7].w"
		2 0 0.5 2 0.5
		1 1 1
		1 0 1
		1 2 1
		1 0 1
		1 0 1
		1 1 1
		1 1 1;
createNode skinCluster -n "skinCluster3";
	setAttr -s 8 ".wl";
	setAttr ".wl[0:7].w"
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 1 1
		1 1 1
		1 1 1
		1 1 1;
createNode skinCluster -n "skinCluster4";
	setAttr -s 8 ".wl";
	setAttr ".wl[0:7].w"
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 1 1
		1 1 1
		1 1 1
		1 1 1;
createNode polyCylinder -n "polyCylinder4";
	setAttr ".sa" 4;
	setAttr ".sh" 1;
createNode groupParts -n "handParts1";
createNode groupParts -n "handParts2";
createNode groupParts -n "handParts3";
createNode groupParts -n "handParts4";
createNode groupParts -n "armParts1";
createNode groupParts -n "armParts2";
createNode groupParts -n "armParts3";
createNode groupParts -n "armParts4";
createNode groupParts -n "armParts5";
connectAttr "polyCylinder1.out" "legShapeOrig.i";
connectAttr "legShapeOrig.w" "skinCluster1.ip[0].ig";
connectAttr "skinCluster1.og[0]" "skinCluster1GroupParts.ig";
connectAttr "skinCluster1GroupParts.og" "legShape.i";
connectAttr "hip.wm" "skinCluster1.ma[0]";
connectAttr "knee.wm" "skinCluster1.ma[1]";
connectAttr "polyCylinder2.out" "tailShapeOrig.i";
connectAttr "tailShapeOrig.w" "skinCluster2.ip[0].ig";
connectAttr "skinCluster2.og[0]" "tailShape.i";
connectAttr "hip.wm" "skinCluster2.ma[0]";
connectAttr "knee.wm" "skinCluster2.ma[1]";
connectAttr "spare.wm" "skinCluster2.ma[2]";
connectAttr "polyCylinder3.out" "armShapeOrig.i";
connectAttr "armShapeOrig.w" "skinCluster3.ip[0].ig";
connectAttr "skinCluster3.og[0]" "armParts1.ig";
connectAttr "armParts1.og" "armParts2.ig";
connectAttr "armParts2.og" "armParts3.ig";
connectAttr "armParts3.og" "armParts4.ig";
connectAttr "armParts4.og" "armParts5.ig";
connectAttr "armParts5.og" "armShape.i";
connectAttr "hip.wm" "skinCluster3.ma[0]";
connectAttr "knee.wm" "skinCluster3.ma[1]";
connectAttr "polyCylinder4.out" "handShapeOrig.i";
connectAttr "handShapeOrig.w" "skinCluster4.ip[0].ig";
connectAttr "skinCluster4.og[0]" "handParts1.ig";
connectAttr "handParts1.og" "handParts2.ig";
connectAttr "handParts2.og" "handParts3.ig";
connectAttr "handParts3.og" "handParts4.ig";
connectAttr "handParts4.og" "handShape.i";
connectAttr "hip.wm" "skinCluster4.ma[0]";
connectAttr "knee.wm" "skinCluster4.ma[1]";
// End of skins.ma
