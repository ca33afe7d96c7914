//Maya ASCII 4.5 scene
//Name: bunker.ma
//Last modified: Sun, Dec 06, 2026 10:50:00 PM
requires maya "4.5";
requires "cgfxShader" "4.5";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya Unlimited 4.5";
fileInfo "version" "4.5";
createNode transform -n "root_staticMesh";
createNode transform -n "geom0" -p "root_staticMesh";
createNode transform -n "geom0_NoLightmap" -p "geom0";
createNode locator -n "geom0_NoLightmapShape" -p "geom0_NoLightmap";
	setAttr -k off ".v";
createNode transform -n "lod0" -p "geom0";
createNode transform -n "body" -p "lod0";
	setAttr ".t" -type "double3" 0 100 0 ;
createNode mesh -n "bodyShape" -p "body";
	setAttr -k off ".v";
createNode transform -n "nonvis" -p "body";
createNode transform -n "col0" -p "nonvis";
createNode mesh -n "col0Shape" -p "col0";
	setAttr -k off ".v";
	setAttr -s 8 ".vt[0:7]" -200 -100 150 200 -100 150 -200 100 150 200 100 150 -200 100 -150 200 100 -150 -200 -100 -150 200 -100 -150;
	setAttr -s 18 ".ed[0:17]" 0 1 0 1 3 0 3 0 0 3 2 0 2 0 0 3 5 0 5 2 0 5 4 0 4 2 0 5 7 0 7 4 0 7 6 0 6 4 0 7 1 0 1 6 0 0 6 0 5 1 0 2 6 0;
	setAttr -s 12 ".fc[0:11]" -type "polyFaces"
		f 3 0 1 2
		f 3 -3 3 4
		f 3 -4 5 6
		f 3 -7 7 8
		f 3 -8 9 10
		f 3 -11 11 12
		f 3 -12 13 14
		f 3 -15 -1 15
		f 3 -14 -10 16
		f 3 -17 -6 -2
		f 3 -16 -5 17
		f 3 -18 -9 -13 ;
createNode transform -n "col1" -p "nonvis";
	setAttr ".t" -type "double3" 0 110 0 ;
createNode mesh -n "col1Shape" -p "col1";
	setAttr -k off ".v";
	setAttr -s 8 ".vt[0:7]" -120 -10 90 120 -10 90 -120 10 90 120 10 90 -120 10 -90 120 10 -90 -120 -10 -90 120 -10 -90;
	setAttr -s 18 ".ed[0:17]" 0 1 0 1 3 0 3 0 0 3 2 0 2 0 0 3 5 0 5 2 0 5 4 0 4 2 0 5 7 0 7 4 0 7 6 0 6 4 0 7 1 0 1 6 0 0 6 0 5 1 0 2 6 0;
	setAttr -s 12 ".fc[0:11]" -type "polyFaces"
		f 3 0 1 2
		f 3 -3 3 4
		f 3 -4 5 6
		f 3 -7 7 8
		f 3 -8 9 10
		f 3 -11 11 12
		f 3 -12 13 14
		f 3 -15 -1 15
		f 3 -14 -10 16
		f 3 -17 -6 -2
		f 3 -16 -5 17
		f 3 -18 -9 -13 ;
createNode transform -n "hatch" -p "body";
	setAttr ".t" -type "double3" 0 110 0 ;
createNode mesh -n "hatchShape" -p "hatch";
	setAttr -k off ".v";
createNode polyCube -n "polyCube1";
	setAttr ".w" 400;
	setAttr ".h" 200;
	setAttr ".d" 300;
	setAttr ".cuv" 4;
createNode polyCube -n "polyCube2";
	setAttr ".w" 80;
	setAttr ".h" 20;
	setAttr ".d" 80;
	setAttr ".cuv" 4;
createNode cgfxShader -n "concrete";
	addAttr -ci true -sn "Base" -ln "Base" -dt "string";
	addAttr -ci true -sn "Detail" -ln "Detail" -dt "string";
	addAttr -ci true -sn "Dirt" -ln "Dirt" -dt "string";
	addAttr -ci true -sn "Crack" -ln "Crack" -dt "string";
	addAttr -ci true -sn "NDetail" -ln "NDetail" -dt "string";
	addAttr -ci true -sn "NCrack" -ln "NCrack" -dt "string";
	setAttr ".s" -type "string" "../../shaders/StaticMesh.fx";
	setAttr ".Base" -type "string" "c:/Game/RawData/Buildings/Bunker/Concrete_Base.dds";
	setAttr ".Detail" -type "string" "c:/Game/RawData/Buildings/Bunker/Concrete_Detail.dds";
	setAttr ".Dirt" -type "string" "dirt.dds";
	setAttr ".Crack" -type "string" "";
	setAttr ".NDetail" -type "string" "ndetail.dds";
	setAttr ".NCrack" -type "string" "ncrack.dds";
createNode shadingEngine -n "concreteSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode materialInfo -n "concreteInfo";
createNode lambert -n "concrete_col";
createNode shadingEngine -n "concrete_colSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode materialInfo -n "concrete_colInfo";
createNode lambert -n "metal_col";
createNode shadingEngine -n "metal_colSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode materialInfo -n "metal_colInfo";
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 1 -ast 1 -aet 1 ";
	setAttr ".st" 6;
connectAttr "polyCube1.out" "bodyShape.i";
connectAttr "polyCube2.out" "hatchShape.i";
connectAttr "bodyShape.iog" "concreteSG.dsm" -na;
connectAttr "hatchShape.iog" "concreteSG.dsm" -na;
connectAttr "col0Shape.iog" "concrete_colSG.dsm" -na;
connectAttr "col1Shape.iog" "metal_colSG.dsm" -na;
connectAttr "concrete.oc" "concreteSG.ss";
connectAttr "concreteSG.msg" "concreteInfo.sg";
connectAttr "concrete.msg" "concreteInfo.m" -na;
connectAttr "concrete_col.oc" "concrete_colSG.ss";
connectAttr "concrete_colSG.msg" "concrete_colInfo.sg";
connectAttr "concrete_col.msg" "concrete_colInfo.m" -na;
connectAttr "metal_col.oc" "metal_colSG.ss";
connectAttr "metal_colSG.msg" "metal_colInfo.sg";
connectAttr "metal_col.msg" "metal_colInfo.m" -na;
// End of bunker_static.ma
