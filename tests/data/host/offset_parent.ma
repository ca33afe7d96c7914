createNode transform -n "p";
	setAttr ".t" -type "double3" 0 100 0 ;
createNode transform -n "offset" -p "p";
	setAttr ".t" -type "double3" 1 0 0 ;
	setAttr ".opm" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 10 1;
createNode transform -n "free" -p "p";
	setAttr ".t" -type "double3" 3 0 0 ;
	setAttr ".it" no;
