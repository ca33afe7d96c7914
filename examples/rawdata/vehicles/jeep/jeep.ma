//Maya ASCII 4.5 scene
//Name: jeep.ma
//Last modified: Sun, Dec 06, 2026 08:15:00 AM
requires maya "4.5";
requires "cgfxShader" "4.5";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya Unlimited 4.5";
fileInfo "version" "4.5";
createNode transform -n "root_bundledMesh";
createNode transform -n "geom0" -p "root_bundledMesh";
createNode transform -n "lod0" -p "geom0";
createNode transform -n "chassis" -p "lod0";
	setAttr ".t" -type "double3" 0 1 0 ;
createNode mesh -n "chassisShape" -p "chassis";
	setAttr -k off ".v";
createNode transform -n "wheel_left__RotationalBundle" -p "chassis";
	setAttr ".t" -type "double3" 1.2 -0.5 1 ;
	setAttr ".r" -type "double3" 0 0 90 ;
createNode mesh -n "wheelShape" -p "wheel_left__RotationalBundle";
	setAttr -k off ".v";
	setAttr -s 2 ".iog";
createNode transform -n "wheel_right__RotationalBundle" -p "chassis";
	setAttr ".t" -type "double3" -1.2 -0.5 1 ;
	setAttr ".r" -type "double3" 0 0 -90 ;
parent -s -nc -r -add "|root_bundledMesh|geom0|lod0|chassis|wheel_left__RotationalBundle|wheelShape" "wheel_right__RotationalBundle";
createNode transform -n "nonvis" -p "chassis";
createNode transform -n "col0" -p "nonvis";
createNode mesh -n "col0Shape" -p "col0";
	setAttr -k off ".v";
	setAttr -s 8 ".vt[0:7]" -1.3 -0.6 2.1 1.3 -0.6 2.1 -1.3 0.6 2.1 1.3 0.6 2.1 -1.3 0.6 -2.1 1.3 0.6 -2.1 -1.3 -0.6 -2.1 1.3 -0.6 -2.1;
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
createNode polyCube -n "polyCube1";
	setAttr ".w" 2.4;
	setAttr ".h" 1;
	setAttr ".d" 4;
	setAttr ".cuv" 4;
createNode polyCylinder -n "polyCylinder1";
	setAttr ".r" 0.5;
	setAttr ".h" 0.4;
	setAttr ".sa" 8;
	setAttr ".sh" 1;
	setAttr ".cuv" 3;
createNode cgfxShader -n "jeep_body";
	addAttr -ci true -sn "Diffuse" -ln "Diffuse" -dt "string";
	addAttr -ci true -sn "NormalMap" -ln "NormalMap" -dt "string";
	addAttr -ci true -sn "ShadowMap" -ln "ShadowMap" -dt "string";
	setAttr ".s" -type "string" "../../shaders/BundledMesh.fx";
	setAttr ".Diffuse" -type "string" "c:/Game/RawData/Vehicles/Jeep/Jeep_Body_D.dds";
	setAttr ".NormalMap" -type "string" "c:/Game/RawData/Vehicles/Jeep/Jeep_Body_N.dds";
	setAttr ".ShadowMap" -type "string" "shadowmap.dds";
createNode shadingEngine -n "jeep_bodySG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode materialInfo -n "jeep_bodyInfo";
createNode cgfxShader -n "jeep_wheel";
	addAttr -ci true -sn "Diffuse" -ln "Diffuse" -dt "string";
	addAttr -ci true -sn "NormalMap" -ln "NormalMap" -dt "string";
	addAttr -ci true -sn "ShadowMap" -ln "ShadowMap" -dt "string";
	setAttr ".s" -type "string" "../../shaders/BundledMesh.fx";
	setAttr ".Diffuse" -type "string" "c:/Game/RawData/Vehicles/Jeep/Jeep_Wheel_D.dds";
	setAttr ".NormalMap" -type "string" "c:/Game/RawData/Vehicles/Jeep/Jeep_Wheel_N.dds";
	setAttr ".ShadowMap" -type "string" "shadowmap.dds";
createNode shadingEngine -n "jeep_wheelSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode materialInfo -n "jeep_wheelInfo";
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 1 -ast 1 -aet 1 ";
	setAttr ".st" 6;
connectAttr "polyCube1.out" "chassisShape.i";
connectAttr "polyCylinder1.out" "wheelShape.i";
connectAttr "chassisShape.iog" "jeep_bodySG.dsm" -na;
connectAttr "|root_bundledMesh|geom0|lod0|chassis|wheel_left__RotationalBundle|wheelShape.iog" "jeep_wheelSG.dsm" -na;
connectAttr "|root_bundledMesh|geom0|lod0|chassis|wheel_right__RotationalBundle|wheelShape.iog" "jeep_wheelSG.dsm" -na;
connectAttr "col0Shape.iog" ":initialShadingGroup.dsm" -na;
connectAttr "jeep_body.oc" "jeep_bodySG.ss";
connectAttr "jeep_bodySG.msg" "jeep_bodyInfo.sg";
connectAttr "jeep_body.msg" "jeep_bodyInfo.m" -na;
connectAttr "jeep_wheel.oc" "jeep_wheelSG.ss";
connectAttr "jeep_wheelSG.msg" "jeep_wheelInfo.sg";
connectAttr "jeep_wheel.msg" "jeep_wheelInfo.m" -na;
// End of jeep.ma
