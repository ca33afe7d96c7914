createNode transform -n "a";
createNode transform -n "b" -p "a";
createNode transform -n "c" -p "b";
parent -w "c";
parent "b" "c";
createNode fancyNode -n "f";
	setAttr ".outer[2].inner[3].leaf" 7;
	setAttr ".outer[2].inner[1].leaf" 5;
	setAttr ".outer[0].name" -type "string" "zero";
