//Maya ASCII 4.5 scene
createNode transform -n "notes";
