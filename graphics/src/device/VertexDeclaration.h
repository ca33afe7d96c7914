#pragma once
// A vertex declaration: its elements, checked at creation, and the GLSL input name of each.
#include "d3d9.h"
#include "device/ComObject.h"

#include <string>
#include <vector>

namespace vornexgfx {

class VertexDeclaration final : public ComObject<IDirect3DVertexDeclaration9> {
public:
    // Null unless every element before the end marker has a type and usage the stand-in
    // draws, and the count stays under 64.
    static VertexDeclaration* create(const D3DVERTEXELEMENT9* elements);

    HRESULT GetDeclaration(D3DVERTEXELEMENT9* elements, UINT* count) override;

    // The elements without the end marker.
    const std::vector<D3DVERTEXELEMENT9>& elements() const { return m_elements; }
    // The GLSL input each element feeds: usage name and index, e.g. "TEXCOORD1".
    const std::vector<std::string>& inputNames() const { return m_inputNames; }

private:
    VertexDeclaration() = default;
    std::vector<D3DVERTEXELEMENT9> m_elements;
    std::vector<std::string> m_inputNames;
};

} // namespace vornexgfx
