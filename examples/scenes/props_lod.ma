//Maya ASCII 4.5 scene
//Name: props_lod.ma
//Last modified: Sun, Dec 06, 2026 08:15:00 AM
requires maya "4.5";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya Unlimited 4.5";
fileInfo "version" "4.5";
createNode transform -n "root_staticMesh";
createNode lodGroup -n "crate_lod" -p "root_staticMesh";
	setAttr -s 2 ".th[0:1]"  12 40;
createNode transform -n "lod0" -p "crate_lod";
createNode transform -n "lod1" -p "crate_lod";
	setAttr ".v" no;
createNode transform -n "lod2" -p "crate_lod";
	setAttr ".v" no;
createNode transform -n "spawn_point" -p "root_staticMesh";
	addAttr -ci true -sn "zephSpawnKind" -ln "zephSpawnKind" -dt "string";
	setAttr ".t" -type "double3" 150 0 -30 ;
	setAttr ".r" -type "double3" 0 90 0 ;
	setAttr ".zephSpawnKind" -type "string" "infantry";
createNode locator -n "spawn_pointShape" -p "spawn_point";
	setAttr -k off ".v";
createNode transform -n "patrol_path" -p "root_staticMesh";
	setAttr ".rp" -type "double3" 0 0 50 ;
	setAttr ".sp" -type "double3" 0 0 50 ;
createNode nurbsCurve -n "patrol_pathShape" -p "patrol_path";
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
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 1 -ast 1 -aet 1 ";
	setAttr ".st" 6;
// End of props_lod.ma
