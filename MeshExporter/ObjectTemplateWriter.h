#pragma once
// The object template script (".con") of an exported asset.
#include <string>

namespace vx {

struct ExportGeometryData;

// Writes the script for the parts of the exported geometries ("_col" variant when
// `collisionVariant`). True also when there is nothing to write.
bool writeObjectTemplates(const ExportGeometryData& data, const std::string& outputFile,
                          bool collisionVariant);

} // namespace vx
