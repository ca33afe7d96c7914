// Shading engines and material nodes: the supported material kinds, their channels, layered
// shaders, and the material cache that reads each node once and detects cycles.
#include "Shared/Graphics/Scene/ChannelValue.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Vornex/Reader/CgfxReading.h"
#include "Vornex/Reader/LayerBlending.h"
#include "Vornex/Reader/PlugReading.h"
#include "Vornex/Reader/ReaderReports.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/VornexException.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MPlugArray.h>

#include <array>

namespace vx {
namespace {

constexpr unsigned kCgfxShaderTypeId = 0xF37A0C30;

enum class RowKind { Color, Scalar, Bump };

// One standard channel of a material and the host attribute it comes from.
struct ChannelRow {
    const char* channel;
    const char* attribute;
    RowKind kind;
    const char* description;      // how a missing plug is named in the exception
    const char* childDescription; // the same for the colour children, before "R", "G", "B"
    const char* notSet;           // the Warning report, before the material's name and ">"
};

// In reading order. Lambert and Phong read the first seven rows, Blinn and hardware shaders
// all twelve.
constexpr std::array<ChannelRow, 12> kChannelRows = {{
    {"color", "color", RowKind::Color, "color", "color", "Color channel not set in <"},
    {"alpha", "transparency", RowKind::Color, "transparency", "transparency",
     "Alpha channel not set in <"},
    {"ambient", "ambientColor", RowKind::Color, "ambient color", "ambient",
     "Ambient color channel not set in <"},
    {"incandescence", "incandescence", RowKind::Color, "incandescence", "incandescence",
     "Incandescence channel not set in <"},
    {"bumpmap", "normalCamera", RowKind::Bump, "normalCamera", "",
     "Bump mapping channel not set in <"},
    {"diffuse", "diffuse", RowKind::Scalar, "diffuse", "", "Diffuse channel not set in <"},
    {"translucence", "translucence", RowKind::Scalar, "translucence", "",
     "Translucence channel not set in <"},
    {"eccentricity", "eccentricity", RowKind::Scalar, "eccentricity", "",
     "Eccentricity channel not set in <"},
    {"specularRollOff", "specularRollOff", RowKind::Scalar, "specularRollOff", "",
     "Specular roll off channel not set in <"},
    {"specularColor", "specularColor", RowKind::Color, "specular color", "specularColor",
     "Specular color channel not set in <"},
    {"reflectivity", "reflectivity", RowKind::Scalar, "reflectivity", "",
     "Reflectivity channel not set in <"},
    {"reflectedColor", "reflectedColor", RowKind::Color, "reflectedColor", "reflectedColor",
     "Reflected color channel not set in <"},
}};
constexpr std::size_t kLambertRows = 7;

bool isSupportedMaterial(MFn::Type type) {
    return type == MFn::kLambert || type == MFn::kBlinn || type == MFn::kPhong ||
           type == MFn::kLayeredShader || type == MFn::kPluginHwShaderNode;
}

// (r, g, b, 1) from the node's plugs `prefix`R, G, B; none when a plug is missing and
// `throwing` is false.
std::unique_ptr<ChannelValue> colorOfPlugs(const MFnDependencyNode& node,
                                           const std::string& material, const std::string& prefix,
                                           const std::string& description, bool throwing) {
    float rgb[3] = {0.0f, 0.0f, 0.0f};
    const char* suffixes[3] = {"R", "G", "B"};
    for (std::size_t k = 0; k < 3; ++k) {
        MStatus status;
        const MPlug plug = node.findPlug((prefix + suffixes[k]).c_str(), &status);
        if (!status) {
            if (!throwing)
                return nullptr;
            throw VornexException("Failed to get material <" + material + "> " + description +
                                      suffixes[k] + " plug",
                                  __LINE__, status);
        }
        plug.getValue(rgb[k]);
    }
    return std::make_unique<ColorValue>(rgb[0], rgb[1], rgb[2], 1.0f);
}

std::shared_ptr<Material> readSingleMaterial(SceneReader& reader, const MObject& node) {
    const MFn::Type type = node.apiType();
    VX_READER_ASSERT(type == MFn::kBlinn || type == MFn::kLambert || type == MFn::kPhong ||
                         type == MFn::kPluginHwShaderNode,
                     "singleMaterial.apiType() == MFn::kBlinn || singleMaterial.apiType() == "
                     "MFn::kLambert || singleMaterial.apiType() == MFn::kPhong || "
                     "singleMaterial.apiType() == MFn::kPluginHwShaderNode",
                     "");
    const MFnDependencyNode fn = attachNode(node, "Failed to attach dependency functions set to <");
    const std::string name = fn.name().asChar();
    MStatus status;
    auto material = std::make_shared<Material>(name);
    const bool hardware = type == MFn::kPluginHwShaderNode;
    const std::size_t rows = type == MFn::kBlinn || hardware ? kChannelRows.size() : kLambertRows;

    for (std::size_t r = 0; r < rows; ++r) {
        const ChannelRow& row = kChannelRows[r];
        const MPlug plug = fn.findPlug(row.attribute, &status);
        if (!status) {
            if (hardware)
                continue; // hardware shaders need not have the standard attributes
            throw VornexException("Failed to get material <" + name + "> " + row.description +
                                      " plug",
                                  __LINE__, status);
        }
        std::unique_ptr<ChannelValue> value;
        bool connected = false;
        if (const MObject source = sourceNodeOf(plug, "Failed to get connections to plug <");
            !source.isNull()) {
            connected = true;
            value = reader.readTexture(source);
        } else if (row.kind == RowKind::Color) {
            value = colorOfPlugs(fn, name, row.attribute, row.childDescription, !hardware);
        } else if (row.kind == RowKind::Scalar) {
            float v = 0.0f;
            plug.getValue(v);
            value = std::make_unique<ColorValue>(v, v, v, 1.0f);
        }
        if (value)
            material->setChannel(row.channel, std::move(value));
        else if (!hardware && connected)
            reader.warningReport(row.notSet + name + ">", __LINE__);
    }

    if (hardware) {
        if (fn.typeId().id() == kCgfxShaderTypeId) {
            readCgfxNode(*material, node);
            material->setHardwareShader(true);
        } else {
            std::unique_ptr<ChannelValue> detail;
            const MPlug plug = fn.findPlug("detail", &status);
            if (status) {
                const MObject source = sourceNodeOf(plug, "Failed to get connections to plug <");
                detail = source.isNull() ? colorOfPlugs(fn, name, "color", "color", true)
                                         : reader.readTexture(source);
            }
            if (detail)
                material->setChannel("detail", std::move(detail));
            else
                reader.warningReport(std::string("detail") + " channel not set in <" + name + ">",
                                     __LINE__);
        }
    }
    return material;
}

std::shared_ptr<Material> readLayeredShader(SceneReader& reader, const MObject& node) {
    VX_READER_ASSERT(node.apiType() == MFn::kLayeredShader,
                     "layeredMaterial.apiType() == MFn::kLayeredShader", "");
    const MFnDependencyNode fn(node);
    const std::string name = fn.name().asChar();
    const MPlug inputs = fn.findPlug("inputs");
    int compositing = 0;
    fn.findPlug("compositingFlag").getValue(compositing);
    const std::uint8_t mode = compositing != 0 ? kLayeredShaderComposite : kLayeredShaderPlain;

    struct Layer {
        std::shared_ptr<Material> material;
        std::unique_ptr<ChannelValue> transparency;
    };
    std::vector<Layer> layers;
    for (unsigned i = 0; i < inputs.numElements(); ++i) {
        MStatus status;
        const MPlug element = inputs.elementByPhysicalIndex(i, &status);
        if (!status) {
            reader.warningReport("Failed to retrieve layer from layered shader <" +
                                     std::string(inputs.name().asChar()) +
                                     ">. Each layer must have a material connected to it",
                                 __LINE__);
            return nullptr;
        }
        const MPlug color = childNamed(element, "color");
        const MPlug transparency = childNamed(element, "transparency");
        const MObject source =
            color.isNull() ? MObject() : sourceNodeOf(color, "Failed to get connections to plug <");
        if (source.isNull()) {
            reader.warningReport("Layer <" + std::string(element.name().asChar()) +
                                     "> must be connected to a material",
                                 __LINE__);
            return nullptr;
        }
        Layer layer;
        layer.material = reader.readMaterial(source);
        if (!layer.material)
            return nullptr;
        const MObject transparencySource =
            transparency.isNull()
                ? MObject()
                : sourceNodeOf(transparency, "Failed to get connections to plug <");
        if (transparencySource.isNull()) {
            float rgb[3] = {0.0f, 0.0f, 0.0f};
            for (unsigned k = 0; k < 3 && !transparency.isNull(); ++k)
                transparency.child(k).getValue(rgb[k]);
            layer.transparency = std::make_unique<ColorValue>(rgb[0], rgb[1], rgb[2], 1.0f);
        } else {
            layer.transparency = reader.readTexture(transparencySource);
            if (!layer.transparency)
                return nullptr;
        }
        layers.push_back(std::move(layer));
    }

    auto shader = std::make_shared<Material>(name);
    for (const Layer& layer : layers)
        addShaderLayer(*shader, *layer.material, *layer.transparency, mode);
    return shader;
}

} // namespace

std::shared_ptr<Material> SceneReader::readShadingEngine(const MObject& shadingEngine) {
    const MFnDependencyNode engine =
        attachNode(shadingEngine, "Failed to attach dependency node function set to <");
    const std::string name = engine.name().asChar();
    MStatus status;
    VX_READER_INFO(*this, "Parsing shader engine: <" + name + ">");
    const MPlug surface = engine.findPlug("surfaceShader", &status);
    if (!status)
        throw VornexException("Failed to retrieve surface material plug from: <" +
                                  std::string(engine.typeName().asChar()) + "::" + name + ">",
                              __LINE__, status);
    MPlugArray sources;
    surface.connectedTo(sources, true, false, &status);
    if (!status)
        throw VornexException("Failed to get connection info from surface material plug <" +
                                  std::string(surface.name().asChar()) + ">",
                              __LINE__);
    if (sources.length() == 0) {
        warningReport("Shaderengine <" + name + "> has no surface shader connected", __LINE__);
        return nullptr;
    }
    std::shared_ptr<Material> material = readMaterial(sources[0].node());
    if (!material)
        warningReport("No material attached to <" + name + ">", __LINE__);
    return material;
}

std::shared_ptr<Material> SceneReader::readMaterial(const MObject& node) {
    const MFnDependencyNode fn(node);
    const std::string name = fn.name().asChar();
    if (!isSupportedMaterial(node.apiType())) {
        warningReport("Material <" + name + "> is of unsupported type <" + node.apiTypeStr() + ">",
                      __LINE__);
        return nullptr;
    }
    const NodeKey key = keyOf(node);
    if (const auto it = m_materials.find(key); it != m_materials.end()) {
        if (it->second.inProgress) {
            warningReport("Recursive (cyclic) material definition <" + name + ">", __LINE__);
            it->second.inProgress = false;
            it->second.value = nullptr;
            return nullptr;
        }
        return it->second.value;
    }
    m_materials[key].inProgress = true;
    VX_READER_INFO(*this, "Parsing material <" + name + ">");
    std::shared_ptr<Material> material = node.apiType() == MFn::kLayeredShader
                                             ? readLayeredShader(*this, node)
                                             : readSingleMaterial(*this, node);
    if (material)
        copyExtraAttributes(node, *material);
    Cached<Material>& entry = m_materials[key];
    entry.inProgress = false;
    entry.value = material;
    return material;
}

} // namespace vx
