createNode transform -n "p1";
createNode mesh -n "s" -p "p1";
createNode transform -n "p2";
parent -s -nc -r -add "|p1|s" "p2";
createNode shadingEngine -n "sg";
connectAttr "|p2|s.iog" "sg.dsm" -na;
connectAttr "|p1|s.iog" "sg.dsm" -na;
