//Maya ASCII 2020 scene
currentUnit -l meter;
createNode transform -n "grid";
createNode mesh -n "gridShape" -p "grid";
	setAttr -s 9 ".uvst[0].uvsp[0:8]" -type "float2"
		0.000000 0e-1 0.125000 0e-1 0.250000 0e-1 0.000000 1e-1 0.125000 1e-1
		0.250000 1e-1 0.000000 2e-1 0.125000 2e-1 0.250000 2e-1;
	setAttr -s 9 ".vt[0:8]"
		0 -0.0 +0.25 1 -0.1 +0.25 2 -0.2 +0.25
		0 -0.3 +1.25 1 -0.4 +1.25 2 -0.5 +1.25
		0 -0.6 +2.25 1 -0.0 +2.25 2 -0.1 +2.25 ;
	setAttr -s 12 ".ed[0:11]"
		0 1 0  1 2 1  3 4 0  4 5 1
		6 7 0  7 8 1  0 3 0  1 4 1
		2 5 0  3 6 1  4 7 0  5 8 1;
	setAttr -s 4 -ch 16 ".fc[0:3]" -type "polyFaces"  f 4 0 1 2 3 f 3 4 5 6 f 3 1 x 3 f 3 1 2 3;
