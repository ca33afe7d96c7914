createNode transform -n "xf";
	setAttr ".t" -type "double3" 1 2 3 ;
	setAttr ".rx" 90;
	setAttr -k on ".sy" 2;
	setAttr ".it" off;
	setAttr ".xm" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 5 6 7 1;
	addAttr -ci true -sn "nts" -ln "notes" -dt "string";
	setAttr ".nts" -type "string" (
		"first \"quoted\" line\r\n"
		+ "second");
	addAttr -ci true -sn "names" -ln "names" -dt "stringArray";
	setAttr ".names" -type "stringArray" 2 "a" "b c"  ;
	addAttr -ci true -sn "col" -ln "color" -at "float3" -nc 3;
	addAttr -ci true -sn "colr" -ln "colorR" -at "float" -p "color";
	addAttr -ci true -sn "colg" -ln "colorG" -at "float" -p "color";
	addAttr -ci true -sn "colb" -ln "colorB" -at "float" -p "color";
	setAttr ".col" -type "float3" 0.25 0.5 0.75 ;
	addAttr -ci true -sn "da" -ln "doubles" -dt "doubleArray";
	setAttr ".da" -type "doubleArray" 3 1.5 -2 3e2 ;
	addAttr -ci true -sn "ia" -ln "ints" -dt "Int32Array";
	setAttr ".ia" -type "Int32Array" 2 -4 9 ;
	addAttr -ci true -sn "pa" -ln "points" -dt "pointArray";
	setAttr ".pa" -type "pointArray" 1 1 2 3 1 ;
	addAttr -ci true -sn "va" -ln "vectors" -dt "vectorArray";
	setAttr ".va" -type "vectorArray" 2 1 0 0 0 1 0 ;
createNode mesh -n "shape" -p "xf";
	setAttr -s 4 ".vt[0:3]"  -0.5 -0.5 0.5 0.5 -0.5 0.5 -0.5 0.5 0.5 0.5 0.5 0.5;
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 4 ".uvst[0].uvsp[0:3]" -type "float2" 0 0 1 0 0 1 1 1;
	setAttr -s 4 ".ed[0:3]"  0 1 0 0 2 1 1 3 0 2 3 0;
	setAttr -s 2 ".fc[0:1]" -type "polyFaces"
		f 3 0 2 -2
		mu 0 3 0 1 2
		f 3 -4 -3 1
		mu 0 3 1 3 2
		mc 0 3 0 1 2 ;
	setAttr ".iog[0].og[0].gcl" -type "componentList" 2 "f[0]" "vtx[0:3]";
	setAttr ".pt[2]" -type "float3" 0 0.25 0 ;
createNode nurbsCurve -n "curveShape" -p "xf";
	setAttr ".cc" -type "nurbsCurve"
		1 2 0 no 3
		3 0 1 2
		3
		0 0 0
		1 0 0
		1 1 0
		;
createNode skinCluster -n "skin";
	setAttr -s 2 ".wl";
	setAttr ".wl[0:1].w"
		2 0 0.25 1 0.75
		1 1 1;
	setAttr ".ma[0]" -type "matrix" "xform" 1 1 1 0 0 0 0 4 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 1 1 1 1 yes;
createNode fancyNode -n "fancy";
	setAttr -s 2 ".opacity[0:1]"  0 0 1 1 1 1;
	setAttr ".flag" yes;
	setAttr ".alias" -type "attributeAlias" {"pCube2","weight[0]"} ;
