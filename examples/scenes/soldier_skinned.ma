//Maya ASCII 4.5 scene
//Name: soldier_skinned.ma
//Last modified: Sun, Dec 06, 2026 08:15:00 AM
requires maya "4.5";
requires "cgfxShader" "4.5";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya Unlimited 4.5";
fileInfo "version" "4.5";
createNode transform -n "root_skinnedMesh";
createNode joint -n "hips" -p "root_skinnedMesh";
	setAttr ".t" -type "double3" 0 1 0 ;
createNode joint -n "spine" -p "hips";
	setAttr ".t" -type "double3" 0 1 0 ;
createNode transform -n "geom0" -p "root_skinnedMesh";
createNode transform -n "lod0" -p "geom0";
createNode transform -n "body" -p "lod0";
	setAttr ".t" -type "double3" 0 1.5 0 ;
createNode mesh -n "bodyShape" -p "body";
	setAttr -k off ".v";
createNode mesh -n "bodyShapeOrig" -p "body";
	setAttr -k off ".v";
	setAttr ".io" yes;
createNode polyCylinder -n "polyCylinder1";
	setAttr ".r" 0.3;
	setAttr ".h" 2;
	setAttr ".sa" 8;
	setAttr ".sh" 2;
	setAttr ".cuv" 3;
createNode tweak -n "tweak1";
createNode groupParts -n "tweakSet1GroupParts";
	setAttr ".ihi" 0;
	setAttr ".ic" -type "componentList" 1 "vtx[*]";
createNode skinCluster -n "skinCluster1";
	setAttr -s 24 ".wl";
	setAttr ".wl[0:23].w"
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		2 0 0.5 1 0.5
		2 0 0.5 1 0.5
		2 0 0.5 1 0.5
		2 0 0.5 1 0.5
		2 0 0.5 1 0.5
		2 0 0.5 1 0.5
		2 0 0.5 1 0.5
		2 0 0.5 1 0.5
		1 1 1
		1 1 1
		1 1 1
		1 1 1
		1 1 1
		1 1 1
		1 1 1
		1 1 1;
	setAttr -s 2 ".pm";
	setAttr ".pm[0]" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 -1 0 1;
	setAttr ".pm[1]" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 -2 0 1;
	setAttr ".gm" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 1.5 0 1;
	setAttr ".mi" 2;
createNode groupParts -n "skinCluster1GroupParts";
	setAttr ".ihi" 0;
	setAttr ".ic" -type "componentList" 1 "vtx[*]";
createNode cgfxShader -n "soldier_skin";
	addAttr -ci true -sn "Diffuse" -ln "Diffuse" -dt "string";
	addAttr -ci true -sn "NormalMap" -ln "NormalMap" -dt "string";
	setAttr ".s" -type "string" "../effects/SkinnedMesh.fx";
	setAttr ".Diffuse" -type "string" "c:/Game/RawData/Characters/Soldier/Soldier_D.dds";
	setAttr ".NormalMap" -type "string" "c:/Game/RawData/Characters/Soldier/Soldier_N.dds";
createNode shadingEngine -n "soldier_skinSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode materialInfo -n "soldier_skinInfo";
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 1 -ast 1 -aet 1 ";
	setAttr ".st" 6;
connectAttr "polyCylinder1.out" "bodyShapeOrig.i";
connectAttr "bodyShapeOrig.w" "tweakSet1GroupParts.ig";
connectAttr "tweakSet1GroupParts.og" "tweak1.ip[0].ig";
connectAttr "tweak1.og[0]" "skinCluster1GroupParts.ig";
connectAttr "skinCluster1GroupParts.og" "skinCluster1.ip[0].ig";
connectAttr "skinCluster1.og[0]" "bodyShape.i";
connectAttr "hips.wm" "skinCluster1.ma[0]";
connectAttr "spine.wm" "skinCluster1.ma[1]";
connectAttr "bodyShape.iog" "soldier_skinSG.dsm" -na;
connectAttr "soldier_skin.oc" "soldier_skinSG.ss";
connectAttr "soldier_skinSG.msg" "soldier_skinInfo.sg";
connectAttr "soldier_skin.msg" "soldier_skinInfo.m" -na;
// End of soldier_skinned.ma
