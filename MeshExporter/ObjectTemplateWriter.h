#pragma once
// The object template script (".con") of an exported asset: the geometry template, one object
// template per part with its children's positions and rotations, collision and physics lines,
// and the include of the designers' ".tweak" file.
#include "MeshExporter/MeshPart.h"

#include <string>

namespace vx {

struct ExportGeometryData;

// Writes the script for the parts of the exported geometries ("_col" variant when
// `collisionVariant`): the LOD 0 part list of the geometry with the most parts. A skinned mesh,
// which has no part list, gets the geometry template and the include. True also when there is
// nothing to write; false only when the file cannot be written.
bool writeObjectTemplates(const ExportGeometryData& data, const std::string& outputFile,
                          bool collisionVariant);

// The script's text for one part list, every line ending in CR LF.
std::string objectTemplateText(const MeshPartList& parts, const std::string& baseName,
                               bool collisionVariant);

// Euler angles of the rotation block in degrees (first, second, third) as the scripts expect.
Vector3 scriptEulerAngles(const Matrix& m);

// "0" below 0.001 in size, else four decimals; vectors as x/y/z.
std::string scriptNumber(float value);
std::string scriptVector(const Vector3& v);

} // namespace vx
