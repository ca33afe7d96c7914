createNode transform -n "box";
createNode mesh -n "boxShape" -p "box";
createNode polySmoothFace -n "polySmoothFace1";
connectAttr "polySmoothFace1.out" "boxShape.i";
