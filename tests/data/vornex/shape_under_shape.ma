//Maya ASCII 4.5 scene
//Name: shape_under_shape.ma
//Last modified: Mon, Dec 07, 2026 12:05:40 PM
requires maya "4.5";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
createNode transform -n "holder";
createNode locator -n "holderShape" -p "holder";
	setAttr -k off ".v";
createNode locator -n "strayShape" -p "holderShape";
	setAttr -k off ".v";
// End of shape_under_shape.ma
