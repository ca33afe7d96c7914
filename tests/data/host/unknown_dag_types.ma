createNode transform -n "lightXf";
createNode pointLight -n "lightShape" -p "lightXf";
createNode transform -n "fluidXf";
createNode someNewShape -n "newShape" -p "fluidXf";
createNode someNewNode -n "loose";
createNode ikHandle -n "handle";
