#pragma once
// Lightmap texture coordinates for a static level of detail: every triangle gets its own place
// in a square lightmap, written into the texture coordinate set after the mesh's own sets, and
// the lightmap's sample file is saved beside the mesh file.
#include "MeshExporter/MeshDataExporter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// `groups` hold the level of detail's prepared triangles; `uvSetCount` grows by one for the
// generated set. `geometrySize` is the geometry's lightmap size, halved per level of detail.
// False when the samples could not be written.
bool createLightmapUvs(std::vector<MaterialTriangles>& groups, std::uint32_t& uvSetCount,
                       std::uint32_t geometrySize, int geometry, int lod,
                       const std::string& outputFile);

// The sample file of a geometry's level of detail: "Meshes/" beside the output, the base name,
// ".samples" for geometry 0 LOD 0 and ".samp_" with the two numbers otherwise.
std::string sampleFilePath(const std::string& outputFile, int geometry, int lod);

} // namespace vx
