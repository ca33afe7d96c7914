#include "Shared/Graphics/Scene/Vertex.h"

#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {
namespace {
// The assertion's text is part of the log's contract, and it spells the type this way.
using uint = unsigned int;
} // namespace

std::int32_t Vertex::getUv(int index) const {
    VX_ASSERT(index >= 0 && static_cast<uint>(index) < m_uvs.size());
    return m_uvs[static_cast<std::size_t>(index)];
}

void Vertex::setUv(int index, std::int32_t uv) {
    VX_ASSERT(index >= 0 && static_cast<uint>(index) < m_uvs.size());
    m_uvs[static_cast<std::size_t>(index)] = uv;
}

void Vertex::write(OutStream& out) const {
    out << m_position << m_normal << m_diffuse << m_specular;
    sceneio::writeArray(out, m_uvs);
    out << m_namedValues << m_blendWeight;
}

bool Vertex::read(InStream& in, Scene& scene, std::uint32_t version) {
    in >> m_position >> m_normal >> m_diffuse >> m_specular;
    if (!sceneio::readArray(in, scene, m_uvs, "vertex UV index"))
        return false;
    m_namedValues = kNone;
    m_blendWeight = kNone;
    if (version >= 1)
        in >> m_namedValues;
    if (version >= 5)
        in >> m_blendWeight;
    return sceneio::checkStream(in, scene, "a vertex");
}

} // namespace vx
