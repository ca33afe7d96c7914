createNode lodGroup -n "lod";
	setAttr -s 3 ".th";
	setAttr ".th[7]" 30;
	setAttr ".th[2]" 20;
	setAttr ".th[0]" 10;
