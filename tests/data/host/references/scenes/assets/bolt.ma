//Maya ASCII 2020 scene
createNode transform -n "pin";
	setAttr ".ty" 3;
