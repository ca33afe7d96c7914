// The cgfxShader node type: a plug-in hardware shader node whose "shader" attribute holds the
// effect file path. The effect's parameters become dynamic attributes that scene files add.
#include <vornexhost/AttributeFactory.h>
#include <vornexhost/NodeType.h>

#include <maya/MPxNode.h>

namespace vornexhost {

void defineCgfxShaderType(NodeTypeRegistry& r) {
    NodeType* t = r.create("cgfxShader", MFn::kPluginHwShaderNode, 0xF37A0C30, "dependNode");
    t->pluginKind = MPxNode::kHwShaderNode;
    t->classification = "shader/surface/utility";
    t->add(makeTyped("shader", "s", DataKind::String));
    t->add(makeTyped("technique", "t", DataKind::String));
    t->add(makeTyped("attributeList", "al", DataKind::StringArray));
    t->add(makeTyped("vertexAttributeList", "val", DataKind::StringArray));
    t->add(makeTyped("vertexAttributeSource", "vas", DataKind::StringArray));
    t->add(makeTyped("texCoordSource", "tcs", DataKind::StringArray));
    t->add(makeTyped("colorSource", "cs", DataKind::StringArray));
    AttributePtr out =
        makeVector("outColor", "oc", numeric::kFloat, AttrUnit::None, {0, 0, 0}, "RGB");
    out->usedAsColor = true;
    t->add(out);
    AttributePtr transparency =
        makeVector("outTransparency", "ot", numeric::kFloat, AttrUnit::None, {0, 0, 0}, "RGB");
    transparency->usedAsColor = true;
    t->add(transparency);
}

} // namespace vornexhost
