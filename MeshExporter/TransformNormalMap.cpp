#include "MeshExporter/TransformNormalMap.h"

#include "MeshExporter/EffectFileSearch.h"
#include "MeshExporter/MeshDataExporter.h"
#include "MeshExporter/MeshMaterialExporter.h"
#include "MeshExporter/NormalMapReferences.h"
#include "Shared/Base/File/PathNames.h"
#include "Shared/Base/Log.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace vx {

namespace {

constexpr const char* kWindowClass = "VornexTransformNormalMap";

// The conversion draws one of these per export vertex: the tangent frame and the first
// texture coordinates; positions are not needed, the effect places triangles by their UVs.
struct FrameVertex {
    float normal[3];
    float binormal[3];
    float tangent[3];
    float uv[2];
};
static_assert(sizeof(FrameVertex) == 44);

// Four bytes the effect turns into a render-target corner, then the corner's texture
// coordinates.
struct QuadVertex {
    BYTE corner[4];
    float uv[2];
};
static_assert(sizeof(QuadVertex) == 12);

constexpr QuadVertex kQuad[4] = {
    {{1, 0, 2, 0}, {0.0f, 0.0f}},
    {{1, 0, 2, 2}, {1.0f, 0.0f}},
    {{1, 0, 0, 0}, {0.0f, 1.0f}},
    {{1, 0, 0, 2}, {1.0f, 1.0f}},
};

constexpr D3DVERTEXELEMENT9 kFrameElements[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0},
    {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_BINORMAL, 0},
    {0, 24, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TANGENT, 0},
    {0, 36, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END(),
};

constexpr D3DVERTEXELEMENT9 kQuadElements[] = {
    {0, 0, D3DDECLTYPE_UBYTE4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 4, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END(),
};

// The window only anchors the device; it is never shown and has no messages to answer.
LRESULT hiddenWindowProcedure(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

void store(float (&to)[3], const Vector3& from) {
    to[0] = from.x;
    to[1] = from.y;
    to[2] = from.z;
}

template <class T>
ULONG releaseObject(T*& object) {
    const ULONG remaining = object ? object->Release() : 0;
    object = nullptr;
    return remaining;
}

// The draw count of `indexCount` indices for the mesh's primitive type.
UINT primitiveCount(std::uint32_t primitiveType, std::uint32_t indexCount) {
    if (primitiveType == D3DPT_TRIANGLESTRIP)
        return indexCount < 2 ? 0 : indexCount - 2;
    return indexCount / 3;
}

} // namespace

TransformNormalMap::~TransformNormalMap() {
    releaseAll();
}

bool TransformNormalMap::ok(HRESULT result) {
    if (SUCCEEDED(result))
        return true;
    VX_INFO << "Transformnormalmap error: " << DXGetErrorString9A(result);
    return false;
}

bool TransformNormalMap::initContext() {
    VX_INFO << "Begin TransformNormalMap::initContext()";
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = hiddenWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    m_classRegistered = RegisterClassExA(&windowClass) != 0;
    if (!m_classRegistered)
        return false;
    m_window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 1, 1, GetDesktopWindow(), nullptr,
                               windowClass.hInstance, nullptr);
    if (m_window == nullptr)
        return false;

    m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (m_d3d == nullptr)
        return ok(D3DERR_NOTAVAILABLE);
    D3DPRESENT_PARAMETERS presentation{};
    presentation.Windowed = TRUE;
    presentation.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentation.hDeviceWindow = m_window;
    if (!ok(m_d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, m_window,
                                D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE,
                                &presentation, &m_device)))
        return false;

    const char* install = std::getenv("MAYA_LOCATION");
    const std::optional<std::string> effectPath = locateTransformEffect(programFolder(), install);
    if (!effectPath)
        return false;
    ID3DXBuffer* errors = nullptr;
    if (FAILED(D3DXCreateEffectFromFileA(m_device, effectPath->c_str(), nullptr, nullptr,
                                         D3DXSHADER_SKIPOPTIMIZATION, nullptr, &m_effect,
                                         &errors))) {
        std::string text;
        if (errors)
            text.assign(static_cast<const char*>(errors->GetBufferPointer()),
                        errors->GetBufferSize());
        while (!text.empty() && text.back() == '\0')
            text.pop_back();
        releaseObject(errors);
        VX_INFO << "Failed to load effect." << text;
        return false;
    }
    releaseObject(errors);

