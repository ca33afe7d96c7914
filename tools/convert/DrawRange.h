#pragma once
// One material's triangles of a mesh file, decoded into flat arrays in the file's own space
// (left-handed, as stored). Both the glTF conversion and the game-file render draw from it.
#include "Shared/Base/math/Vector3.h"
#include "tools/info/MeshFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vx::convert {

struct DrawRange {
    // The file's vertex numbers the range reaches, ascending; vertex i of the arrays below is
    // file vertex sourceVertices[i].
    std::vector<std::uint32_t> sourceVertices;
    std::vector<Vector3> positions;
    std::vector<Vector3> normals;  // empty when the declaration has none
    std::vector<Vector3> tangents; // empty when the declaration has none
    // Per TEXCOORD usage index 0, 1, ... as declared; sets are contiguous from 0.
    std::vector<std::vector<std::array<float, 2>>> uvSets;
    // The BLENDINDICES bytes: bundled files keep the part number in byte 0, skinned files the
    // two local bone indices in bytes 0 and 1.
    std::vector<std::array<std::uint8_t, 4>> blendIndices;
    std::vector<float> blendWeights;    // skinned: bone 0's weight
    std::vector<std::uint32_t> indices; // triangle list into the arrays above
};

// The range of `material`: its index count from its start index, each index offset by its
// base vertex. False with a sentence in `error` when the range leaves the index list or
// reaches a vertex the file does not have.
bool decodeDrawRange(const meshfile::MeshFile& file, const meshfile::MaterialRecord& material,
                     DrawRange& out, std::string& error);

// The triangles of `range` split by the part number of their first corner (bundled files),
// each with only the vertices it reaches, by ascending part number.
std::vector<std::pair<unsigned, DrawRange>> splitByPart(const DrawRange& range);

} // namespace vx::convert
