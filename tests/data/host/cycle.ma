createNode transform -n "a";
	setAttr ".tx" 4;
createNode transform -n "b";
connectAttr "a.tx" "b.tx";
connectAttr "b.tx" "a.tx";
connectAttr "a.wm" "b.opm";
connectAttr "b.wm" "a.opm";
