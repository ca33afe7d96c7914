// Stand-ins for the mesh, skin and material readers until they land; this file goes with them.
// Until then a mesh is handled like any node without a handler, no skins are pending, and a
// shading engine yields no material.
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MeshGeometry.h"
#include "Vornex/Reader/SceneReader.h"

namespace vx {

void SceneReader::readMesh(const MDagPath& path) {
    logUnsupported(path);
    MDagPath parent = path;
    parent.pop();
    dispatch(parent);
}

std::shared_ptr<MeshGeometry> SceneReader::readMeshShape(const MDagPath&) {
    return nullptr;
}

void SceneReader::resolvePendingSkins() {}

std::shared_ptr<Material> SceneReader::readShadingEngine(const MObject&) {
    return nullptr;
}

} // namespace vx