    m_technique = m_effect->GetTechniqueByName("TransformTanToObj");
    if (m_technique == nullptr)
        return ok(D3DERR_INVALIDCALL);
    if (!ok(m_effect->ValidateTechnique(m_technique)) || !ok(m_effect->SetTechnique(m_technique)))
        return false;
    m_texParam = m_effect->GetParameterByName(nullptr, "texParam");
    m_texelSize = m_effect->GetParameterByName(nullptr, "texelSize");
    if (m_texParam == nullptr || m_texelSize == nullptr)
        return ok(D3DERR_INVALIDCALL);
    if (!createQuad())
        return false;
    VX_INFO << "Success TransformNormalMap::initContext()";
    return true;
}

bool TransformNormalMap::createQuad() {
    if (!ok(m_device->CreateVertexDeclaration(kFrameElements, &m_vertexDeclaration)) ||
        !ok(m_device->CreateVertexDeclaration(kQuadElements, &m_quadDeclaration)) ||
        !ok(m_device->CreateVertexBuffer(sizeof kQuad, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED,
                                         &m_quadBuffer, nullptr)))
        return false;
    void* bytes = nullptr;
    if (!ok(m_quadBuffer->Lock(0, 0, &bytes, 0)))
        return false;
    std::memcpy(bytes, kQuad, sizeof kQuad);
    return ok(m_quadBuffer->Unlock());
}

bool TransformNormalMap::createMeshBuffers(const MeshDataExporter& mesh) {
    const ExportVertexList& vertices = mesh.vertices();
    const std::vector<std::uint16_t>& indices = mesh.indices();
    if (vertices.empty() || indices.empty())
        return ok(D3DERR_INVALIDCALL);
    const UINT vertexBytes = static_cast<UINT>(vertices.size() * sizeof(FrameVertex));
    const UINT indexBytes = static_cast<UINT>(indices.size() * sizeof(std::uint16_t));
    if (!ok(m_device->CreateVertexBuffer(vertexBytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED,
                                         &m_meshVertices, nullptr)) ||
        !ok(m_device->CreateIndexBuffer(indexBytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16,
                                        D3DPOOL_MANAGED, &m_meshIndices, nullptr)))
        return false;
    void* bytes = nullptr;
    if (!ok(m_meshVertices->Lock(0, 0, &bytes, 0)))
        return false;
    auto* out = static_cast<FrameVertex*>(bytes);
    for (const ExportVertex& vertex : vertices) {
        FrameVertex frame{};
        store(frame.normal, vertex.normal);
        store(frame.binormal, vertex.binormal);
        // The tangent is made again from the other two, so the frame is right-handed whatever
        // the tangent generation stored.
        store(frame.tangent, Vector3::cross(vertex.binormal, vertex.normal));
        frame.uv[0] = vertex.uvs[0].u;
        frame.uv[1] = vertex.uvs[0].v;
        *out++ = frame;
    }
    if (!ok(m_meshVertices->Unlock()) || !ok(m_meshIndices->Lock(0, 0, &bytes, 0)))
        return false;
    std::memcpy(bytes, indices.data(), indexBytes);
    return ok(m_meshIndices->Unlock());
}

bool TransformNormalMap::loadMaps(const MeshDataExporter& mesh,
                                  const MeshMaterialExporter& materials) {
    for (const MeshMaterialExporter::Entry& entry : materials.entries()) {
        if (!convertsNormalMap(entry))
            continue;
        const std::string path = normalMapSourcePath(mesh.outputFile(), entry.textures[0]);
        // A missing map is the artist's to hear of (pointAtObjectSpaceMaps); the others are
        // still converted.
        std::error_code error;
        if (m_sources.count(path) != 0 || !std::filesystem::is_regular_file(path, error))
            continue;
        IDirect3DTexture9* source = nullptr;
        if (!ok(D3DXCreateTextureFromFileExA(m_device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1,
                                             0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                             D3DX_FILTER_NONE, 0, nullptr, nullptr, &source))) {
            VX_INFO << "Transformnormalmap error: cannot read " << path;
            return false;
        }
        m_sources[path] = source;
        D3DSURFACE_DESC description{};
        if (!ok(source->GetLevelDesc(0, &description)))
            return false;
        Target& target = m_targets[path];
        target.width = description.Width;
        target.height = description.Height;
        if (!ok(m_device->CreateTexture(target.width, target.height, 1, D3DUSAGE_RENDERTARGET,
                                        D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target.texture,
                                        nullptr)) ||
            !ok(m_device->CreateRenderTarget(target.width, target.height, D3DFMT_A8R8G8B8,
                                             D3DMULTISAMPLE_NONE, 0, FALSE, &target.outline,
                                             nullptr)))
            return false;
    }
    return true;
}

