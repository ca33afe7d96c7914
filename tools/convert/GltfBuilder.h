#pragma once
// A glTF model under construction with one binary buffer: accessors, images and nodes are
// appended to it, each buffer view 4-byte aligned as accessors require.
#include "Shared/Base/math/Vector3.h"

#include <tiny_gltf.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vx::convert {

class GltfBuilder {
public:
    GltfBuilder();

    tinygltf::Model& model() { return m_model; }
    tinygltf::Model take();

    // Accessors; -1 for an empty list. Positions carry their bounds (glTF requires them).
    int addVec3(const std::vector<Vector3>& values, bool bounds, int target);
    int addVec4(const std::vector<std::array<float, 4>>& values, int target);
    int addVec2(const std::vector<std::array<float, 2>>& values);
    int addScalars(const std::vector<float>& values, bool bounds);
    int addQuaternions(const std::vector<std::array<float, 4>>& values);
    int addJoints(const std::vector<std::array<std::uint16_t, 4>>& values);
    int addMatrices(const std::vector<std::array<float, 16>>& values);
    int addIndices(const std::vector<std::uint32_t>& values);
    // An image embedded in the buffer.
    int addImage(const std::vector<std::uint8_t>& bytes, const std::string& mimeType,
                 const std::string& name);

    int addNode(tinygltf::Node node);

private:
    int addView(const void* data, std::size_t bytes, int target);
    int addAccessor(const void* data, std::size_t count, int componentType, int type,
                    std::size_t elementBytes, int target, std::vector<double> min = {},
                    std::vector<double> max = {});

    tinygltf::Model m_model;
};

} // namespace vx::convert
