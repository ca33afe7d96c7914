// Node types of mesh construction history with the attributes (long and short names as scene
// files write them, defaults) of the host: the polygon primitive creators and blind data.
#include <vornexhost/AttributeFactory.h>
#include <vornexhost/NodeType.h>

namespace vornexhost {

namespace {

using namespace numeric;

AttributePtr distance(const char* l, const char* s, double d) {
    return makeNumeric(l, s, kDouble, d, AttrUnit::Distance);
}

NodeType* creator(NodeTypeRegistry& r, const char* name, MFn::Type type, unsigned id) {
    NodeType* t = r.create(name, type, id, "dependNode");
    t->add(makeTyped("output", "out", DataKind::Mesh));
    t->add(makeVector("axis", "ax", kDouble, AttrUnit::None, {0, 1, 0}));
    return t;
}

} // namespace

void defineMeshHistoryTypes(NodeTypeRegistry& r) {
    NodeType* cube = creator(r, "polyCube", MFn::kPolyCube, 0x50435542);
    cube->add(distance("width", "w", 1.0));
    cube->add(distance("height", "h", 1.0));
    cube->add(distance("depth", "d", 1.0));
    cube->add(makeNumeric("subdivisionsWidth", "sw", kLong, 1));
    cube->add(makeNumeric("subdivisionsHeight", "sh", kLong, 1));
    cube->add(makeNumeric("subdivisionsDepth", "sd", kLong, 1));
    cube->add(makeEnum("createUVs", "cuv", 3));

    NodeType* plane = creator(r, "polyPlane", MFn::kPolyPlane, 0x50504c4e);
    plane->add(distance("width", "w", 1.0));
    plane->add(distance("height", "h", 1.0));
    plane->add(makeNumeric("subdivisionsWidth", "sw", kLong, 10));
    plane->add(makeNumeric("subdivisionsHeight", "sh", kLong, 10));
    plane->add(makeEnum("createUVs", "cuv", 1));

    NodeType* sphere = creator(r, "polySphere", MFn::kPolySphere, 0x50535048);
    sphere->add(distance("radius", "r", 1.0));
    sphere->add(makeNumeric("subdivisionsAxis", "sa", kLong, 20));
    sphere->add(makeNumeric("subdivisionsHeight", "sh", kLong, 20));
    sphere->add(makeEnum("createUVs", "cuv", 2));

    NodeType* cylinder = creator(r, "polyCylinder", MFn::kPolyCylinder, 0x5043594c);
    cylinder->add(distance("radius", "r", 1.0));
    cylinder->add(distance("height", "h", 2.0));
    cylinder->add(makeNumeric("subdivisionsAxis", "sa", kLong, 20));
    cylinder->add(makeNumeric("subdivisionsHeight", "sh", kLong, 1));
    cylinder->add(makeNumeric("subdivisionsCaps", "sc", kLong, 0));
    cylinder->add(makeEnum("createUVs", "cuv", 2));

    // Blind data: the data itself lives in dynamic attributes that files add
    // ("faceBlindData", "vertexBlindData", "edgeBlindData" with one child per attribute).
    NodeType* blind = r.create("polyBlindData", MFn::kPolyBlindData, 0x50424c44, "dependNode");
    blind->add(makeNumeric("typeId", "tid", kLong, 0));
    NodeType* templ =
        r.create("blindDataTemplate", MFn::kBlindDataTemplate, 0x42445450, "dependNode");
    templ->add(makeNumeric("typeId", "tid", kLong, 0));
    templ->add(makeTyped("bdUserInfoName", "bdui", DataKind::String));
}

} // namespace vornexhost
