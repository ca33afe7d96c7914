// The graphics stand-in's mesh services (adjacency, triangle reordering, failures) and its
// vector normalisation.
#include <d3dx9.h>
#include <d3dx9math.h>
#include <vornexgfx/DeviceControl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

const D3DVERTEXELEMENT9 kPositionOnly[] = {{0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0},
                                           D3DDECL_END()};

struct Device {
    Device() {
        d3d = Direct3DCreate9(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS p;
        if (d3d)
            d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, 0, &p, &device);
    }
    ~Device() {
        if (device)
            device->Release();
        if (d3d)
            d3d->Release();
    }
    IDirect3D9* d3d = nullptr;
    IDirect3DDevice9* device = nullptr;
};

// An n x n grid of quads in the x-z plane; corners duplicated per quad when `split`.
ID3DXMesh* gridMesh(IDirect3DDevice9* device, int n, bool split,
                    std::vector<std::uint16_t>& indices) {
    std::vector<std::array<float, 3>> points;
    indices.clear();
    auto point = [&](int x, int z) {
        if (!split) {
            return static_cast<std::uint16_t>(z * (n + 1) + x);
        }
        points.push_back({static_cast<float>(x), 0.0f, static_cast<float>(z)});
        return static_cast<std::uint16_t>(points.size() - 1);
    };
    if (!split)
        for (int z = 0; z <= n; ++z)
            for (int x = 0; x <= n; ++x)
                points.push_back({static_cast<float>(x), 0.0f, static_cast<float>(z)});
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x) {
            const std::uint16_t a = point(x, z), b = point(x + 1, z), c = point(x, z + 1);
            const std::uint16_t d = split ? point(x + 1, z) : b;
            const std::uint16_t e = point(x + 1, z + 1);
            const std::uint16_t f = split ? point(x, z + 1) : c;
            indices.insert(indices.end(), {a, c, b, d, f, e});
        }
    ID3DXMesh* mesh = nullptr;
    EXPECT_EQ(D3DXCreateMesh(static_cast<DWORD>(indices.size() / 3),
                             static_cast<DWORD>(points.size()), D3DXMESH_SYSTEMMEM, kPositionOnly,
                             device, &mesh),
              D3D_OK);
    void* data = nullptr;
    mesh->LockVertexBuffer(0, &data);
    std::memcpy(data, points.data(), points.size() * 12);
    mesh->UnlockVertexBuffer();
    mesh->LockIndexBuffer(0, &data);
    std::memcpy(data, indices.data(), indices.size() * 2);
    mesh->UnlockIndexBuffer();
    return mesh;
}

TEST(D3DXMesh, AdjacencyJoinsFacesAcrossEdgesWhoseCornersLieWithinEpsilon) {
    Device d;
    for (bool split : {false, true}) {
        std::vector<std::uint16_t> indices;
        ID3DXMesh* mesh = gridMesh(d.device, 3, split, indices);
        std::vector<DWORD> adjacency(mesh->GetNumFaces() * 3);
        ASSERT_EQ(mesh->GenerateAdjacency(0.1f, adjacency.data()), D3D_OK);
        // Each quad's two triangles meet across the diagonal; inner quad edges meet too: a
        // 3 x 3 grid has 9 diagonals and 12 inner edges, each seen from both sides.
        const auto links = std::count_if(adjacency.begin(), adjacency.end(),
                                         [](DWORD f) { return f != 0xFFFFFFFF; });
        EXPECT_EQ(links, 2 * (9 + 12)) << (split ? "split corners" : "shared corners");
        for (DWORD f = 0; f < mesh->GetNumFaces(); ++f)
            for (int e = 0; e < 3; ++e) {
                const DWORD g = adjacency[f * 3 + static_cast<DWORD>(e)];
                if (g != 0xFFFFFFFF) {
                    EXPECT_NE(
                        std::find(adjacency.begin() + g * 3, adjacency.begin() + g * 3 + 3, f),
                        adjacency.begin() + g * 3 + 3);
                }
            }
        mesh->Release();
    }
}

