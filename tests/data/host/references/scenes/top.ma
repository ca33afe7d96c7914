//Maya ASCII 2020 scene
file -r -ns "l" "loop.ma";
file -r -ns "t" "text.ma";
