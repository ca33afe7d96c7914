//Maya ASCII 2020 scene
currentUnit -l meter -a degree -t film;
createNode mesh -n "m";
	addAttr -m -sn "ds" -ln "distances" -at "doubleLinear";
	setAttr -s 4 ".ds[0:3]" 0.25 -1.5 2 0.75;
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 6 ".uvst[0].uvsp";
	setAttr ".uvst[0].uvsp[0:3]" -type "float2" 0 0 0.5 0 1 0 0 1;
	setAttr ".uvst[0].uvsp[4:5]" -type "float2" 0.5 1 1 1;
	setAttr -s 6 ".vt";
	setAttr ".vt[0:3]"  -0.70000000000000007 -0.58765432098765435 /* a comment */ -0.475 0.1
		12345678 -123456789012345678 0.5 1e-3 +7 -0 0.125 2;
	setAttr ".vt[4:5]" 1 2 3 4 5 6;
	setAttr -s 3 ".pt[0:2].py" 0.5 yes 2.5;
	setAttr -s 7 ".ed[0:6]"  0 1 0 1 2 1 3 4 1 4 5 0 0 3 1 1 4 1 2 5 1;
	setAttr -s 2 -ch 8 ".fc[0:1]" -type "polyFaces" 
		f 4 0 5 -3 -5
		mu 0 4 0 1 4 3
		f 4 1 6 -4 -6
		mu 0 4 1 2 5 4;
