#pragma once
// Converts the tangent-space normal maps of a skinned mesh's materials into object-space maps:
// every triangle is drawn into texture space, where the conversion effect turns each texel by
// the interpolated tangent frame; the converted texels are then grown outwards twice so that
// filtering near chart borders finds valid values. The results are saved beside the sources as
// "_os.dds" files, which pointAtObjectSpaceMaps then points the materials at.
#include <d3d9.h>
#include <d3dx9.h>
#include <dxerr9.h>
#include <win32window.h>

#include <map>
#include <string>

namespace vx {

class MeshDataExporter;
class MeshMaterialExporter;

class TransformNormalMap {
public:
    TransformNormalMap() = default;
    TransformNormalMap(const TransformNormalMap&) = delete;
    TransformNormalMap& operator=(const TransformNormalMap&) = delete;
    // Frees whatever release() has not (quietly: release() is the logged path).
    ~TransformNormalMap();

    // Window, device, effect and quad; false (logged) when any of them cannot be had.
    bool initContext();
    // Converts the maps of `materials` that exist for the level of detail `mesh` and saves them
    // beside their sources; the materials are renamed afterwards, by pointAtObjectSpaceMaps.
    // False (logged) when the conversion could not finish.
    bool convertSkinnedMesh(const MeshDataExporter& mesh, const MeshMaterialExporter& materials);
    // Releases everything initContext made, logging each object's remaining reference count.
    void release();

private:
    struct Target {
        IDirect3DTexture9* texture = nullptr; // render target the conversion draws into
        IDirect3DSurface9* outline = nullptr; // same size, drawn into while outlining
        UINT width = 0;
        UINT height = 0;
    };

    bool createQuad();
    bool createMeshBuffers(const MeshDataExporter& mesh);
    bool loadMaps(const MeshDataExporter& mesh, const MeshMaterialExporter& materials);
    bool drawConversion(const MeshDataExporter& mesh, const MeshMaterialExporter& materials);
    bool drawOutlines();
    // Saves every target beside its source as "_os.dds"; a map that cannot be saved is logged.
    void saveConverted();
    bool ok(HRESULT result);
    void releaseConversionData();
    void releaseAll();

    HWND m_window = nullptr;
    bool m_classRegistered = false;
    IDirect3D9* m_d3d = nullptr;
    IDirect3DDevice9* m_device = nullptr;
    ID3DXEffect* m_effect = nullptr;
    D3DXHANDLE m_technique = nullptr;
    D3DXHANDLE m_texParam = nullptr;
    D3DXHANDLE m_texelSize = nullptr;
    IDirect3DVertexDeclaration9* m_vertexDeclaration = nullptr;
    IDirect3DVertexDeclaration9* m_quadDeclaration = nullptr;
    IDirect3DVertexBuffer9* m_quadBuffer = nullptr;

    // Per conversion. Keyed by source path, so maps are converted in a fixed order.
    IDirect3DVertexBuffer9* m_meshVertices = nullptr;
    IDirect3DIndexBuffer9* m_meshIndices = nullptr;
    IDirect3DSurface9* m_backBuffer = nullptr;
    std::map<std::string, IDirect3DTexture9*> m_sources;
    std::map<std::string, Target> m_targets;
};

} // namespace vx
