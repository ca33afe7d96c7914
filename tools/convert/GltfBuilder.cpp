#include "tools/convert/GltfBuilder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace vx::convert {

GltfBuilder::GltfBuilder() {
    m_model.asset.version = "2.0";
    m_model.asset.generator = "vornex convert";
    m_model.buffers.emplace_back();
}

tinygltf::Model GltfBuilder::take() {
    if (m_model.buffers.front().data.empty())
        m_model.buffers.clear();
    return std::move(m_model);
}

int GltfBuilder::addView(const void* data, std::size_t bytes, int target) {
    std::vector<unsigned char>& buffer = m_model.buffers.front().data;
    buffer.resize((buffer.size() + 3) & ~std::size_t{3}, 0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = buffer.size();
    view.byteLength = bytes;
    view.target = target;
    const auto* begin = static_cast<const unsigned char*>(data);
    buffer.insert(buffer.end(), begin, begin + bytes);
    m_model.bufferViews.push_back(view);
    return static_cast<int>(m_model.bufferViews.size() - 1);
}

int GltfBuilder::addAccessor(const void* data, std::size_t count, int componentType, int type,
                             std::size_t elementBytes, int target, std::vector<double> min,
                             std::vector<double> max) {
    if (count == 0)
        return -1;
    tinygltf::Accessor accessor;
    accessor.bufferView = addView(data, count * elementBytes, target);
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    accessor.minValues = std::move(min);
    accessor.maxValues = std::move(max);
    m_model.accessors.push_back(std::move(accessor));
    return static_cast<int>(m_model.accessors.size() - 1);
}

namespace {

template <unsigned N, class T>
void growBounds(const T& value, std::vector<double>& min, std::vector<double>& max) {
    for (unsigned c = 0; c < N; ++c) {
        min[c] = std::min(min[c], static_cast<double>(value[c]));
        max[c] = std::max(max[c], static_cast<double>(value[c]));
    }
}

} // namespace

int GltfBuilder::addVec3(const std::vector<Vector3>& values, bool bounds, int target) {
    std::vector<float> flat;
    flat.reserve(values.size() * 3);
    std::vector<double> min, max;
    if (bounds) {
        min.assign(3, std::numeric_limits<double>::max());
        max.assign(3, std::numeric_limits<double>::lowest());
    }
    for (const Vector3& v : values) {
        flat.insert(flat.end(), {v.x, v.y, v.z});
        if (bounds)
            growBounds<3>(v, min, max);
    }
    return addAccessor(flat.data(), values.size(), TINYGLTF_COMPONENT_TYPE_FLOAT,
                       TINYGLTF_TYPE_VEC3, 12, target, std::move(min), std::move(max));
}

int GltfBuilder::addVec4(const std::vector<std::array<float, 4>>& values, int target) {
    return addAccessor(values.data(), values.size(), TINYGLTF_COMPONENT_TYPE_FLOAT,
                       TINYGLTF_TYPE_VEC4, 16, target);
}

int GltfBuilder::addVec2(const std::vector<std::array<float, 2>>& values) {
    return addAccessor(values.data(), values.size(), TINYGLTF_COMPONENT_TYPE_FLOAT,
                       TINYGLTF_TYPE_VEC2, 8, TINYGLTF_TARGET_ARRAY_BUFFER);
}

int GltfBuilder::addScalars(const std::vector<float>& values, bool bounds) {
    std::vector<double> min, max;
    if (bounds && !values.empty()) {
        const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
        min = {static_cast<double>(*lo)};
        max = {static_cast<double>(*hi)};
    }
    return addAccessor(values.data(), values.size(), TINYGLTF_COMPONENT_TYPE_FLOAT,
                       TINYGLTF_TYPE_SCALAR, 4, 0, std::move(min), std::move(max));
}

int GltfBuilder::addQuaternions(const std::vector<std::array<float, 4>>& values) {
    return addVec4(values, 0);
}

int GltfBuilder::addJoints(const std::vector<std::array<std::uint16_t, 4>>& values) {
    return addAccessor(values.data(), values.size(), TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT,
                       TINYGLTF_TYPE_VEC4, 8, TINYGLTF_TARGET_ARRAY_BUFFER);
}

int GltfBuilder::addMatrices(const std::vector<std::array<float, 16>>& values) {
    return addAccessor(values.data(), values.size(), TINYGLTF_COMPONENT_TYPE_FLOAT,
                       TINYGLTF_TYPE_MAT4, 64, 0);
}

int GltfBuilder::addIndices(const std::vector<std::uint32_t>& values) {
    const std::uint32_t highest =
        values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    if (highest < 0xFFFF) {
        std::vector<std::uint16_t> narrow(values.begin(), values.end());
        return addAccessor(narrow.data(), narrow.size(), TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT,
                           TINYGLTF_TYPE_SCALAR, 2, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    }
    return addAccessor(values.data(), values.size(), TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                       TINYGLTF_TYPE_SCALAR, 4, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
}

int GltfBuilder::addImage(const std::vector<std::uint8_t>& bytes, const std::string& mimeType,
                          const std::string& name) {
    tinygltf::Image image;
    image.name = name;
    image.mimeType = mimeType;
    image.bufferView = addView(bytes.data(), bytes.size(), 0);
    m_model.images.push_back(std::move(image));
    return static_cast<int>(m_model.images.size() - 1);
}

int GltfBuilder::addNode(tinygltf::Node node) {
    m_model.nodes.push_back(std::move(node));
    return static_cast<int>(m_model.nodes.size() - 1);
}

} // namespace vx::convert
