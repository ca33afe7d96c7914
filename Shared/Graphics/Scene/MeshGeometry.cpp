#include "Shared/Graphics/Scene/MeshGeometry.h"

#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

void MeshGeometry::write(OutStream& out, Scene& scene) const {
    sceneio::writeCountedText(out, m_name);
    sceneio::writeOptionalShared(out, scene, m_vertexBuffer);
    sceneio::writeOptionalShared(out, scene, m_primitiveBuffer);
    m_namedValues.write(out);
}

bool MeshGeometry::read(InStream& in, Scene& scene) {
    return sceneio::readCountedText(in, scene, m_name, "the geometry's name") &&
           sceneio::readOptionalShared(in, scene, m_vertexBuffer, "vertex buffer") &&
           sceneio::readOptionalShared(in, scene, m_primitiveBuffer, "primitive buffer") &&
           m_namedValues.read(in, scene);
}

} // namespace vx
