//Maya ASCII 4.5 scene
//Name: turned_joint.ma
requires maya "4.5";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "root_animation";
createNode joint -n "hips" -p "root_animation";
	addAttr -ci true -sn "anim_export" -ln "anim_export" -min 0 -max 1 -at "bool";
	setAttr ".jo" -type "double3" 90 0 0 ;
	setAttr -k on ".anim_export" yes;
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 1 -ast 1 -aet 1 ";