TEST(D3DXMesh, OptimizeInplaceReordersWholeTrianglesAndRefusesVertexChanges) {
    Device d;
    std::vector<std::uint16_t> before;
    ID3DXMesh* mesh = gridMesh(d.device, 20, false, before);
    std::vector<DWORD> adjacency(mesh->GetNumFaces() * 3);
    mesh->GenerateAdjacency(0.1f, adjacency.data());
    EXPECT_EQ(mesh->OptimizeInplace(D3DXMESHOPT_COMPACT | D3DXMESHOPT_VERTEXCACHE, adjacency.data(),
                                    nullptr, nullptr, nullptr),
              D3DERR_INVALIDCALL);
    std::vector<DWORD> remap(mesh->GetNumFaces());
    ASSERT_EQ(mesh->OptimizeInplace(0x14400000, adjacency.data(), nullptr, remap.data(), nullptr),
              D3D_OK);
    void* data = nullptr;
    mesh->LockIndexBuffer(0, &data);
    std::vector<std::uint16_t> after(before.size());
    std::memcpy(after.data(), data, after.size() * 2);
    EXPECT_NE(after, before) << "a grid in row order is not the cache order";
    // Every new face is an old face with its corners in the same rotation.
    std::vector<bool> used(remap.size(), false);
    for (std::size_t f = 0; f < remap.size(); ++f) {
        ASSERT_LT(remap[f], remap.size());
        EXPECT_FALSE(used[remap[f]]);
        used[remap[f]] = true;
        std::array<std::uint16_t, 3> o = {before[remap[f] * 3], before[remap[f] * 3 + 1],
                                          before[remap[f] * 3 + 2]};
        const std::array<std::uint16_t, 3> n = {after[f * 3], after[f * 3 + 1], after[f * 3 + 2]};
        bool rotation = false;
        for (int r = 0; r < 3; ++r) {
            rotation = rotation || o == n;
            std::rotate(o.begin(), o.begin() + 1, o.end());
        }
        EXPECT_TRUE(rotation) << "face " << f;
    }
    mesh->Release();
}

TEST(D3DXMesh, CreationFailsForBadArgumentsAndWhenTheRuntimeOrDeviceIsMissing) {
    Device d;
    ID3DXMesh* mesh = nullptr;
    EXPECT_EQ(D3DXCreateMesh(1, 0x10001, D3DXMESH_SYSTEMMEM, kPositionOnly, d.device, &mesh),
              D3DERR_INVALIDCALL)
        << "16-bit indices cannot reach every vertex";
    EXPECT_EQ(D3DXCreateMesh(0, 3, D3DXMESH_SYSTEMMEM, kPositionOnly, d.device, &mesh),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXCreateMesh(1, 3, D3DXMESH_SYSTEMMEM, kPositionOnly, nullptr, &mesh),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(mesh, nullptr);
    EXPECT_EQ(Direct3DCreate9(31), nullptr);

    vornexgfx::setRuntimeUnavailable(true);
    EXPECT_EQ(Direct3DCreate9(D3D_SDK_VERSION), nullptr);
    vornexgfx::setRuntimeUnavailable(false);
    vornexgfx::setDeviceCreationFails(true);
    Device failing;
    EXPECT_NE(failing.d3d, nullptr);
    EXPECT_EQ(failing.device, nullptr);
    vornexgfx::setDeviceCreationFails(false);
}

TEST(D3DXVec3Normalize, KeepsTheDirectionAtAnyScaleAndGivesZeroWithoutOne) {
    const float huge = 3e38f;
    const float tiny = 1e-40f; // subnormal: its square is below the float range
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        D3DXVECTOR3 in, want;
    };
    const Case cases[] = {
        {{3, 0, -4}, {0.6f, 0, -0.8f}}, {{huge, huge, 0}, {0.70710678f, 0.70710678f, 0}},
        {{0, tiny, 0}, {0, 1, 0}},      {{0, 0, 0}, {0, 0, 0}},
        {{inf, 0, 0}, {0, 0, 0}},       {{std::nanf(""), 1, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.in.x << " " << c.in.y << " " << c.in.z);
        D3DXVECTOR3 v = c.in;
        EXPECT_EQ(D3DXVec3Normalize(&v, &v), &v); // in place, as the mender calls it
        EXPECT_NEAR(v.x, c.want.x, 1e-7f);
        EXPECT_NEAR(v.y, c.want.y, 1e-7f);
        EXPECT_NEAR(v.z, c.want.z, 1e-7f);
    }
}

} // namespace
