//Maya ASCII 2020 scene
file -r -ns "lid" -rfn "lidRN" "/elsewhere/projects/lid.ma";
currentUnit -l meter -a degree -t film;
createNode transform -s -n "persp";
	setAttr ".v" no;
createNode transform -n "box";
	setAttr ".t" -type "double3" 1 0 0 ;
createNode mesh -n "boxShape" -p "box";
createNode reference -n "lidRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"lidRN"
		"lidRN" 1
		2 "|lid:handle" "translateY" " 0.5";
select -ne :time1;
connectAttr "box.ty" "lid:handle.tz";
