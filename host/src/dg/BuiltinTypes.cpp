// The node types the stand-in knows, with the attributes (long and short names as the scene
// file writes them, types, defaults) that scenes set and the plug-in reads.
#include <vornexhost/AttributeFactory.h>
#include <vornexhost/NodeType.h>

namespace vornexhost {
namespace {

using namespace numeric;
constexpr AttrUnit kNone = AttrUnit::None;
constexpr AttrUnit kDist = AttrUnit::Distance;
constexpr AttrUnit kAngle = AttrUnit::Angle;
constexpr AttrUnit kTimeUnit = AttrUnit::Time;

AttributePtr boolean(const char* l, const char* s, bool d) {
    return makeNumeric(l, s, kBoolean, d ? 1.0 : 0.0);
}
AttributePtr dbl(const char* l, const char* s, double d, AttrUnit u = kNone) {
    return makeNumeric(l, s, kDouble, d, u);
}
AttributePtr flt(const char* l, const char* s, double d) {
    return makeNumeric(l, s, kFloat, d);
}
AttributePtr lng(const char* l, const char* s, double d) {
    return makeNumeric(l, s, kLong, d);
}
AttributePtr color(const char* l, const char* s, double r, double g, double b) {
    AttributePtr a = makeVector(l, s, kFloat, kNone, {r, g, b}, "RGB");
    a->usedAsColor = true;
    return a;
}
AttributePtr matrix(const char* l, const char* s) {
    return makeTyped(l, s, DataKind::Matrix);
}
AttributePtr instanced(AttributePtr a) {
    a->instanced = true;
    return a;
}
AttributePtr str(const char* l, const char* s) {
    return makeTyped(l, s, DataKind::String);
}

void defineDependNode(NodeTypeRegistry& r) {
    NodeType* t = r.create("dependNode", MFn::kDependencyNode, 0, "");
    t->add(makeMessage("message", "msg"));
    t->add(boolean("caching", "cch", false));
    t->add(makeEnum("nodeState", "nds", 0));
    t->add(makeNumeric("isHistoricallyInteresting", "ihi", kByte, 2));
    t->add(str("binMembership", "bnm"));
    t->add(boolean("frozen", "fzn", false));
}

void defineDag(NodeTypeRegistry& r) {
    NodeType* dag = r.create("dagNode", MFn::kDagNode, 0, "dependNode");
    dag->dag = true;
    dag->add(boolean("visibility", "v", true));
    dag->add(boolean("intermediateObject", "io", false));
    dag->add(boolean("template", "tmp", false));
    dag->add(boolean("lodVisibility", "lodv", true));
    dag->add(boolean("hiddenInOutliner", "hio", false));
    dag->add(boolean("overrideEnabled", "ove", false));
    dag->add(makeEnum("overrideDisplayType", "ovdt", 0));
    dag->add(boolean("overrideVisibility", "ovv", true));
    dag->add(boolean("overrideShading", "ovs", true));
    dag->add(boolean("overrideTexturing", "ovt", true));
    dag->add(boolean("overridePlayback", "ovp", true));
    dag->add(makeNumeric("overrideColor", "ovc", kByte, 0));
    dag->add(boolean("useObjectColor", "uoc", false));
    dag->add(makeNumeric("objectColor", "oc", kShort, 0));
    AttributePtr groups = arrayOf(makeCompound(
        "objectGroups", "og",
        {makeTyped("objectGrpCompList", "gcl", DataKind::ComponentList),
         lng("objectGroupId", "gid", 0), makeNumeric("objectGrpColor", "gco", kShort, 0)}));
    dag->add(instanced(arrayOf(makeCompound("instObjGroups", "iog", {groups}))));
    dag->add(computed(matrix("matrix", "m"), Computed::Matrix));
    dag->add(computed(matrix("inverseMatrix", "im"), Computed::InverseMatrix));
    dag->add(instanced(computed(arrayOf(matrix("worldMatrix", "wm")), Computed::WorldMatrix)));
    dag->add(instanced(
        computed(arrayOf(matrix("worldInverseMatrix", "wim")), Computed::WorldInverseMatrix)));
    dag->add(instanced(computed(arrayOf(matrix("parentMatrix", "pm")), Computed::ParentMatrix)));
    dag->add(instanced(
        computed(arrayOf(matrix("parentInverseMatrix", "pim")), Computed::ParentInverseMatrix)));
    dag->add(arrayOf(makeCompound("renderLayerInfo", "rlio",
                                  {lng("renderLayerId", "rli", 0),
                                   boolean("renderLayerRenderable", "rlr", false),
                                   makeNumeric("renderLayerColor", "rlc", kByte, 0)})));

    NodeType* world = r.create("world", MFn::kWorld, 0, "dagNode");
    (void)world;

    NodeType* xf = r.create("transform", MFn::kTransform, 0x5846524d, "dagNode");
    xf->transform = true;
    xf->add(makeVector("translate", "t", kDouble, kDist, {0, 0, 0}));
    xf->add(makeVector("rotate", "r", kDouble, kAngle, {0, 0, 0}));
    xf->add(makeEnum("rotateOrder", "ro", 0));
    xf->add(makeVector("scale", "s", kDouble, kNone, {1, 1, 1}));
    AttributePtr shear = makeCompound(
        "shear", "sh",
        {dbl("shearXY", "shxy", 0), dbl("shearXZ", "shxz", 0), dbl("shearYZ", "shyz", 0)});
    shear->kind = AttrKind::Numeric;
    shear->numericType = k3Double;
    xf->add(shear);
    xf->add(makeVector("rotatePivot", "rp", kDouble, kDist, {0, 0, 0}));
    xf->add(makeVector("rotatePivotTranslate", "rpt", kDouble, kDist, {0, 0, 0}));
    xf->add(makeVector("scalePivot", "sp", kDouble, kDist, {0, 0, 0}));
    xf->add(makeVector("scalePivotTranslate", "spt", kDouble, kDist, {0, 0, 0}));
    xf->add(makeVector("rotateAxis", "ra", kDouble, kAngle, {0, 0, 0}));
    xf->add(boolean("inheritsTransform", "it", true));
    xf->add(boolean("displayHandle", "dh", false));
    xf->add(boolean("displayScalePivot", "dsp", false));
    xf->add(boolean("displayRotatePivot", "drp", false));
    xf->add(boolean("displayLocalAxis", "dla", false));
    xf->add(makeVector("selectHandle", "hdl", kDouble, kDist, {0, 0, 0}));
    xf->add(matrix("offsetParentMatrix", "opm"));
    xf->add(matrix("xformMatrix", "xm"));

    NodeType* joint = r.create("joint", MFn::kJoint, 0x4a4f494e, "transform");
    joint->add(makeVector("jointOrient", "jo", kDouble, kAngle, {0, 0, 0}));
    joint->add(boolean("segmentScaleCompensate", "ssc", true));
    joint->add(makeVector("inverseScale", "is", kDouble, kNone, {1, 1, 1}));
    joint->add(dbl("radius", "radi", 1.0));
    joint->add(makeEnum("drawStyle", "ds", 0));
    joint->add(makeEnum("side", "sd", 0));
    joint->add(makeEnum("type", "typ", 0));
    joint->add(str("otherType", "otp"));
    joint->add(boolean("drawLabel", "dl", false));
    joint->add(matrix("bindPose", "bps"));
    joint->add(makeVector("preferredAngle", "pa", kDouble, kAngle, {0, 0, 0}));
    joint->add(makeVector("stiffness", "st", kDouble, kNone, {0, 0, 0}));
    joint->add(boolean("jointTypeX", "jtx", true));
    joint->add(boolean("jointTypeY", "jty", true));
    joint->add(boolean("jointTypeZ", "jtz", true));
    joint->add(makeVector("minRotLimit", "mnrl", kDouble, kAngle, {-6.2832, -6.2832, -6.2832}));
    joint->add(makeVector("maxRotLimit", "mxrl", kDouble, kAngle, {6.2832, 6.2832, 6.2832}));

    NodeType* lod = r.create("lodGroup", MFn::kLodGroup, 0x4c4f4447, "transform");
    lod->add(arrayOf(dbl("threshold", "th", 0.0, kDist)));
    lod->add(lng("activeLevel", "al", 0));
    lod->add(arrayOf(makeEnum("displayLevel", "dsl", 0)));
    lod->add(boolean("useScreenHeightPercentage", "ush", false));
    lod->add(boolean("minMaxDistance", "mmd", false));
    lod->add(dbl("minDistance", "mnd", -100.0, kDist));
    lod->add(dbl("maxDistance", "mxd", 100.0, kDist));
    lod->add(arrayOf(boolean("output", "out", false)));
    lod->add(matrix("cameraMatrix", "cm"));

    NodeType* shape = r.create("shape", MFn::kShape, 0, "dagNode");
    (void)shape;

    NodeType* mesh = r.create("mesh", MFn::kMesh, 0x444d5348, "shape");
    mesh->add(makeTyped("inMesh", "i", DataKind::Mesh));
    mesh->add(makeTyped("outMesh", "o", DataKind::Mesh));
    mesh->add(arrayOf(makeTyped("worldMesh", "w", DataKind::Mesh)));
    mesh->add(arrayOf(makeCompound(
        "vrts", "vt", {flt("vrtx", "vx", 0), flt("vrty", "vy", 0), flt("vrtz", "vz", 0)})));
    mesh->add(arrayOf(makeCompound(
        "pnts", "pt", {flt("pntx", "px", 0), flt("pnty", "py", 0), flt("pntz", "pz", 0)})));
    mesh->add(arrayOf(makeCompound(
        "edge", "ed", {lng("edg1", "e1", 0), lng("edg2", "e2", 0), lng("edgh", "eh", 0)})));
    mesh->add(arrayOf(makeTyped("face", "fc", DataKind::PolyFaces)));
    mesh->add(arrayOf(
        makeCompound("normals", "n",
                     {flt("normalx", "nx", 0), flt("normaly", "ny", 0), flt("normalz", "nz", 0)})));
    AttributePtr uvPoints = arrayOf(makeCompound(
        "uvSetPoints", "uvsp", {flt("uvSetPointsU", "uvpu", 0), flt("uvSetPointsV", "uvpv", 0)}));
    mesh->add(arrayOf(makeCompound("uvSet", "uvst", {str("uvSetName", "uvsn"), uvPoints})));
    mesh->add(str("currentUVSet", "cuvs"));
    AttributePtr colorPoints = arrayOf(
        makeCompound("colorSetPoints", "clsp",
                     {flt("colorSetPointsR", "clpr", 0), flt("colorSetPointsG", "clpg", 0),
                      flt("colorSetPointsB", "clpb", 0), flt("colorSetPointsA", "clpa", 1)}));
    mesh->add(arrayOf(makeCompound("colorSet", "clst",
                                   {str("colorName", "clsn"), boolean("clamped", "clam", false),
                                    makeEnum("representation", "rprt", 3), colorPoints})));
    mesh->add(str("currentColorSet", "ccls"));
    mesh->add(boolean("displayColors", "dcol", false));
    mesh->add(arrayOf(makeCompound("colors", "clr",
                                   {flt("colorR", "clrr", 0), flt("colorG", "clrg", 0),
                                    flt("colorB", "clrb", 0), flt("colorA", "clra", 1)})));
    mesh->add(arrayOf(makeMessage("blindDataNodes", "bn")));

    NodeType* curve = r.create("nurbsCurve", MFn::kNurbsCurve, 0x4e435256, "shape");
    curve->add(makeTyped("create", "cr", DataKind::NurbsCurve));
    curve->add(makeTyped("cached", "cc", DataKind::NurbsCurve));
    curve->add(makeTyped("local", "l", DataKind::NurbsCurve));
    curve->add(arrayOf(makeTyped("worldSpace", "ws", DataKind::NurbsCurve)));
    curve->add(arrayOf(makeCompound("controlPoints", "cp",
                                    {dbl("xValue", "xv", 0, kDist), dbl("yValue", "yv", 0, kDist),
                                     dbl("zValue", "zv", 0, kDist)})));
    curve->add(boolean("dispCV", "dcv", false));

    NodeType* locator = r.create("locator", MFn::kLocator, 0x4c4f4341, "shape");
    locator->add(makeVector("localPosition", "lp", kDouble, kDist, {0, 0, 0}));
    locator->add(makeVector("localScale", "los", kDouble, kDist, {1, 1, 1}, "XYZ"));

    NodeType* camera = r.create("camera", MFn::kCamera, 0x4443414d, "shape");
    camera->add(dbl("focalLength", "fl", 35.0));
    camera->add(dbl("centerOfInterest", "coi", 5.0, kDist));
    camera->add(boolean("orthographic", "o", false));
    camera->add(dbl("orthographicWidth", "ow", 10.0, kDist));
    camera->add(dbl("nearClipPlane", "ncp", 0.1, kDist));
    camera->add(dbl("farClipPlane", "fcp", 10000.0, kDist));
    camera->add(dbl("horizontalFilmAperture", "hfa", 1.41732));
    camera->add(dbl("verticalFilmAperture", "vfa", 0.94488));
    camera->add(dbl("lensSqueezeRatio", "lsr", 1.0));
    camera->add(dbl("cameraScale", "cs", 1.0));
    camera->add(makeEnum("filmFit", "ff", 1));
    camera->add(boolean("renderable", "rnd", true));
    camera->add(str("imageName", "imn"));
    camera->add(str("depthName", "den"));
    camera->add(str("maskName", "man"));
    camera->add(str("homeCommand", "hc"));
    camera->add(makeVector("tumblePivot", "tp", kDouble, kDist, {0, 0, 0}));
}

void defineAnimCurve(NodeTypeRegistry& r, const char* name, MFn::Type type, unsigned id,
                     AttrUnit valueUnit) {
    NodeType* t = r.create(name, type, id, "dependNode");
    t->add(makeEnum("tangentType", "tan", 18));
    t->add(boolean("weightedTangents", "wgt", false));
    t->add(makeEnum("preInfinity", "pre", 0));
    t->add(makeEnum("postInfinity", "pst", 0));
    t->add(arrayOf(
        makeCompound("keyTimeValue", "ktv",
                     {dbl("keyTime", "kt", 0, kTimeUnit), dbl("keyValue", "kv", 0, valueUnit)})));
    t->add(arrayOf(makeEnum("keyTanInType", "kit", 0)));
    t->add(arrayOf(makeEnum("keyTanOutType", "kot", 0)));
    t->add(arrayOf(dbl("keyTanInX", "kix", 0)));
    t->add(arrayOf(dbl("keyTanInY", "kiy", 0)));
    t->add(arrayOf(dbl("keyTanOutX", "kox", 0)));
    t->add(arrayOf(dbl("keyTanOutY", "koy", 0)));
    t->add(arrayOf(boolean("keyTanLocked", "kl", true)));
    t->add(arrayOf(boolean("keyWeightLocked", "kwl", true)));
    t->add(arrayOf(boolean("keyBreakdown", "kbd", false)));
    t->add(dbl("input", "i", 0, kTimeUnit));
    t->add(computed(dbl("output", "o", 0, valueUnit), Computed::CurveOutput));
    t->add(makeEnum("rotationInterpolation", "ri", 0));
    t->add(boolean("useCurveColor", "ucc", false));
}

void defineUtilityTypes(NodeTypeRegistry& r) {
    defineAnimCurve(r, "animCurveTL", MFn::kAnimCurveTimeToDistance, 0x5041434c, kDist);
    defineAnimCurve(r, "animCurveTA", MFn::kAnimCurveTimeToAngular, 0x50414341, kAngle);
    defineAnimCurve(r, "animCurveTU", MFn::kAnimCurveTimeToUnitless, 0x50414355, kNone);
    defineAnimCurve(r, "animCurveTT", MFn::kAnimCurveTimeToTime, 0x50414354, kTimeUnit);

    NodeType* time = r.create("time", MFn::kTime, 0x54494d45, "dependNode");
    time->add(computed(dbl("outTime", "o", 0, kTimeUnit), Computed::TimeOutput));
    time->add(dbl("unwarpedTime", "unw", 0, kTimeUnit));
    time->add(boolean("enableTimewarp", "etw", false));

    NodeType* conv = r.create("unitConversion", MFn::kUnitConversion, 0x44554e43, "dependNode");
    conv->add(makeGeneric("input", "i"));
    conv->add(computed(makeGeneric("output", "o"), Computed::ConversionOutput));
    conv->add(dbl("conversionFactor", "cf", 1.0));

    NodeType* script = r.create("script", MFn::kScript, 0x53435250, "dependNode");
    script->add(str("before", "b"));
    script->add(str("after", "a"));
    script->add(makeEnum("scriptType", "st", 0));
    script->add(makeEnum("sourceType", "stp", 0));

    NodeType* set = r.create("objectSet", MFn::kSet, 0x4f425354, "dependNode");
    set->add(arrayOf(makeMessage("dagSetMembers", "dsm")));
    set->add(arrayOf(makeMessage("dnSetMembers", "dnsm")));
    set->add(makeNumeric("memberWireframeColor", "mwc", kShort, -1));
    set->add(str("annotation", "an"));
    set->add(boolean("isLayer", "il", false));
    set->add(boolean("verticesOnlySet", "vo", false));
    set->add(boolean("edgesOnlySet", "eo", false));
    set->add(boolean("facetsOnlySet", "fo", false));
    set->add(boolean("editPointsOnlySet", "ep", false));
    set->add(boolean("renderableOnlySet", "ro", false));
    set->add(arrayOf(makeMessage("groupNodes", "gn")));
    set->add(arrayOf(makeMessage("usedBy", "ub")));

    NodeType* sg = r.create("shadingEngine", MFn::kShadingEngine, 0x53484144, "objectSet");
    sg->add(makeVector("surfaceShader", "ss", kFloat, kNone, {0, 0, 0}));
    sg->add(makeVector("volumeShader", "vs", kFloat, kNone, {0, 0, 0}));
    sg->add(flt("displacementShader", "ds", 0));

    NodeType* groupId = r.create("groupId", MFn::kGroupId, 0x47524944, "dependNode");
    groupId->add(lng("groupId", "id", 0));

    NodeType* filter = r.create("geometryFilter", MFn::kGeometryFilt, 0, "dependNode");
    filter->add(arrayOf(
        makeCompound("input", "ip",
                     {makeTyped("inputGeometry", "ig", DataKind::Mesh), lng("groupId", "gi", 0)})));
    filter->add(arrayOf(makeTyped("outputGeometry", "og", DataKind::Mesh)));
    filter->add(flt("envelope", "en", 1.0));

    NodeType* parts = r.create("groupParts", MFn::kGroupParts, 0x47525050, "geometryFilter");
    parts->add(makeTyped("inputComponents", "ic", DataKind::ComponentList));
    parts->add(lng("groupId", "gi", 0));
    r.create("tweak", MFn::kTweak, 0x5457454b, "geometryFilter");
    NodeType* skin = r.create("skinCluster", MFn::kSkinClusterFilter, 0x46534b53, "geometryFilter");
    skin->add(arrayOf(makeCompound("weightList", "wl", {arrayOf(dbl("weights", "w", 0))})));
    skin->add(arrayOf(matrix("matrix", "ma")));
    skin->add(arrayOf(matrix("bindPreMatrix", "pm")));
    skin->add(matrix("geomMatrix", "gm"));
    skin->add(lng("maxInfluences", "mi", 5));
    skin->add(makeEnum("normalizeWeights", "nw", 1));
    skin->add(makeEnum("skinningMethod", "skm", 0));
    skin->add(arrayOf(boolean("lockWeights", "lw", false)));
    skin->add(arrayOf(dbl("dropoff", "dpf", 4.0)));

    NodeType* info = r.create("materialInfo", MFn::kMaterialInfo, 0x444d5449, "dependNode");
    info->add(makeMessage("shadingGroup", "sg"));
    info->add(arrayOf(makeMessage("material", "m")));
    info->add(arrayOf(makeMessage("texture", "t")));
    r.create("lightLinker", MFn::kLightLink, 0x4c4c4e4b, "dependNode");
}

void defineShading(NodeTypeRegistry& r) {
    NodeType* lambert = r.create("lambert", MFn::kLambert, 0x524c414d, "dependNode");
    lambert->add(color("color", "c", 0.5, 0.5, 0.5));
    lambert->add(color("transparency", "it", 0, 0, 0));
    lambert->add(color("ambientColor", "ac", 0, 0, 0));
    lambert->add(color("incandescence", "ic", 0, 0, 0));
    lambert->add(flt("diffuse", "dc", 0.8));
    lambert->add(flt("translucence", "tc", 0.0));
    lambert->add(makeVector("normalCamera", "n", kFloat, kNone, {0, 0, 0}));
    lambert->add(color("outColor", "oc", 0, 0, 0));
    lambert->add(color("outTransparency", "ot", 0, 0, 0));

    NodeType* reflect = r.create("reflect", MFn::kReflect, 0, "lambert");
    reflect->add(color("specularColor", "sc", 0.5, 0.5, 0.5));
    reflect->add(flt("reflectivity", "rfl", 0.5));
    reflect->add(color("reflectedColor", "rc", 0, 0, 0));
    NodeType* blinn = r.create("blinn", MFn::kBlinn, 0x52424c4e, "reflect");
    blinn->add(flt("eccentricity", "ec", 0.3));
    blinn->add(flt("specularRollOff", "sro", 0.7));
    NodeType* phong = r.create("phong", MFn::kPhong, 0x5250484f, "reflect");
    phong->add(flt("cosinePower", "cp", 20.0));

    NodeType* layered = r.create("layeredShader", MFn::kLayeredShader, 0x4c595253, "dependNode");
    layered->add(
        arrayOf(makeCompound("inputs", "cs",
                             {color("color", "c", 0, 0, 0), color("transparency", "t", 0, 0, 0),
                              color("glowColor", "g", 0, 0, 0)})));
    layered->add(makeEnum("compositingFlag", "cflg", 0));
    layered->add(color("outColor", "oc", 0, 0, 0));
    layered->add(color("outTransparency", "ot", 0, 0, 0));

    // Picks a colour per shape: input[i].inShape is connected from a shape's instObjGroups.
    NodeType* triple = r.create("tripleShadingSwitch", MFn::kDependencyNode, 0, "dependNode");
    triple->add(arrayOf(makeCompound(
        "input", "i", {makeMessage("inShape", "is"), color("inTriple", "it", 0, 0, 0)})));
    triple->add(color("default", "def", 0, 0, 0));
    triple->add(color("output", "out", 0, 0, 0));

    NodeType* file = r.create("file", MFn::kFileTexture, 0x52544654, "dependNode");
    file->add(str("fileTextureName", "ftn"));
    file->add(color("outColor", "oc", 0, 0, 0));
    file->add(flt("outAlpha", "oa", 0));
    file->add(makeVector("uvCoord", "uv", kFloat, kNone, {0, 0}, "UV"));
    file->add(color("defaultColor", "dc", 0.5, 0.5, 0.5));
    file->add(makeEnum("filterType", "ft", 3));
    file->add(dbl("filter", "f", 1.0));
    file->add(boolean("wrapU", "wu", true));
    file->add(boolean("wrapV", "wv", true));
    file->add(boolean("mirrorU", "mu", false));
    file->add(boolean("mirrorV", "mv", false));
    file->add(makeVector("offset", "of", kFloat, kNone, {0, 0}, "UV"));
    file->add(makeVector("repeatUV", "re", kFloat, kNone, {1, 1}, "UV"));
    file->add(makeNumeric("rotateUV", "ro", kDouble, 0.0, kAngle));
    file->add(color("colorGain", "cg", 1, 1, 1));
    file->add(color("colorOffset", "co", 0, 0, 0));
    file->add(flt("alphaGain", "ag", 1.0));
    file->add(boolean("alphaIsLuminance", "ail", false));

    NodeType* place = r.create("place2dTexture", MFn::kPlace2dTexture, 0x52504c32, "dependNode");
    place->add(makeVector("uvCoord", "uv", kFloat, kNone, {0, 0}, "UV"));
    place->add(makeVector("outUV", "o", kFloat, kNone, {0, 0}, "UV"));
    place->add(makeVector("repeatUV", "re", kFloat, kNone, {1, 1}, "UV"));
    place->add(makeVector("offset", "of", kFloat, kNone, {0, 0}, "UV"));
    place->add(makeNumeric("rotateUV", "ro", kDouble, 0.0, kAngle));
    place->add(boolean("wrapU", "wu", true));
    place->add(boolean("wrapV", "wv", true));

    NodeType* chooser = r.create("uvChooser", MFn::kUvChooser, 0x55564348, "dependNode");
    chooser->add(arrayOf(str("uvSets", "uvs")));
    chooser->add(makeVector("outUv", "ouv", kFloat, kNone, {0, 0}, "UV"));

    NodeType* layeredTexture =
        r.create("layeredTexture", MFn::kLayeredTexture, 0x4c595454, "dependNode");
    layeredTexture->add(
        arrayOf(makeCompound("inputs", "cs",
                             {color("color", "c", 0, 0, 0), flt("alpha", "a", 1.0),
                              makeEnum("blendMode", "bm", 1), boolean("isVisible", "iv", true)})));
    layeredTexture->add(color("outColor", "oc", 0, 0, 0));
    layeredTexture->add(flt("outAlpha", "oa", 0));

    NodeType* bump = r.create("bump2d", MFn::kBump, 0x5242554d, "dependNode");
    bump->add(flt("bumpValue", "bv", 0));
    bump->add(flt("bumpDepth", "bd", 1.0));
    bump->add(makeEnum("bumpInterp", "bi", 0));
    bump->add(makeVector("outNormal", "o", kFloat, kNone, {0, 0, 0}));
}

// Kinds that Maya places in the DAG but the stand-in does not model: their nodes are generic
// DAG nodes.
void defineOtherDagTypes(NodeTypeRegistry& r) {
    static const char* const transforms[] = {
        "ikHandle",         "ikEffector",           "place3dTexture",   "fluidEmitter",
        "parentConstraint", "pointConstraint",      "orientConstraint", "aimConstraint",
        "scaleConstraint",  "poleVectorConstraint", "nucleus",          "hikIKEffector",
        "pointEmitter",     "volumeAxisField",      "airField",         "gravityField",
        "radialField",      "turbulenceField",      "dragField",        "uniformField",
        "vortexField",      "newtonField",          "clusterHandle",    "aimMatrix"};
    for (const char* name : transforms)
        r.create(name, MFn::kTransform, 0, "transform");
    static const char* const shapes[] = {
        "pointLight",  "directionalLight", "spotLight",        "ambientLight", "areaLight",
        "volumeLight", "nurbsSurface",     "subdiv",           "particle",     "nParticle",
        "fluidShape",  "lattice",          "baseLattice",      "follicle",     "hairSystem",
        "imagePlane",  "annotationShape",  "distanceDimShape", "renderBox",    "aiSkyDomeLight",
        "aiAreaLight", "nRigid",           "nCloth",           "pfxHair",      "stroke",
        "heightField", "renderSphere",     "renderCone",       "sketchPlane",  "orthoGrid"};
    for (const char* name : shapes)
        r.create(name, MFn::kShape, 0, "shape");
}

} // namespace

void defineBuiltinTypes(NodeTypeRegistry& registry) {
    defineDependNode(registry);
    defineDag(registry);
    defineUtilityTypes(registry);
    defineShading(registry);
    defineOtherDagTypes(registry);
    defineMeshHistoryTypes(registry);
    defineCgfxShaderType(registry);
}

} // namespace vornexhost
