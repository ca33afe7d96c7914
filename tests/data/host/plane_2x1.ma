createNode transform -n "p";
createNode mesh -n "pShape" -p "p";
createNode polyPlane -n "pp";
  setAttr ".w" 2; setAttr ".h" 1; setAttr ".sw" 2; setAttr ".sh" 1;
connectAttr "pp.out" "pShape.i";
connectAttr "pShape.iog" ":initialShadingGroup.dsm" -na;
