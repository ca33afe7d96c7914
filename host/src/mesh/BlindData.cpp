#include <vornexhost/BlindData.h>
#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

namespace vornexhost {

namespace {

const char* valuesAttributeOf(MFn::Type componentType) {
    switch (componentType) {
    case MFn::kMeshPolygonComponent:
        return "faceBlindData";
    case MFn::kMeshVertComponent:
        return "vertexBlindData";
    case MFn::kMeshEdgeComponent:
        return "edgeBlindData";
    default:
        return nullptr;
    }
}

std::string formatOf(const Attribute& a) {
    if (a.kind == AttrKind::Typed)
        return a.dataKind == DataKind::String ? "string" : "binary";
    if (a.kind != AttrKind::Numeric)
        return "binary";
    switch (a.numericType) {
    case numeric::kBoolean:
        return "boolean";
    case numeric::kFloat:
        return "float";
    case numeric::kDouble:
        return "double";
    default:
        return numeric::isInteger(a.numericType) ? "int" : "binary";
    }
}

} // namespace

bool BlindDataSource::has(int componentId) const {
    if (componentId < 0)
        return false;
    const ArrayStore* array = arrayStoreOf({node, values, {-1}}, false);
    return array && array->find(static_cast<std::uint32_t>(componentId)) >= 0;
}

const BlindDataAttribute* BlindDataSource::find(const std::string& name) const {
    for (const BlindDataAttribute& a : attributes)
        if (a.longName == name || a.shortName == name)
            return &a;
    return nullptr;
}

std::vector<BlindDataSource> blindDataSources(const Node& shape, MFn::Type componentType) {
    std::vector<BlindDataSource> out;
    const char* valuesName = valuesAttributeOf(componentType);
    const Scene* scene = shape.scene();
    if (!valuesName || !scene)
        return out;
    for (std::uint32_t index : shape.connectionsIn) {
        const Connection& c = scene->connection(index);
        if (!c.alive || c.destination.node != &shape ||
            c.destination.attribute->longName != "blindDataNodes")
            continue;
        Node* node = c.source.node;
        const Attribute* values = node ? node->findAttribute(valuesName) : nullptr;
        if (!values || !values->array || values->parent)
            continue;
        BlindDataSource source;
        source.node = node;
        source.values = values;
        source.id = static_cast<int>(nodeNumber(*node, "typeId", sceneTime()));
        for (const auto& child : values->children)
            source.attributes.push_back(
                {child->longName, child->shortName, formatOf(*child), child.get()});
        if (!source.attributes.empty())
            out.push_back(std::move(source));
    }
    return out;
}

} // namespace vornexhost
