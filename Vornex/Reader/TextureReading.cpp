// Texture networks: bump nodes, file textures (with their images and UV sets) and layered
// textures, cached per node so a shared texture is read once and a loop is detected.
#include "Shared/Graphics/Scene/ChannelValue.h"
#include "Vornex/Reader/LayerBlending.h"
#include "Vornex/Reader/PlugReading.h"
#include "Vornex/Reader/ReaderReports.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/SceneFilePath.h"
#include "Vornex/VornexException.h"

#include <maya/MFnAttribute.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MImage.h>
#include <maya/MPlugArray.h>
#include <maya/MStringArray.h>

#include <cstring>
#include <filesystem>

namespace vx {
namespace {

constexpr int kMaxFilterType = 5;
constexpr int kMaxBlendMode = 12;

std::unique_ptr<ChannelValue> readBump(SceneReader& reader, const MFnDependencyNode& bump) {
    VX_READER_ASSERT(bump.object().apiType() == MFn::kBump,
                     "dnBump2dNode.object().apiType() == MFn::kBump", "");
    MStatus status;
    const MPlug value = bump.findPlug("bumpValue", &status);
    if (!status)
        throw VornexException("No bump plug", __LINE__, status);
    if (value.isConnected()) {
        MPlugArray sources;
        value.connectedTo(sources, true, false, &status);
        if (sources.length() == 0)
            throw VornexException("No bump plug", __LINE__, status ? MStatus::kNotFound : status);
        return reader.readTexture(sources[0].node());
    }
    float v = 0.0f;
    value.getValue(v);
    return std::make_unique<ColorValue>(v, v, v, v);
}

template <typename T>
void readSetting(const MFnDependencyNode& node, const char* attribute, T& value) {
    MStatus status;
    const MPlug plug = node.findPlug(attribute, &status);
    if (!status)
        throw VornexException("Failed to retrieve " + std::string(attribute) + " from <" +
                                  node.name().asChar() + ">",
                              __LINE__, status);
    plug.getValue(value);
}

// Records on `texture` the UV set a UV chooser picks for each mesh (the mesh's first set, at
// logical index 0, is the default and not recorded).
void readUvChooser(const MObject& chooser, TextureValue& texture) {
    const MFnDependencyNode fn =
        attachNode(chooser, "Failed to attach dependency node function set to <");
    MStatus status;
    const MPlug uvSets = fn.findPlug("uvSets", &status);
    if (!status)
        throw VornexException("Failed to retrieve uvSets from <" + std::string(fn.name().asChar()) +
                                  ">",
                              __LINE__, status);
    const unsigned count = std::max(uvSets.numElements(), uvSets.numConnectedElements());
    for (unsigned i = 0; i < count; ++i) {
        const MPlug element = uvSets.elementByPhysicalIndex(i, &status);
        if (!status)
            throw VornexException("Failed to retrieve elements from <" +
                                      std::string(uvSets.name().asChar()) + ">",
                                  __LINE__, status);
        MString setName;
        element.getValue(setName);
        if (setName.isEmpty() || !element.isConnected())
            continue;
        MPlugArray sources;
        element.connectedTo(sources, true, false, &status);
        if (!status)
            throw VornexException("Failed to retrieve connections from <" +
                                      std::string(element.name().asChar()) + ">",
                                  __LINE__, status);
        if (sources.length() == 0)
            continue;
        const MPlug setElement = sources[0].parent();
        const MObject meshNode = sources[0].node();
        if (meshNode.apiType() != MFn::kMesh || setElement.isNull() ||
            setElement.logicalIndex() == 0)
            continue;
        const MFnMesh mesh(meshNode);
        MStringArray meshSets;
        mesh.getUVSetNames(meshSets);
        int uvSetIndex = -1;
        for (unsigned k = 0; k < meshSets.length(); ++k)
            if (meshSets[k] == setName)
                uvSetIndex = static_cast<int>(k);
        VX_READER_ASSERT(uvSetIndex >= 0, "uvSetIndex >= 0", setName.asChar());
        texture.m_namedValues.setText(mesh.name().asChar(), setName.asChar());
    }
}

// Follows "uvCoord" through a 2D placement node to a UV chooser.
void readTextureUvSet(SceneReader& reader, const MFnDependencyNode& file, TextureValue& texture) {
    const std::string name = file.name().asChar();
    MStatus status;
    const MPlug uvCoord = file.findPlug("uvCoord", &status);
    if (!status)
        throw VornexException("Failed to retrieve uvCoord from <" + name + ">", __LINE__, status);
    MObject source = sourceNodeOf(uvCoord, "Failed to retrieve connections from <");
    if (source.isNull())
        return;
    if (source.apiType() == MFn::kPlace2dTexture) {
        const MFnDependencyNode placement(source);
        const MPlug placementUv = placement.findPlug("uvCoord", &status);
        if (!status)
            throw VornexException("Failed to retrieve uvCoord from <" +
                                      std::string(placement.name().asChar()) + ">",
                                  __LINE__, status);
        source = sourceNodeOf(placementUv, "Failed to retrieve connections from <");
        if (source.isNull())
            return;
    }
    // Anything else than a UV chooser here is an artist's network we cannot follow.
    if (source.apiType() != MFn::kUvChooser) {
        reader.warningReport("Unsupported connection <" +
                                 std::string(MFnDependencyNode(source).typeName().asChar()) +
                                 "> to filetexture <" + name + ">",
                             __LINE__);
        return;
    }
    readUvChooser(source, texture);
}

std::unique_ptr<ChannelValue> readFileTexture(SceneReader& reader, const MFnDependencyNode& file) {
    VX_READER_ASSERT(file.object().apiType() == MFn::kFileTexture,
                     "dnFileTexture.object().apiType() == MFn::kFileTexture", "");
    const std::string name = file.name().asChar();
    MStatus status;
    MString path;
    const MPlug pathPlug = file.findPlug("fileTextureName", &status);
    if (!status)
        throw VornexException("Failed to get fileTextureName from <" + name + ">", __LINE__,
                              status);
    pathPlug.getValue(path);
    const MPlug filterPlug = file.findPlug("filterType", &status);
    if (!status)
        throw VornexException("Failed to get filter type from <" + name + ">", __LINE__, status);
    int filterType = 0;
    filterPlug.getValue(filterType);
    if (filterType < 0 || filterType > kMaxFilterType)
        throw VornexException("Unknown filter type in <" + name + ">", __LINE__);

    auto texture = std::make_unique<TextureValue>();
    texture->m_name = name;
    texture->m_fileName = path.asChar();
    texture->m_filterType = static_cast<std::uint8_t>(filterType);
    readSetting(file, "rotateUV", texture->m_rotateUV);
    readSetting(file, "offsetU", texture->m_offsetU);
    readSetting(file, "offsetV", texture->m_offsetV);
    bool wrapU = true;
    bool wrapV = true;
    readSetting(file, "wrapU", wrapU);
    readSetting(file, "wrapV", wrapV);
    texture->m_namedValues.setBool("wrapU", wrapU);
    texture->m_namedValues.setBool("wrapV", wrapV);

    if (reader.options() & kIncludeImages)
        if (const auto image = reader.textureImage(texture->m_fileName))
            texture->m_image = *image;
    readTextureUvSet(reader, file, *texture);
    return texture;
}

// One layer's colour: its source texture, or (r, g, b, 1) from the plug's children.
std::unique_ptr<ChannelValue> layerColor(SceneReader& reader, const MPlug& color) {
    const MObject source = sourceNodeOf(color, "Failed to retrieve connected plug to <");
    if (!source.isNull())
        return reader.readTexture(source);
    float rgb[3] = {0.0f, 0.0f, 0.0f};
    for (unsigned k = 0; k < 3; ++k) {
        MStatus status;
        const MPlug child = color.child(k, &status);
        if (!status)
            throw VornexException("Failed to get child to plug <" +
                                      std::string(color.name().asChar()) + ">",
                                  __LINE__, status);
        status = child.getValue(rgb[k]);
        if (!status)
            throw VornexException("Failed to get color components from plug <" +
                                      std::string(child.name().asChar()) + ">",
                                  __LINE__, status);
    }
    return std::make_unique<ColorValue>(rgb[0], rgb[1], rgb[2], 1.0f);
}

std::unique_ptr<ChannelValue> readLayeredTexture(SceneReader& reader,
                                                 const MFnDependencyNode& layered) {
    VX_READER_ASSERT(layered.object().apiType() == MFn::kLayeredTexture,
                     "dnLayeredTexture.type() != MFn::kLayeredTexture", "");
    const std::string name = layered.name().asChar();
    MStatus status;
    const MPlug inputs = layered.findPlug("inputs", &status);
    if (!status)
        throw VornexException("Failed to retrieve layered texture <" + name + "> inputs plug",
                              __LINE__, status);
    std::vector<TextureLayer> layers;
    for (unsigned i = 0; i < inputs.numElements(); ++i) {
        const MPlug element = inputs.elementByPhysicalIndex(i, &status);
        if (!status)
            throw VornexException("Failed to retrieve layer layered texture inputs <" + name +
                                      ">. Probably an unlocked attribute.",
                                  __LINE__, status);
        MPlug color;
        MPlug alpha;
        MPlug blendMode;
        MPlug isVisible;
        for (unsigned c = 0; c < element.numChildren(); ++c) {
            const MPlug child = element.child(c, &status);
            if (!status)
                throw VornexException("Failed to retrieve child plug from <" +
                                          std::string(element.name().asChar()) + ">",
                                      __LINE__, status);
            const MString attribute = MFnAttribute(child.attribute(), &status).name();
            if (!status)
                throw VornexException("Failed to retrieve child info from plug <" +
                                          std::string(child.name().asChar()) + ">",
                                      __LINE__, status);
            for (auto [wanted, plug] :
                 {std::pair{"color", &color}, std::pair{"alpha", &alpha},
                  std::pair{"blendMode", &blendMode}, std::pair{"isVisible", &isVisible}})
                if (attribute == wanted)
                    *plug = child;
        }
        bool visible = true;
        isVisible.getValue(visible);
        if (!visible)
            continue;
        TextureLayer layer;
        layer.color = layerColor(reader, color);
        const MObject alphaSource = sourceNodeOf(alpha, "Failed to retrieve connected plug to <");
        if (!alphaSource.isNull()) {
            layer.alpha = reader.readTexture(alphaSource);
        } else {
            float a = 1.0f;
            alpha.getValue(a);
            layer.alpha = std::make_unique<ColorValue>(a, a, a, a);
        }
        int mode = 0;
        blendMode.getValue(mode);
        if (mode < 0 || mode > kMaxBlendMode)
            throw VornexException("Unsupported maya blending mode in <" + name + ">", __LINE__);
        // A layer whose texture could not be read (already reported) has nothing to blend.
        if (!layer.color || !layer.alpha)
            continue;
        layer.blendMode = static_cast<std::uint8_t>(mode);
        layers.push_back(std::move(layer));
    }
    if (layers.empty()) {
        reader.warningReport("Zero layers in <" + name + ">", __LINE__);
        return nullptr;
    }
    return blendTextureLayers(layers);
}

} // namespace

std::unique_ptr<ChannelValue> SceneReader::readTexture(const MObject& node) {
    const MFnDependencyNode fn =
        attachNode(node, "Failed to initialize dependency node function set to object <");
    const std::string name = fn.name().asChar();
    const NodeKey key = keyOf(node);
    if (const auto it = m_textures.find(key); it != m_textures.end()) {
        if (it->second.inProgress) {
            warningReport("Recursive (cyclic) texture definition <" + name + ">", __LINE__);
            return nullptr;
        }
        return it->second.value ? it->second.value->clone() : nullptr;
    }
    m_textures[key].inProgress = true;
    std::unique_ptr<ChannelValue> value;
    switch (node.apiType()) {
    case MFn::kBump:
        value = readBump(*this, fn);
        break;
    case MFn::kFileTexture:
        value = readFileTexture(*this, fn);
        break;
    case MFn::kLayeredTexture:
        value = readLayeredTexture(*this, fn);
        break;
    default:
        warningReport("Using unsupported maya texture type <" +
                          std::string(fn.typeName().asChar()) + "> in <" + name + ">",
                      __LINE__);
        break;
    }
    Cached<ChannelValue>& entry = m_textures[key];
    entry.inProgress = false;
    entry.value = value ? std::shared_ptr<ChannelValue>(value->clone()) : nullptr;
    return value;
}

std::shared_ptr<const TextureImage> SceneReader::textureImage(const std::string& path) {
    if (const auto it = m_images.find(path); it != m_images.end())
        return it->second;
    std::shared_ptr<const TextureImage> loaded;
    std::error_code error;
    const std::filesystem::path file = resolveSceneFilePath(path);
    if (!std::filesystem::is_regular_file(file, error)) {
        warningReport("Texture <" + path + "> not found", __LINE__);
    } else {
        MImage image;
        unsigned width = 0;
        unsigned height = 0;
        if (!image.readFromFile(file.string().c_str()) || !image.getSize(width, height) ||
            !image.pixels()) {
            warningReport("Image <" + path + "> is not loadable", __LINE__);
        } else {
            auto data = std::make_shared<TextureImage>();
            data->m_width = width;
            data->m_height = height;
            const unsigned char* pixels = image.pixels();
            data->m_pixels.assign(pixels, pixels + std::size_t(width) * height * 4);
            loaded = std::move(data);
            VX_READER_INFO(*this, "Loaded Tga image <" + path + ">");
        }
    }
    m_images.emplace(path, loaded);
    return loaded;
}

} // namespace vx
