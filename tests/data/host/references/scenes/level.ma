//Maya ASCII 2020 scene
requires maya "2020";
file -rdi 1 -ns "crate" -rfn "crateRN" "assets/crate.ma";
file -r -ns "crate" -dr 1 -rfn "crateRN" -typ "mayaAscii" "assets/crate.ma";
file -r -ns "gone" -dr 1 -rfn "goneRN" -typ "mayaAscii" "assets/gone.ma";
file -r -ns "chair" -rfn "chairRN" -typ "mayaBinary" "assets/chair.mb";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "marker";
	setAttr ".t" -type "double3" 1 0 0 ;
createNode reference -n "crateRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"crateRN"
		"crateRN" 2
		2 "|crate:box" "translate" " -type \"double3\" 7 8 9"
		3 "crate:box.sx" "crate:lid:handle.sx" 
		""
		"goneRN" 1
		2 "|gone:thing" "visibility" " 0";
createNode reference -n "goneRN";
connectAttr "crate:lid:bolt_pin.ty" "marker.ry";
