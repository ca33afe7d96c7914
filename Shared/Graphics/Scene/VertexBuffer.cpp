#include "Shared/Graphics/Scene/VertexBuffer.h"

#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {
void VertexBuffer::write(OutStream& out, Scene&) const {
    sceneio::writeCountedText(out, m_name);
    sceneio::writeArray(out, m_positions);
    sceneio::writeArray(out, m_normals);
    sceneio::writeArray(out, m_diffuseColors);
    sceneio::writeArray(out, m_specularColors);
    sceneio::writeCount(out, m_vertices.size());
    for (const Vertex& vertex : m_vertices)
        vertex.write(out);
    sceneio::writeCount(out, m_uvSets.size());
    for (const auto& set : m_uvSets)
        sceneio::writeArray(out, set);
    sceneio::writeCount(out, m_texts.size());
    for (const std::string& text : m_texts)
        sceneio::writeCountedText(out, text);
    sceneio::writeCount(out, m_vertexNamedValues.size());
    for (const NamedValueTable& table : m_vertexNamedValues)
        table.write(out);
    sceneio::writeArray(out, m_skinWeights);
}

bool VertexBuffer::read(InStream& in, Scene& scene) {
    const std::uint32_t version = scene.version();
    if (!sceneio::readCountedText(in, scene, m_name, "the vertex buffer's name") ||
        !sceneio::readArray(in, scene, m_positions, "position") ||
        !sceneio::readArray(in, scene, m_normals, "normal") ||
        !sceneio::readArray(in, scene, m_diffuseColors, "diffuse colour") ||
        !sceneio::readArray(in, scene, m_specularColors, "specular colour"))
        return false;

    std::uint32_t count = 0;
    // Smallest vertex: four indices and a UV count (version 0).
    if (!sceneio::readCount(in, scene, count, 20, "vertex"))
        return false;
    m_vertices.resize(count);
    for (Vertex& vertex : m_vertices) {
        if (!vertex.read(in, scene, version))
            return false;
    }

    if (!sceneio::readCount(in, scene, count, 4, "UV set"))
        return false;
    m_uvSets.resize(count);
    for (auto& set : m_uvSets) {
        if (!sceneio::readArray(in, scene, set, "UV coordinate"))
            return false;
    }

    if (!sceneio::readCount(in, scene, count, 4, "vertex buffer text"))
        return false;
    m_texts.resize(count);
    for (std::string& text : m_texts) {
        if (!sceneio::readCountedText(in, scene, text, "a vertex buffer text"))
            return false;
    }

    if (!sceneio::readCount(in, scene, count, 4, "per-vertex named value table"))
        return false;
    m_vertexNamedValues.resize(count);
    for (NamedValueTable& table : m_vertexNamedValues) {
        if (!table.read(in, scene))
            return false;
    }

    return sceneio::readArray(in, scene, m_skinWeights, "skin weight");
}

} // namespace vx
