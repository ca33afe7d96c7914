createNode transform -n "top1";
	setAttr ".t" -type "double3" 0 10 0 ;
createNode transform -n "inst1" -p "top1";
	setAttr ".t" -type "double3" 1 0 0 ;
createNode mesh -n "instShape" -p "inst1";
createNode mesh -n "instShapeOrig" -p "inst1";
	setAttr ".io" yes;
createNode transform -n "inst2";
	setAttr ".t" -type "double3" 0 0 5 ;
parent -s -nc -r -add "|top1|inst1|instShape" "inst2";
createNode transform -n "cam";
	setAttr ".t" -type "double3" 0 0 10 ;
	setAttr ".r" -type "double3" 0 90 0 ;
createNode camera -n "camShape" -p "cam";
	setAttr ".fl" 50;
	setAttr ".o" yes;
	setAttr ".ow" 30;
createNode transform -n "crv";
	setAttr ".t" -type "double3" 0 1 0 ;
createNode nurbsCurve -n "crvShape" -p "crv";
	setAttr ".cc" -type "nurbsCurve"
		3 1 2 yes 3
		7 -2 -1 0 1 2 3 4
		4
		0 0 0 1
		2 0 0 0.5
		2 2 0 1
		0 2 0 1
		;
	setAttr ".cp[1]" -type "double3" 0 0 3 ;
createNode lambert -n "shader";
	setAttr ".c" -type "float3" 1 0.5 0.25 ;
createNode shadingEngine -n "shaderSG";
connectAttr "shader.oc" "shaderSG.ss";
connectAttr "shader.ocr" "shaderSG.vsx";
