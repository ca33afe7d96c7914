#pragma once
// Which materials of a skinned mesh get object-space normal maps, where their tangent-space
// maps are read from, and what the converted maps are called.
#include "MeshExporter/MeshMaterialExporter.h"

#include <string>

namespace vx {

// A material is converted unless its effect works in tangent space (its effect file name holds
// "tangent" in any letter case) or it names no texture at all.
bool convertsNormalMap(const MeshMaterialExporter::Entry& entry);

// The tangent-space map as the exporter reads it: the folder of the mesh's output file, then
// "Textures/", then the file name of the material's first texture.
std::string normalMapSourcePath(const std::string& outputFile, const std::string& textureName);

// "crate/body_n.dds" -> "crate/body_n_os.dds": the folder part (up to the last slash or
// backslash, written with '/'), the base name without its extension, then "_os.dds".
std::string objectSpaceMapName(const std::string& textureName);

// After the conversion of a level of detail, or instead of it: every converted material whose
// object-space map exists beside its source (converted now, or by an earlier export) is pointed
// at it, so no material names a file that is not there. A material whose map does not exist
// keeps its name, and the artist's list gets, once per export and map, the missing map and
// the folder it was looked for in.
void pointAtObjectSpaceMaps(const std::string& outputFile, MeshMaterialExporter& materials);

} // namespace vx
