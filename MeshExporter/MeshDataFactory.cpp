#include "MeshExporter/MeshDataFactory.h"

#include "MeshExporter/BundledMeshDataExporter.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/SkinnedMeshDataExporter.h"
#include "MeshExporter/StaticMeshDataExporter.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Graphics/Scene/SceneNode.h"

namespace vx {

bool hasMeshDataExporter(int exportType) {
    return exportType == kStaticMesh || exportType == kBundledMesh || exportType == kSkinnedMesh ||
           exportType == kMeshParticleMesh;
}

std::unique_ptr<MeshDataExporter> createMeshData(const Scene& scene, SceneNode& node,
                                                 const std::string& name, MeshPartList& parts,
                                                 int geometry, int lod,
                                                 const std::string& outputFile, bool lightmapped) {
    std::unique_ptr<MeshDataExporter> made;
    switch (currentExportType()) {
    case kStaticMesh: {
        auto staticMesh = std::make_unique<StaticMeshDataExporter>();
        staticMesh->setLightmapped(lightmapped);
        made = std::move(staticMesh);
        break;
    }
    case kBundledMesh:
    case kMeshParticleMesh: {
        // Collision and shadow holders are not geometry of their own.
        const std::string& full = node.name();
        if (toLowerAscii(std::string_view(full).substr(0, full.find('_'))) == "nonvis")
            return nullptr;
        made = std::make_unique<BundledMeshDataExporter>();
        break;
    }
    case kSkinnedMesh:
        made = std::make_unique<SkinnedMeshDataExporter>();
        break;
    default:
        return nullptr;
    }
    if (!made->init(scene, node, parts, name, geometry, lod, outputFile))
        return nullptr;
    return made;
}

} // namespace vx
