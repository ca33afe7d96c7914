createNode transform -n "a";
createNode mesh -n "aShape" -p "a";
createNode transform -n "b";
createNode mesh -n "bShape" -p "b";
connectAttr "aShape.iog" ":initialShadingGroup.dsm" -na;
connectAttr "bShape.iog" ":initialShadingGroup.dsm" -na;
connectAttr "aShape.iog.og[0]" ":initialShadingGroup.dsm" -na;
connectAttr ":defaultColorMgtGlobals.cme" "a.v";
connectAttr "b.t" "a.t" -f;