bool TransformNormalMap::drawConversion(const MeshDataExporter& mesh,
                                        const MeshMaterialExporter& materials) {
    if (!ok(m_device->SetStreamSource(0, m_meshVertices, 0, sizeof(FrameVertex))) ||
        !ok(m_device->SetIndices(m_meshIndices)) ||
        !ok(m_device->SetVertexDeclaration(m_vertexDeclaration)))
        return false;
    UINT passes = 0;
    if (!ok(m_effect->Begin(&passes, 0)))
        return false;
    if (!ok(m_effect->BeginPass(0))) {
        m_effect->End();
        return false;
    }
    VX_INFO << "Beginning Pass 0 (conversion)";
    const auto endEffect = [this] {
        m_effect->EndPass();
        m_effect->End();
        return false;
    };
    if (!ok(m_device->GetRenderTarget(0, &m_backBuffer)))
        return endEffect();

    for (auto& [path, target] : m_targets) {
        IDirect3DSurface9* level = nullptr;
        if (!ok(target.texture->GetSurfaceLevel(0, &level)))
            return endEffect();
        const bool cleared = ok(m_device->SetRenderTarget(0, level)) &&
                             ok(m_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0));
        level->Release();
        if (!cleared)
            return endEffect();
    }

    for (const MeshMaterialExporter::Entry& entry : materials.entries()) {
        if (!convertsNormalMap(entry))
            continue;
        const MeshMaterialRecord& record = entry.record;
        const UINT primitives = primitiveCount(mesh.primitiveType(), record.indexCount);
        if (primitives == 0)
            continue;
        const std::string path = normalMapSourcePath(mesh.outputFile(), entry.textures[0]);
        const auto found = m_targets.find(path);
        if (found == m_targets.end())
            continue;
        Target& target = found->second;
        IDirect3DSurface9* level = nullptr;
        const D3DVIEWPORT9 viewport{0, 0, target.width, target.height, 0.0f, 1.0f};
        if (!ok(m_effect->SetTexture(m_texParam, m_sources.at(path))) ||
            !ok(target.texture->GetSurfaceLevel(0, &level)))
            return endEffect();
        const bool targetSet = ok(m_device->SetRenderTarget(0, level));
        level->Release();
        if (!targetSet || !ok(m_device->SetViewport(&viewport)) || !ok(m_device->BeginScene()))
            return endEffect();
        const bool drawn =
            ok(m_effect->CommitChanges()) &&
            ok(m_device->DrawIndexedPrimitive(static_cast<D3DPRIMITIVETYPE>(mesh.primitiveType()),
                                              record.baseVertexIndex, 0, record.vertexCount,
                                              record.startIndex, primitives));
        m_device->EndScene();
        if (!drawn)
            return endEffect();
    }
    m_effect->EndPass();
    for (auto& [path, source] : m_sources)
        releaseObject(source);
    m_sources.clear();
    if (!ok(m_device->SetRenderTarget(0, m_backBuffer))) {
        m_effect->End();
        return false;
    }
    for (auto& [path, target] : m_targets)
        D3DXSaveTextureToFileA(replaceExtension(path, "_beforeOL.dds").c_str(), D3DXIFF_DDS,
                               target.texture, nullptr);
    return true;
}

