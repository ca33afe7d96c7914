//Maya ASCII 4.5 scene
//Name: one_frame.ma
//Last modified: Mon, Dec 07, 2026 11:52:03 AM
requires maya "4.5";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya Unlimited 4.5";
fileInfo "version" "4.5";
createNode transform -n "root_skeleton";
createNode joint -n "pelvis" -p "root_skeleton";
	addAttr -ci true -sn "anim_export" -ln "anim_export" -min 0 -max 1 -at "bool";
	setAttr ".t" -type "double3" 0 90 0 ;
	setAttr -k on ".anim_export" yes;
createNode animCurveTL -n "pelvis_translateY";
	setAttr ".tan" 2;
	setAttr ".wgt" no;
	setAttr -s 2 ".ktv[0:1]"  1 90 12 80;
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 12 -max 12 -ast 1 -aet 24 ";
	setAttr ".st" 6;
connectAttr "pelvis_translateY.o" "pelvis.ty";
// End of one_frame.ma
