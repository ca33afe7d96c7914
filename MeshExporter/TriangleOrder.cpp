#include "MeshExporter/TriangleOrder.h"

#include "Shared/Base/Log.h"

#include <d3dx9.h>

#include <cstring>
#include <memory>

namespace vx {

namespace {

template <typename T>
struct ReleaseDeleter {
    void operator()(T* object) const {
        if (object)
            object->Release();
    }
};
template <typename T>
using Released = std::unique_ptr<T, ReleaseDeleter<T>>;

constexpr DWORD kOptimizeFlags =
    D3DXMESHOPT_VERTEXCACHE | D3DXMESHOPT_IGNOREVERTS | D3DXMESHOPT_DEVICEINDEPENDENT;
static_assert(kOptimizeFlags == 0x14400000);

} // namespace

void optimizeTriangleOrder(const std::vector<D3DVERTEXELEMENT9>& declaration,
                           std::uint32_t vertexCount, std::vector<std::uint16_t>& indices) {
    if (indices.empty())
        return;
    // The graphics runtime needs no window here; the device is made and released per call as
    // the optimisation has always done.
    const Released<IDirect3D9> d3d(Direct3DCreate9(D3D_SDK_VERSION));
    // Named for the assertion text "D3D", which the log has always shown for this step.
    const IDirect3D9* D3D = d3d.get();
    VX_ASSERT(D3D);
    D3DPRESENT_PARAMETERS parameters;
    IDirect3DDevice9* rawDevice = nullptr;
    d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                      D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &rawDevice);
    const Released<IDirect3DDevice9> d3dDevice(rawDevice);
    VX_ASSERT(d3dDevice);

    const auto faceCount = static_cast<DWORD>(indices.size() / 3);
    ID3DXMesh* rawMesh = nullptr;
    HRESULT rc = D3DXCreateMesh(faceCount, vertexCount, D3DXMESH_SYSTEMMEM, declaration.data(),
                                d3dDevice.get(), &rawMesh);
    const Released<ID3DXMesh> mesh(rawMesh);
    VX_ASSERT(!rc);
    VX_ASSERT(indices.size() == mesh->GetNumFaces() * 3);

    // The vertex buffer stays as created: the order is taken with the vertices ignored.
    void* data = nullptr;
    rc = mesh->LockIndexBuffer(0, &data);
    VX_ASSERT(!rc);
    std::memcpy(data, indices.data(), indices.size() * sizeof(std::uint16_t));
    mesh->UnlockIndexBuffer();

    // The graphics services order triangles by their corners' vertex numbers alone and take no
    // advice from face adjacency, so none is made: finding it welds every position again and
    // cost more than the ordering itself.
    rc = mesh->OptimizeInplace(kOptimizeFlags, nullptr, nullptr, nullptr, nullptr);
    VX_ASSERT(!rc);

    rc = mesh->LockIndexBuffer(0, &data);
    VX_ASSERT(!rc);
    std::memcpy(indices.data(), data, indices.size() * sizeof(std::uint16_t));
    mesh->UnlockIndexBuffer();
}

} // namespace vx
