//Maya ASCII 4.5 scene
//Name: props_lod.ma
//Last modified: Mon, Dec 07, 2026 09:20:00 AM
requires maya "4.5";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya Unlimited 4.5";
fileInfo "version" "4.5";
createNode transform -n "root_staticMesh";
createNode lodGroup -n "crate_lod" -p "root_staticMesh";
	setAttr -s 2 ".th[0:1]"  12 40;
createNode transform -n "lod0" -p "crate_lod";
createNode nurbsCurve -n "lod0Shape" -p "lod0";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve" 
		1 4 0 no 3
		5 0 1 2 3 4
		5
		-50 0 -50
		50 0 -50
		50 0 50
		-50 0 50
		-50 0 -50
		;
createNode transform -n "lod1" -p "crate_lod";
createNode nurbsCurve -n "lod1Shape" -p "lod1";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve" 
		1 2 0 no 3
		3 0 1 2
		3
		-50 0 -50
		50 0 0
		-50 0 50
		;
createNode transform -n "lod2" -p "crate_lod";
createNode locator -n "lod2Shape" -p "lod2";
	setAttr -k off ".v";
createNode transform -n "spawn_point" -p "root_staticMesh";
	addAttr -ci true -sn "zephSpawnKind" -ln "zephSpawnKind" -dt "string";
	addAttr -ci true -sn "zephSquadSize" -ln "zephSquadSize" -at "long";
	setAttr ".t" -type "double3" 150 0 -30 ;
	setAttr ".r" -type "double3" 0 90 0 ;
	setAttr ".zephSpawnKind" -type "string" "infantry";
	setAttr -k on ".zephSquadSize" 4;
createNode locator -n "spawn_pointShape" -p "spawn_point";
	setAttr -k off ".v";
	setAttr ".lp" -type "double3" 0 10 0 ;
createNode transform -n "patrol_path" -p "root_staticMesh";
	setAttr ".rp" -type "double3" 0 0 50 ;
	setAttr ".sp" -type "double3" 0 0 50 ;
createNode nurbsCurve -n "patrol_pathShape" -p "patrol_path";
	addAttr -ci true -sn "zephLoop" -ln "zephLoop" -min 0 -max 1 -at "bool";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve" 
		3 2 0 no 3
		7 0 0 0 1 2 2 2
		5
		0 0 0
		50 0 25
		100 0 50
		50 0 75
		0 0 100
		;
	setAttr -k on ".zephLoop" yes;
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 1 -ast 1 -aet 1 ";
	setAttr ".st" 6;
// End of props_lod.ma
