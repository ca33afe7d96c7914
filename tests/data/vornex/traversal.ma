//Maya ASCII 4.5 scene
//Name: traversal.ma
//Last modified: Mon, Dec 07, 2026 10:02:11 AM
requires maya "4.5";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya Unlimited 4.5";
fileInfo "version" "4.5";
createNode transform -n "root_bundledMesh";
	addAttr -ci true -sn "zephGroup" -ln "zephGroup" -at "long";
	addAttr -ci true -sn "ZEPHFlag" -ln "ZEPHFlag" -min 0 -max 1 -at "bool";
	addAttr -ci true -sn "zephWeight" -ln "zephWeight" -at "double";
	addAttr -ci true -sn "zephLabel" -ln "zephLabel" -dt "string";
	addAttr -ci true -sn "zephRatio" -ln "zephRatio" -at "float";
	addAttr -ci true -sn "teamGroup" -ln "teamGroup" -at "long";
	setAttr ".t" -type "double3" 1 2 3 ;
	setAttr -k on ".zephGroup" 7;
	setAttr -k on ".ZEPHFlag" yes;
	setAttr -k on ".zephWeight" 0.25;
	setAttr ".zephLabel" -type "string" "crate";
	setAttr -k on ".zephRatio" 0.5;
	setAttr -k on ".teamGroup" 3;
createNode transform -n "hidden_group" -p "root_bundledMesh";
	setAttr ".v" no;
createNode transform -n "hidden_marker" -p "hidden_group";
createNode locator -n "hidden_markerShape" -p "hidden_marker";
	setAttr -k off ".v";
createNode transform -n "pair" -p "root_bundledMesh";
	setAttr ".t" -type "double3" 10 0 0 ;
createNode locator -n "pairShape" -p "pair";
	setAttr -k off ".v";
	setAttr ".lp" -type "double3" 4 5 6 ;
createNode locator -n "pairShape2" -p "pair";
	setAttr -k off ".v";
	setAttr ".lp" -type "double3" 7 8 9 ;
createNode transform -n "empty_xf" -p "root_bundledMesh";
createNode transform -n "path" -p "root_bundledMesh";
createNode nurbsCurve -n "pathShape" -p "path";
	addAttr -ci true -sn "zephSpeed" -ln "zephSpeed" -at "double";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve" 
		1 2 0 no 3
		3 0 1 2
		3
		1 0 0
		2 1 0
		3 0 -1
		;
	setAttr -k on ".zephSpeed" 2.5;
createNode lodGroup -n "crate_lod" -p "root_bundledMesh";
	setAttr -s 2 ".threshold[0:1]"  10.7 20;
createNode transform -n "lod0" -p "crate_lod";
createNode locator -n "lod0Shape" -p "lod0";
	setAttr -k off ".v";
createNode transform -n "lod1" -p "crate_lod";
createNode locator -n "lod1Shape" -p "lod1";
	setAttr -k off ".v";
createNode transform -n "lod2" -p "crate_lod";
createNode locator -n "lod2Shape" -p "lod2";
	setAttr -k off ".v";
createNode transform -n "shot_cam" -p "root_bundledMesh";
	setAttr ".t" -type "double3" 0 50 -200 ;
createNode camera -n "shot_camShape" -p "shot_cam";
	setAttr -k off ".v";
	setAttr ".fl" 50;
createNode transform -n "path_copy" -p "root_bundledMesh";
	setAttr ".t" -type "double3" 0 0 10 ;
createNode joint -n "root_j";
createNode joint -n "mid_j" -p "root_j";
	setAttr ".t" -type "double3" 0 2 0 ;
createNode joint -n "end_j" -p "mid_j";
	setAttr ".t" -type "double3" 0 2 0 ;
createNode joint -n "side_j" -p "mid_j";
	setAttr ".t" -type "double3" 1 0 0 ;
createNode transform -n "lamp";
createNode pointLight -n "lampShape" -p "lamp";
	setAttr -k off ".v";
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 2 -ast 1 -aet 2 ";
	setAttr ".st" 6;
parent -s -nc -r -add "|root_bundledMesh|path|pathShape" "path_copy";
connectAttr "root_j.s" "mid_j.is";
connectAttr "mid_j.s" "end_j.is";
connectAttr "mid_j.s" "side_j.is";
// End of traversal.ma
