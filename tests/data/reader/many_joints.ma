//Maya ASCII 2020 scene
//Name: many_joints.ma
requires maya "2020";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya 2020";
fileInfo "version" "2020";
createNode joint -n "root";
createNode joint -n "bone1" -p "root";
	setAttr ".t" -type "double3" 1 0 0 ;
createNode joint -n "bone2" -p "root";
	setAttr ".t" -type "double3" 2 0 0 ;
createNode joint -n "bone3" -p "root";
	setAttr ".t" -type "double3" 3 0 0 ;
createNode joint -n "bone4" -p "root";
	setAttr ".t" -type "double3" 4 0 0 ;
createNode joint -n "bone5" -p "root";
	setAttr ".t" -type "double3" 5 0 0 ;
createNode joint -n "bone6" -p "root";
	setAttr ".t" -type "double3" 6 0 0 ;
createNode joint -n "bone7" -p "root";
	setAttr ".t" -type "double3" 7 0 0 ;
createNode joint -n "bone8" -p "root";
	setAttr ".t" -type "double3" 8 0 0 ;
createNode joint -n "bone9" -p "root";
	setAttr ".t" -type "double3" 9 0 0 ;
createNode joint -n "bone10" -p "root";
	setAttr ".t" -type "double3" 10 0 0 ;
createNode joint -n "bone11" -p "root";
	setAttr ".t" -type "double3" 11 0 0 ;
createNode joint -n "bone12" -p "root";
	setAttr ".t" -type "double3" 12 0 0 ;
createNode joint -n "bone13" -p "root";
	setAttr ".t" -type "double3" 13 0 0 ;
createNode joint -n "bone14" -p "root";
	setAttr ".t" -type "double3" 14 0 0 ;
createNode joint -n "bone15" -p "root";
	setAttr ".t" -type "double3" 15 0 0 ;
createNode joint -n "bone16" -p "root";
	setAttr ".t" -type "double3" 16 0 0 ;
createNode joint -n "bone17" -p "root";
	setAttr ".t" -type "double3" 17 0 0 ;
createNode joint -n "bone18" -p "root";
	setAttr ".t" -type "double3" 18 0 0 ;
createNode joint -n "bone19" -p "root";
	setAttr ".t" -type "double3" 19 0 0 ;
createNode joint -n "bone20" -p "root";
	setAttr ".t" -type "double3" 20 0 0 ;
createNode joint -n "bone21" -p "root";
	setAttr ".t" -type "double3" 21 0 0 ;
createNode joint -n "bone22" -p "root";
	setAttr ".t" -type "double3" 22 0 0 ;
createNode joint -n "bone23" -p "root";
	setAttr ".t" -type "double3" 23 0 0 ;
createNode joint -n "bone24" -p "root";
	setAttr ".t" -type "double3" 24 0 0 ;
createNode joint -n "bone25" -p "root";
	setAttr ".t" -type "double3" 25 0 0 ;
createNode joint -n "bone26" -p "root";
	setAttr ".t" -type "double3" 26 0 0 ;
createNode transform -n "cape";
	setAttr ".t" -type "double3" 0 0 0 ;
createNode mesh -n "capeShape" -p "cape";
	setAttr -k off ".v";
createNode mesh -n "capeShapeOrig" -p "cape";
	setAttr -k off ".v";
	setAttr ".io" yes;
createNode polyPlane -n "capePlane";
	setAttr ".sw" 6;
	setAttr ".sh" 4;
createNode skinCluster -n "capeSkin";
	setAttr -s 35 ".wl";
	setAttr ".wl[0:34].w"
		1 0 1
		1 1 1
		1 2 1
		1 3 1
		1 4 1
		1 5 1
		1 6 1
		1 7 1
		1 8 1
		1 9 1
		1 10 1
		1 11 1
		1 12 1
		1 13 1
		1 14 1
		1 15 1
		1 16 1
		1 17 1
		1 18 1
		1 19 1
		1 20 1
		1 21 1
		1 22 1
		1 23 1
		1 24 1
		1 25 1
		1 26 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1;
createNode transform -n "banner";
	setAttr ".t" -type "double3" 0 0 5 ;
createNode mesh -n "bannerShape" -p "banner";
	setAttr -k off ".v";
createNode mesh -n "bannerShapeOrig" -p "banner";
	setAttr -k off ".v";
	setAttr ".io" yes;
createNode polyPlane -n "bannerPlane";
	setAttr ".sw" 6;
	setAttr ".sh" 4;
