createNode transform -n "fold";
createNode mesh -n "foldShape" -p "fold";
	setAttr -s 6 ".vt[0:5]"  0 0 0 1 0 0 2 0 1 0 1 0 1 1 0 2 1 1;
	setAttr -s 7 ".ed[0:6]"  0 1 1 1 2 1 3 4 1 4 5 1 0 3 1 1 4 0 2 5 1;
	setAttr -s 2 ".fc[0:1]" -type "polyFaces"
		f 4 0 5 -3 -5
		f 4 1 6 -4 -6;
