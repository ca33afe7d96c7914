#pragma once
// Creates the mesh data exporter that matches the current export type and builds it as far as
// its vertex layout; the caller completes it with finishGeometry.
#include "MeshExporter/MeshDataExporter.h"

#include <memory>
#include <string>

namespace vx {

// Null when the type has no mesh data exporter in this build, when a bundled or particle
// export meets a "nonvis" node, or when the build fails. `lightmapped` lets callers that build
// helper geometry (shadow blocks) leave the lightmap and its sample file alone.
std::unique_ptr<MeshDataExporter>
createMeshData(const Scene& scene, SceneNode& node, const std::string& name, MeshPartList& parts,
               int geometry, int lod, const std::string& outputFile, bool lightmapped = true);

// Whether this build has a mesh data exporter for the type.
bool hasMeshDataExporter(int exportType);

} // namespace vx