bool TransformNormalMap::drawOutlines() {
    // The effect stays begun from the conversion pass; every exit below ends it.
    if (!ok(m_device->SetStreamSource(0, m_quadBuffer, 0, sizeof(QuadVertex))) ||
        !ok(m_device->SetIndices(nullptr)) ||
        !ok(m_device->SetVertexDeclaration(m_quadDeclaration))) {
        m_effect->End();
        return false;
    }
    VX_INFO << "Beginning Pass 1 (outlining)";
    if (!ok(m_effect->BeginPass(1))) {
        m_effect->End();
        return false;
    }
    bool good = true;
    for (auto& [path, target] : m_targets) {
        // The viewport follows the outlining surface becoming the target: one larger than the
        // current target (the 1 x 1 back buffer) would be refused.
        const D3DVIEWPORT9 viewport{0, 0, target.width, target.height, 0.0f, 1.0f};
        const D3DXVECTOR4 texelSize(
            1.0f / static_cast<float>(target.width), 1.0f / static_cast<float>(target.height),
            0.5f / static_cast<float>(target.height), 0.5f / static_cast<float>(target.width));
        IDirect3DSurface9* level = nullptr;
        if (!ok(m_effect->SetVector(m_texelSize, &texelSize)) ||
            !ok(target.texture->GetSurfaceLevel(0, &level)) || !ok(m_device->BeginScene())) {
            releaseObject(level);
            good = false;
            break;
        }
        for (int round = 0; round < 2 && good; ++round) {
            good = ok(m_effect->SetTexture(m_texParam, target.texture)) &&
                   ok(m_device->SetRenderTarget(0, target.outline)) &&
                   ok(m_device->SetViewport(&viewport)) &&
                   ok(m_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0)) &&
                   ok(m_effect->CommitChanges()) &&
                   ok(m_device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2)) &&
                   ok(m_effect->SetTexture(m_texParam, nullptr)) &&
                   ok(m_device->SetRenderTarget(0, m_backBuffer)) &&
                   ok(D3DXLoadSurfaceFromSurface(level, nullptr, nullptr, target.outline, nullptr,
                                                 nullptr, D3DX_DEFAULT, 0));
        }
        m_device->EndScene();
        releaseObject(level);
        if (!good)
            break;
    }
    m_effect->EndPass();
    m_effect->End();
    if (good) {
        VX_INFO << "Ended effect";
    }
    return good;
}

void TransformNormalMap::saveConverted() {
    for (auto& [path, target] : m_targets) {
        if (FAILED(D3DXSaveTextureToFileA(replaceExtension(path, "_os.dds").c_str(), D3DXIFF_DDS,
                                          target.texture, nullptr))) {
            VX_INFO << "Failed to save converted texture " << path << " to disk.";
        }
    }
}

bool TransformNormalMap::convertSkinnedMesh(const MeshDataExporter& mesh,
                                            const MeshMaterialExporter& materials) {
    VX_INFO << "Begin TransformNormalMap::convertSkinnedMesh";
    if (m_device == nullptr || m_effect == nullptr)
        return ok(D3DERR_INVALIDCALL);
    bool good = createMeshBuffers(mesh) && loadMaps(mesh, materials);
    // Without a map to convert there is nothing to draw.
    if (good && !m_targets.empty()) {
        VX_INFO << "3D Data created";
        good = drawConversion(mesh, materials) && drawOutlines();
    }
    if (good)
        saveConverted();
    releaseConversionData();
    if (good) {
        VX_INFO << "End TransformNormalMap::convertSkinnedMesh";
    }
    return good;
}

void TransformNormalMap::releaseConversionData() {
    if (m_device && m_backBuffer)
        m_device->SetRenderTarget(0, m_backBuffer);
    releaseObject(m_backBuffer);
    for (auto& [path, source] : m_sources)
        releaseObject(source);
    m_sources.clear();
    for (auto& [path, target] : m_targets) {
        releaseObject(target.texture);
        releaseObject(target.outline);
    }
    m_targets.clear();
    releaseObject(m_meshVertices);
    releaseObject(m_meshIndices);
}

void TransformNormalMap::release() {
    releaseConversionData();
    VX_INFO << "QuadVB released w/ refCnt: " << releaseObject(m_quadBuffer);
    VX_INFO << "QuadVDecl released w/ refCnt: " << releaseObject(m_quadDeclaration);
    VX_INFO << "VDecl released w/ refCnt: " << releaseObject(m_vertexDeclaration);
    VX_INFO << "Effect released w/ refCnt: " << releaseObject(m_effect);
    VX_INFO << "D3DDevice released w/ refCnt: " << releaseObject(m_device);
    VX_INFO << "D3D released w/ refCnt: " << releaseObject(m_d3d);
    releaseAll();
}

void TransformNormalMap::releaseAll() {
    releaseConversionData();
    releaseObject(m_quadBuffer);
    releaseObject(m_quadDeclaration);
    releaseObject(m_vertexDeclaration);
    releaseObject(m_effect);
    releaseObject(m_device);
    releaseObject(m_d3d);
    if (m_window) {
        DestroyWindow(m_window);
        m_window = nullptr;
    }
    if (m_classRegistered) {
        UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
        m_classRegistered = false;
    }
}

} // namespace vx
