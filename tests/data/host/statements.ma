//Maya ASCII 2020 scene
//Name: test.ma
requires maya "2020";
requires -nodeType "someNode" "somePlugin" "1.2";
currentUnit -l centimeter -a degree -t ntsc;
fileInfo "application" "maya";
createNode transform -s -n "persp";
	rename -uid "0F2B-ABCD";
	setAttr ".v" no;
createNode transform -n "group1";
createNode transform -n "child" -p "group1";
createNode transform -n "loose";
parent -r "loose" "child" ;
rename "loose" "moved";
select -ne :time1;
	setAttr ".o" 12;
select -ne :someDefaultNodeTheStandInLacks;
	setAttr ".x" 1;
lockNode -l 1 ;
dataStructure -fmt "raw" -as "name=idStructure:int32=ID";
relationship "link" ":lightLinker1" ":initialShadingGroup.message" ":defaultLightSet.message";
/* a block
   comment */ createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 3 -max 45 -ast 1 -aet 200 ";
	setAttr ".st" 6;
// End of test.ma
