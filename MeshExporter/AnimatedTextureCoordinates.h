#pragma once
// Animated texture coordinates of bundled meshes: materials named with "AnimatedUV" carry, per
// triangle in its vertex colours, which of up to seven UV matrices moves its texture and how
// (0: the matrix as it is, 1: a rotation about the pivot held in the second texture set).
#include "MeshExporter/MeshDataExporter.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// Whether a material is animated: its name contains "AnimatedUV" (that case exactly).
bool isAnimatedUvMaterial(const std::string& materialName);

// Where the exporter looks for an animated material's texture: the output file's folder, then
// "/textures/" and the file name of the material's first texture.
std::string animatedTexturePath(const std::string& outputFile, const std::string& texture);

// The u and v scale of a texture of the size: the longer side over the shorter (in whole
// numbers) on the longer side's axis.
std::array<float, 2> textureAspectScale(std::uint32_t width, std::uint32_t height);

// Finds the animated materials among `groups` (corner triples), reads their textures' sizes,
// sets the process-wide animated UV state and makes `uvSetCount` 2, then gives each corner of
// their triangles its matrix number and animation type from the colours. Problems are told to
// the artist through the export's error list and the log; the export goes on.
void applyAnimatedTextureCoordinates(std::vector<MaterialTriangles>& groups,
                                     std::uint32_t& uvSetCount, const std::string& outputFile);

// The decoding of one triangle's corners with the texture aspect scale; a message for the
// artist when the colours name no single valid matrix (the corners then stay as they were).
void decodeAnimatedTriangle(ExportVertex* corners, const std::array<float, 2>& scale);

} // namespace vx
