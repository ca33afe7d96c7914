//Maya ASCII 2020 scene
currentUnit -l meter;
createNode transform -n "grid";
createNode mesh -n "gridShape" -p "grid";
	setAttr -s 4 ".uvst[0].uvsp[0:3]" -type "float2"
		0.000000 0e-1 0.125000 0e-1 0.000000 1e-1 0.125000 1e-1;
	setAttr -s 4 ".vt[0:3]" 1 2 3 // ;
 4 5 6 7 8 9 10 11 12 ;
	setAttr -s 4 ".ed[0:3]"
		0 1 0  2 3 1  0 2 0  1 3 1;
	setAttr -s 1 -ch 4 ".fc[0:0]" -type "polyFaces" 
		f 4 0 3 -2 -3
		mu 0 4 0 1 2 3 mc 1 4 0 1 2 3;
