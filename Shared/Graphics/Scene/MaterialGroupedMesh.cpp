#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"

#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

void MaterialGroup::write(OutStream& out, Scene& scene) const {
    sceneio::writeCountedText(out, m_name);
    sceneio::writeOptionalShared(out, scene, m_material);
    sceneio::writeArray(out, m_primitives);
    m_namedValues.write(out);
}

bool MaterialGroup::read(InStream& in, Scene& scene) {
    if (!sceneio::readCountedText(in, scene, m_name, "the material group's name") ||
        !sceneio::readOptionalShared(in, scene, m_material, "material"))
        return false;
    return sceneio::readArray(in, scene, m_primitives, "material group polygon") &&
           m_namedValues.read(in, scene);
}

void MaterialGroupedMesh::write(OutStream& out, Scene& scene) const {
    sceneio::writeCountedText(out, m_name);
    sceneio::writeOptionalShared(out, scene, m_geometry);
    sceneio::writeCount(out, m_groups.size());
    for (const MaterialGroup& group : m_groups)
        group.write(out, scene);
    m_namedValues.write(out);
}

bool MaterialGroupedMesh::read(InStream& in, Scene& scene) {
    if (!sceneio::readCountedText(in, scene, m_name, "the mesh's name") ||
        !sceneio::readOptionalShared(in, scene, m_geometry, "mesh geometry"))
        return false;
    std::uint32_t count = 0;
    // Smallest group: empty name (4), presence (1), polygon count (4), empty table (4).
    if (!sceneio::readCount(in, scene, count, 13, "material group"))
        return false;
    m_groups.resize(count);
    for (MaterialGroup& group : m_groups) {
        if (!group.read(in, scene))
            return false;
    }
    return m_namedValues.read(in, scene);
}

} // namespace vx
