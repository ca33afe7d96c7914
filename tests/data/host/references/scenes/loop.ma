//Maya ASCII 2020 scene
file -r -ns "again" "loop.ma";
createNode transform -n "ring";