createNode skinCluster -n "bannerSkin";
	setAttr -s 35 ".wl";
	setAttr ".wl[0:34].w"
		1 0 1
		1 1 1
		1 2 1
		1 3 1
		1 4 1
		1 5 1
		1 6 1
		1 7 1
		1 8 1
		1 9 1
		1 10 1
		1 11 1
		1 12 1
		1 13 1
		1 14 1
		1 15 1
		1 16 1
		1 17 1
		1 18 1
		1 19 1
		1 20 1
		1 21 1
		1 22 1
		1 23 1
		1 24 1
		1 25 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1
		1 0 1;
connectAttr "capePlane.out" "capeShapeOrig.i";
connectAttr "capeShapeOrig.w" "capeSkin.ip[0].ig";
connectAttr "capeSkin.og[0]" "capeShape.i";
connectAttr "root.wm" "capeSkin.ma[0]";
connectAttr "bone1.wm" "capeSkin.ma[1]";
connectAttr "bone2.wm" "capeSkin.ma[2]";
connectAttr "bone3.wm" "capeSkin.ma[3]";
connectAttr "bone4.wm" "capeSkin.ma[4]";
connectAttr "bone5.wm" "capeSkin.ma[5]";
connectAttr "bone6.wm" "capeSkin.ma[6]";
connectAttr "bone7.wm" "capeSkin.ma[7]";
connectAttr "bone8.wm" "capeSkin.ma[8]";
connectAttr "bone9.wm" "capeSkin.ma[9]";
connectAttr "bone10.wm" "capeSkin.ma[10]";
connectAttr "bone11.wm" "capeSkin.ma[11]";
connectAttr "bone12.wm" "capeSkin.ma[12]";
connectAttr "bone13.wm" "capeSkin.ma[13]";
connectAttr "bone14.wm" "capeSkin.ma[14]";
connectAttr "bone15.wm" "capeSkin.ma[15]";
connectAttr "bone16.wm" "capeSkin.ma[16]";
connectAttr "bone17.wm" "capeSkin.ma[17]";
connectAttr "bone18.wm" "capeSkin.ma[18]";
connectAttr "bone19.wm" "capeSkin.ma[19]";
connectAttr "bone20.wm" "capeSkin.ma[20]";
connectAttr "bone21.wm" "capeSkin.ma[21]";
connectAttr "bone22.wm" "capeSkin.ma[22]";
connectAttr "bone23.wm" "capeSkin.ma[23]";
connectAttr "bone24.wm" "capeSkin.ma[24]";
connectAttr "bone25.wm" "capeSkin.ma[25]";
connectAttr "bone26.wm" "capeSkin.ma[26]";
connectAttr "bannerPlane.out" "bannerShapeOrig.i";
connectAttr "bannerShapeOrig.w" "bannerSkin.ip[0].ig";
connectAttr "bannerSkin.og[0]" "bannerShape.i";
connectAttr "root.wm" "bannerSkin.ma[0]";
connectAttr "bone1.wm" "bannerSkin.ma[1]";
connectAttr "bone2.wm" "bannerSkin.ma[2]";
connectAttr "bone3.wm" "bannerSkin.ma[3]";
connectAttr "bone4.wm" "bannerSkin.ma[4]";
connectAttr "bone5.wm" "bannerSkin.ma[5]";
connectAttr "bone6.wm" "bannerSkin.ma[6]";
connectAttr "bone7.wm" "bannerSkin.ma[7]";
connectAttr "bone8.wm" "bannerSkin.ma[8]";
connectAttr "bone9.wm" "bannerSkin.ma[9]";
connectAttr "bone10.wm" "bannerSkin.ma[10]";
connectAttr "bone11.wm" "bannerSkin.ma[11]";
connectAttr "bone12.wm" "bannerSkin.ma[12]";
connectAttr "bone13.wm" "bannerSkin.ma[13]";
connectAttr "bone14.wm" "bannerSkin.ma[14]";
connectAttr "bone15.wm" "bannerSkin.ma[15]";
connectAttr "bone16.wm" "bannerSkin.ma[16]";
connectAttr "bone17.wm" "bannerSkin.ma[17]";
connectAttr "bone18.wm" "bannerSkin.ma[18]";
connectAttr "bone19.wm" "bannerSkin.ma[19]";
connectAttr "bone20.wm" "bannerSkin.ma[20]";
connectAttr "bone21.wm" "bannerSkin.ma[21]";
connectAttr "bone22.wm" "bannerSkin.ma[22]";
connectAttr "bone23.wm" "bannerSkin.ma[23]";
connectAttr "bone24.wm" "bannerSkin.ma[24]";
connectAttr "bone25.wm" "bannerSkin.ma[25]";
// End of many_joints.ma
