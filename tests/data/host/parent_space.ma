createNode transform -n "rig";
	setAttr ".r" -type "double3" 0 90 0 ;
createNode joint -n "Camerabone" -p "rig";
	setAttr ".t" -type "double3" 0 0 2 ;
	setAttr ".r" -type "double3" 0 0 90 ;
	setAttr ".jo" -type "double3" 90 0 0 ;
	setAttr ".ra" -type "double3" 0 45 0 ;
