#include "device/VertexDeclaration.h"

namespace vornexgfx {
namespace {

constexpr std::size_t kMaxElements = 64;

const char* usageName(BYTE usage) {
    switch (usage) {
    case D3DDECLUSAGE_POSITION:
        return "POSITION";
    case D3DDECLUSAGE_BLENDWEIGHT:
        return "BLENDWEIGHT";
    case D3DDECLUSAGE_BLENDINDICES:
        return "BLENDINDICES";
    case D3DDECLUSAGE_NORMAL:
        return "NORMAL";
    case D3DDECLUSAGE_PSIZE:
        return "PSIZE";
    case D3DDECLUSAGE_TEXCOORD:
        return "TEXCOORD";
    case D3DDECLUSAGE_TANGENT:
        return "TANGENT";
    case D3DDECLUSAGE_BINORMAL:
        return "BINORMAL";
    case D3DDECLUSAGE_COLOR:
        return "COLOR";
    default:
        return nullptr;
    }
}

} // namespace

VertexDeclaration* VertexDeclaration::create(const D3DVERTEXELEMENT9* elements) {
    if (!elements)
        return nullptr;
    auto* declaration = new VertexDeclaration();
    for (std::size_t i = 0;; ++i) {
        const D3DVERTEXELEMENT9& e = elements[i];
        if (e.Stream == 0xFF && e.Type == D3DDECLTYPE_UNUSED)
            return declaration;
        const char* usage = usageName(e.Usage);
        if (i == kMaxElements || e.Stream >= 16 || D3DDeclTypeSize(e.Type) == 0 || !usage ||
            e.Method != D3DDECLMETHOD_DEFAULT) {
            declaration->Release();
            return nullptr;
        }
        declaration->m_elements.push_back(e);
        declaration->m_inputNames.push_back(usage + std::to_string(e.UsageIndex));
    }
}

HRESULT VertexDeclaration::GetDeclaration(D3DVERTEXELEMENT9* elements, UINT* count) {
    if (!count)
        return D3DERR_INVALIDCALL;
    *count = static_cast<UINT>(m_elements.size() + 1);
    if (elements) {
        for (std::size_t i = 0; i < m_elements.size(); ++i)
            elements[i] = m_elements[i];
        elements[m_elements.size()] = D3DDECL_END();
    }
    return D3D_OK;
}

} // namespace vornexgfx
