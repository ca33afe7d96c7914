createNode blinn -n "shiny";
connectAttr "shiny.oc" ":initialShadingGroup.ss";
