#pragma once
// A vertex declaration being built: elements on stream 0 at increasing offsets, the stride
// summed as they are added, closed by the end element.
#include <d3d9.h>

#include <cstdint>
#include <vector>

namespace vx {

class VertexDeclaration {
public:
    void add(BYTE type, BYTE usage, BYTE usageIndex = 0);
    // The elements followed by the end element.
    std::vector<D3DVERTEXELEMENT9> elements() const;
    std::uint32_t stride() const { return m_stride; }
    void clear() {
        m_elements.clear();
        m_stride = 0;
    }

private:
    std::vector<D3DVERTEXELEMENT9> m_elements;
    std::uint32_t m_stride = 0;
};

} // namespace vx
