createNode transform -n "p";
	setAttr ".r" -type "double3" 0 0 90 ;
	setAttr ".s" -type "double3" 3 3 3 ;
createNode transform -n "c" -p "p";
	setAttr ".r" -type "double3" 90 0 0 ;
	setAttr ".ro" 2;
