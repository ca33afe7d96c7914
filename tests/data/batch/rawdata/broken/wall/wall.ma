//Maya ASCII 4.5 scene
createNode transform -n "root_staticMesh";
setAttr ".t" -type "double3" 1 2
