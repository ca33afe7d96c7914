#include "tools/convert/MaterialGltf.h"

#include "tools/convert/TextureLookup.h"
#include "tools/info/MaterialAlpha.h"

#include <stb_image_write.h>

#include <ostream>

namespace vx::convert {

namespace {

std::string stem(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::vector<std::uint8_t> encodePng(const vximage::RgbaImage& image) {
    std::vector<std::uint8_t> png;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(context);
            const auto* bytes = static_cast<const std::uint8_t*>(data);
            out->insert(out->end(), bytes, bytes + size);
        },
        &png, static_cast<int>(image.width), static_cast<int>(image.height), 4, image.pixels.data(),
        static_cast<int>(image.width * 4));
    return png;
}

} // namespace

MaterialTable::MaterialTable(GltfBuilder& builder, std::string textureFolder,
                             std::ostream& warnings)
    : m_builder(builder), m_textureFolder(std::move(textureFolder)), m_warnings(warnings) {}

int MaterialTable::textureFor(const std::string& name) {
    const auto [it, added] = m_textures.emplace(name, -1);
    if (!added || m_textureFolder.empty())
        return it->second;
    vximage::RgbaImage image;
    std::string error;
    if (!loadTexture(m_textureFolder, name, image, error)) {
        m_warnings << "warning: " << error << "; its materials are left untextured\n";
        return -1;
    }
    const std::vector<std::uint8_t> png = encodePng(image);
    if (png.empty()) {
        m_warnings << "warning: texture \"" << name
                   << "\" could not be encoded; its materials are left untextured\n";
        return -1;
    }
    tinygltf::Model& model = m_builder.model();
    if (model.samplers.empty()) {
        tinygltf::Sampler sampler;
        sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
        sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
        model.samplers.push_back(sampler);
    }
    tinygltf::Texture texture;
    texture.name = stem(name);
    texture.sampler = 0;
    texture.source = m_builder.addImage(png, "image/png", stem(name));
    model.textures.push_back(std::move(texture));
    it->second = static_cast<int>(model.textures.size() - 1);
    return it->second;
}

int MaterialTable::materialFor(const meshfile::MeshFile& file,
                               const meshfile::MaterialRecord& record) {
    const meshfile::MaterialAlpha alpha = meshfile::materialAlpha(file, record);
    const auto key =
        std::make_tuple(record.effect, record.technique, record.textures, static_cast<int>(alpha));
    const auto found = m_materials.find(key);
    if (found != m_materials.end())
        return found->second;
    tinygltf::Material material;
    material.name = record.technique.empty() ? stem(record.effect) : record.technique;
    material.doubleSided = alpha != meshfile::MaterialAlpha::Opaque;
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 1.0;
    if (alpha == meshfile::MaterialAlpha::Blended)
        material.alphaMode = "BLEND";
    else if (alpha == meshfile::MaterialAlpha::Tested) {
        material.alphaMode = "MASK";
        material.alphaCutoff = 0.5;
    }
    if (!record.textures.empty())
        material.pbrMetallicRoughness.baseColorTexture.index = textureFor(record.textures.front());
    tinygltf::Model& model = m_builder.model();
    model.materials.push_back(std::move(material));
    const int index = static_cast<int>(model.materials.size() - 1);
    m_materials.emplace(key, index);
    return index;
}

int MaterialTable::colourMaterial(const std::string& name, const std::array<float, 3>& colour) {
    const auto found = m_colours.find(name);
    if (found != m_colours.end())
        return found->second;
    tinygltf::Material material;
    material.name = name;
    material.doubleSided = true;
    material.pbrMetallicRoughness.baseColorFactor = {static_cast<double>(colour[0]),
                                                     static_cast<double>(colour[1]),
                                                     static_cast<double>(colour[2]), 1.0};
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 1.0;
    tinygltf::Model& model = m_builder.model();
    model.materials.push_back(std::move(material));
    const int index = static_cast<int>(model.materials.size() - 1);
    m_colours.emplace(name, index);
    return index;
}

} // namespace vx::convert
