//Maya ASCII 4.5 scene
createNode transform -n "root_staticMesh";
createNode transform -n "spawn" -p "root_staticMesh";
createNode locator -n "spawnShape" -p "spawn";
