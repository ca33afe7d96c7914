#pragma once
// A level of detail made directly of export vertices: grids in texture space, each one material
// group with a constant tangent frame. Positions do not matter to the normal-map conversion.
#include "MeshExporter/MeshDataExporter.h"

#include <array>
#include <string>

namespace vx::test {

class FrameMesh : public MeshDataExporter {
public:
    explicit FrameMesh(std::string outputFile) { m_outputFile = std::move(outputFile); }
    bool buildGeometry(SceneNode&, int, int) override { return false; }
    ExportVertex makeVertex(const VertexBuffer&, const Vertex&, const Matrix&, int) const override {
        return {};
    }

    // cells x cells quads over u in [u0, u1], v in [0, 1], with binormal `b` and normal `n`;
    // returns the group's draw range.
    MeshMaterialRecord addGrid(Vector3 b, Vector3 n, float u0, float u1, int cells = 1) {
        MeshMaterialRecord record;
        record.baseVertexIndex = static_cast<std::int32_t>(m_vertices.size());
        record.startIndex = static_cast<std::uint32_t>(m_indices.size());
        const int side = cells + 1;
        for (int j = 0; j < side; ++j)
            for (int i = 0; i < side; ++i) {
                ExportVertex vertex;
                vertex.binormal = b;
                vertex.normal = n;
                vertex.tangent = {9.0f, 9.0f,
                                  9.0f}; // never read: the tangent is made from the other two
                const float s = static_cast<float>(i) / static_cast<float>(cells);
                vertex.uvs[0] = {u0 + (u1 - u0) * s,
                                 static_cast<float>(j) / static_cast<float>(cells)};
                m_vertices.push_back(vertex);
            }
        for (int j = 0; j < cells; ++j)
            for (int i = 0; i < cells; ++i) {
                const int a = j * side + i;
                for (const int corner :
                     std::array<int, 6>{a, a + 1, a + side, a + side, a + 1, a + side + 1})
                    m_indices.push_back(static_cast<std::uint16_t>(corner));
            }
        record.vertexCount = static_cast<std::uint32_t>(side * side);
        record.indexCount = static_cast<std::uint32_t>(6 * cells * cells);
        return record;
    }
};

} // namespace vx::test
