#pragma once
// The mesh export proper: geometries and their levels of detail found by name, built, merged
// and written into the mesh file.
#include "MeshExporter/MeshExporter.h"
#include "MeshExporter/MeshPart.h"

#include <string>
#include <vector>

namespace vx {

class Scene;

// Per geometry, per level of detail, the parts its mesh data exporter found.
struct ExportGeometryData {
    std::vector<std::vector<MeshPartList>> parts;
};

bool exportGeometries(Scene& scene, const std::string& outputFile, ExportGeometryData& data,
                      ProgressCallback progress, int callbackData);

} // namespace vx
