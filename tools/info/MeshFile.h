#pragma once
// The decoded contents of a mesh file (.staticMesh, .bundledMesh, .skinnedMesh), as plain
// records in file order. Filled by readMeshFile; numbers are as stored, nothing is converted.
#include "Shared/Base/math/Vector3.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx::meshfile {

// Static and skinned files share a version, so the kind comes from outside the file.
enum class MeshKind { Static, Bundled, Skinned };

// "static", "bundled", "skinned".
const char* kindName(MeshKind kind);
// The inverse of kindName (exact, lower case).
std::optional<MeshKind> kindFromName(std::string_view name);
// By the path's extension, ignoring case; meshParticleMesh files use ".bundledMesh".
std::optional<MeshKind> kindFromPath(std::string_view path);
// The file version each kind is written with.
std::uint32_t versionOf(MeshKind kind);

using Matrix16 = std::array<float, 16>; // row-major 4x4, translation in the last row

// One declaration element, 8 bytes in the file.
struct VertexElement {
    std::uint16_t stream = 0;
    std::uint16_t offset = 0;
    std::uint8_t type = 0;
    std::uint8_t method = 0;
    std::uint8_t usage = 0;
    std::uint8_t usageIndex = 0;
};

struct MaterialRecord {
    std::string effect;
    std::string technique;
    std::vector<std::string> textures;
    std::int32_t baseVertexIndex = 0;
    std::uint32_t startIndex = 0;
    std::uint32_t indexCount = 0;
    std::uint32_t vertexCount = 0;
    std::uint32_t partOffset = 0;
    std::uint32_t partSize = 0;
    bool hasBounds = false; // static files only
    Vector3 boundsMin;
    Vector3 boundsMax;
};

// One bone of a skinned part: its index in the skeleton and the inverse of its world matrix.
struct PartBone {
    std::uint32_t skeletonIndex = 0;
    Matrix16 inverseBind{};
};

struct SkinnedPart {
    std::vector<PartBone> bones; // by local bone index
};

// A LOD block; which of the lists is filled depends on the kind.
struct LodBlock {
    Vector3 boundsMin;
    Vector3 boundsMax;
    std::vector<Matrix16> partTransforms; // static: every part's transform
    std::uint32_t partCount = 0;          // bundled: parts with geometry
    std::vector<SkinnedPart> parts;       // skinned: each part's bones
};

struct MeshFile {
    MeshKind kind = MeshKind::Static;
    std::uint32_t version = 0;
    std::array<std::uint32_t, 5> header{}; // the first five words; header[1] is the version
    std::uint8_t headerByte = 0;
    std::vector<std::uint32_t> lodCounts; // per geometry
    std::vector<VertexElement> elements;  // including the end element
    std::uint32_t primitiveType = 0;
    std::uint32_t stride = 0;
    std::uint32_t vertexCount = 0;
    std::vector<std::uint8_t> vertexData; // vertexCount * stride bytes
    std::vector<std::uint16_t> indices;
    std::uint32_t indicesOutOfRange = 0; // indices not below vertexCount (allowed, counted)
    bool hasSortCopies = false;          // static and bundled files
    std::uint32_t sortCopies = 0;
    std::vector<std::vector<LodBlock>> lods;                         // [geometry][lod]
    std::vector<std::vector<std::vector<MaterialRecord>>> materials; // [geometry][lod][material]
    bool hasShadowSection = false;
    std::vector<std::vector<std::vector<LodBlock>>> shadows; // [geometry][lod][block]
};

} // namespace vx::meshfile
