//Maya ASCII 2020 scene
file -r -rpr "bolt" -rfn "boltRN" "bolt.ma";
createNode transform -n "handle";
parent -r "bolt_pin" "handle";
