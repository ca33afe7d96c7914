currentUnit -l-type -a degree -t ntsc;
creat0 ;
createNode skinCluster -n "skin";
	setAttr -s 2 ".wl"666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666666;
	setAttr ".wl[0:1].w" 2 0 0.5 1 0.5 1 1 1;
	setAttr "(ma[0]" -type "matrix" "xform" 1 1 1 0 0 0 0 1 0 0 currentUnit -l inch -a degree -t ntsc;
createNode joint -n "j1";
	setAttr ".jo" -type "double3" 0 0 90 ;
createNode joint -n "j2" -p "j1";
	setAttr ".t" -type "double3" 1 0 0 ;
createNode skinCluster -n "sKin";
	setAttr -s 2 ".wl";
	setAttr ".wl[0:1].w" 2 0 0.5 1 0.5 1 1 1;0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 1 1 
	setAttr ".ma[0]" -type "matrix" "1 x1