#include "MeshExporter/VertexDeclaration.h"

namespace vx {

void VertexDeclaration::add(BYTE type, BYTE usage, BYTE usageIndex) {
    m_elements.push_back(
        {0, static_cast<WORD>(m_stride), type, D3DDECLMETHOD_DEFAULT, usage, usageIndex});
    m_stride += D3DDeclTypeSize(type);
}

std::vector<D3DVERTEXELEMENT9> VertexDeclaration::elements() const {
    std::vector<D3DVERTEXELEMENT9> out = m_elements;
    out.push_back(D3DDECL_END());
    return out;
}

} // namespace vx
