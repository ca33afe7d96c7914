//Maya ASCII 2020 scene
file -rdi 1 -ns "crate" -rfn "crateRN" "assets/crate.ma";
file -r -ns "crate" -dr 1 -rfn "crateRN" -typ "mayaAscii" "assets/crate.ma";
file -r -rpr "old" -rfn "oldRN" "old.mb";
createNode transform -n "marker";
createNode reference -n "crateRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"crateRN"
		"crateRN" 3
		2 "|crate:box" "translate" " -type \"double3\" 7 8 9"
		3 "crate:box.sx" "marker.sx" 
		"-na"
		5 3 "crateRN" "crate:box.iog" "crateRN.placeHolderList[1]" "marker.msg"
		"oldRN" 1
		0 "|old_thing" "|marker" "-s -r ";
connectAttr "crate:box.ty" "marker.ry";
