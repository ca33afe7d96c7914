#pragma once
// What kind of asset an export produces, chosen by the name of the scene's "root_" node.
#include <string_view>

namespace vx {

enum ExportType : int {
    kStaticMesh = 0,
    kBundledMesh = 1,
    kSkinnedMesh = 2,
    kMeshParticleMesh = 3,
    kSkeleton = 4,
    kAnimation = 5,
    kNoExportType = 6,
};

// "staticMesh", "bundledMesh", ... as matched after "root_" and used as the mesh file's
// extension; empty for kNoExportType.
std::string_view exportTypeName(ExportType type);
// The type whose name equals `name` ignoring case, or kNoExportType.
ExportType exportTypeFromName(std::string_view name);

// The process-wide current type; kNoExportType until a root is found.
ExportType& currentExportType();

} // namespace vx
