#include "d3dx9mesh.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_map>

namespace {

constexpr DWORD kNoNeighbour = 0xFFFFFFFF;

// Byte offset of the FLOAT3 position element, or -1.
int positionOffset(const D3DVERTEXELEMENT9* declaration, UINT& stride) {
    int offset = -1;
    stride = 0;
    for (const D3DVERTEXELEMENT9* e = declaration; e->Stream != 0xFF; ++e) {
        const UINT size = D3DDeclTypeSize(e->Type);
        if (size == 0 || e->Stream != 0)
            return -1;
        if (e->Usage == D3DDECLUSAGE_POSITION && e->UsageIndex == 0 &&
            e->Type == D3DDECLTYPE_FLOAT3)
            offset = e->Offset;
        if (e->Offset + size > stride)
            stride = e->Offset + size;
    }
    return offset;
}

} // namespace

DWORD ID3DXBuffer::Release() {
    const DWORD left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer) {
    if (!buffer)
        return D3DERR_INVALIDCALL;
    *buffer = new ID3DXBuffer(size);
    return D3D_OK;
}

DWORD ID3DXMesh::Release() {
    const DWORD left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT D3DXCreateMesh(DWORD numFaces, DWORD numVertices, DWORD options,
                       const D3DVERTEXELEMENT9* declaration, IDirect3DDevice9* device,
                       ID3DXMesh** mesh) {
    if (!mesh)
        return D3DERR_INVALIDCALL;
    *mesh = nullptr;
    if (!device || !declaration || numFaces == 0 || numVertices == 0)
        return D3DERR_INVALIDCALL;
    const bool wide = (options & D3DXMESH_32BIT) != 0;
    if (!wide && numVertices > 0x10000)
        return D3DERR_INVALIDCALL;
    UINT stride = 0;
    if (positionOffset(declaration, stride) < 0)
        return D3DERR_INVALIDCALL;
    auto* made = new ID3DXMesh();
    made->m_faceCount = numFaces;
    made->m_vertexCount = numVertices;
    made->m_stride = stride;
    made->m_32bit = wide;
    made->m_indices.assign(std::size_t{numFaces} * 3 * (wide ? 4 : 2), 0);
    made->m_positionOffset = static_cast<UINT>(positionOffset(declaration, stride));
    *mesh = made;
    return D3D_OK;
}

HRESULT ID3DXMesh::LockVertexBuffer(DWORD, void** data) {
    if (!data)
        return D3DERR_INVALIDCALL;
    *data = vertexBytes();
    return D3D_OK;
}

unsigned char* ID3DXMesh::vertexBytes() {
    if (m_vertices.empty())
        m_vertices.assign(std::size_t{m_stride} * m_vertexCount, 0);
    return m_vertices.data();
}

HRESULT ID3DXMesh::LockIndexBuffer(DWORD, void** data) {
    if (!data)
        return D3DERR_INVALIDCALL;
    *data = m_indices.data();
    return D3D_OK;
}

std::uint32_t ID3DXMesh::index(std::size_t at) const {
    if (m_32bit) {
        std::uint32_t v;
        std::memcpy(&v, m_indices.data() + at * 4, 4);
        return v;
    }
    std::uint16_t v;
    std::memcpy(&v, m_indices.data() + at * 2, 2);
    return v;
}

void ID3DXMesh::setIndex(std::size_t at, std::uint32_t value) {
    if (m_32bit) {
        std::memcpy(m_indices.data() + at * 4, &value, 4);
        return;
    }
    const auto narrow = static_cast<std::uint16_t>(value);
    std::memcpy(m_indices.data() + at * 2, &narrow, 2);
}

HRESULT ID3DXMesh::GenerateAdjacency(FLOAT epsilon, DWORD* adjacency) {
    if (!adjacency || !(epsilon >= 0.0f))
        return D3DERR_INVALIDCALL;
    const std::size_t cornerCount = std::size_t{m_faceCount} * 3;
    for (std::size_t c = 0; c < cornerCount; ++c) {
        if (index(c) >= m_vertexCount)
            return D3DERR_INVALIDCALL;
    }
    // Weld vertices: each vertex takes the weld of the lowest-numbered earlier vertex within
    // epsilon in every axis. Cells are two epsilons wide, so those vertices lie in the 2 x 2 x 2
    // cells nearest the point.
    const double cell = epsilon > 0.0f ? 2.0 * static_cast<double>(epsilon) : 1.0;
    struct CellKey {
        std::int64_t x, y, z;
        bool operator==(const CellKey&) const = default;
    };
    struct CellHash {
        std::size_t operator()(const CellKey& k) const {
            std::uint64_t h = static_cast<std::uint64_t>(k.x) * 0x9E3779B97F4A7C15ULL;
            h = (h ^ (h >> 29) ^ static_cast<std::uint64_t>(k.y)) * 0xBF58476D1CE4E5B9ULL;
            h = (h ^ (h >> 32) ^ static_cast<std::uint64_t>(k.z)) * 0x94D049BB133111EBULL;
            return static_cast<std::size_t>(h ^ (h >> 31));
        }
    };
    const unsigned char* vertices = vertexBytes();
    auto positionOf = [&](std::size_t v) {
        float p[3];
        std::memcpy(p, vertices + v * m_stride + m_positionOffset, sizeof p);
        return std::array<float, 3>{p[0], p[1], p[2]};
    };
    // The cell of a coordinate and the neighbouring cell on the side nearer to it.
    auto cellsOf = [&](float f, std::int64_t& own, std::int64_t& near) {
        const double scaled = static_cast<double>(f) / cell;
        const double c = std::floor(scaled);
        own = !(c > -4e18) ? std::int64_t{-4000000000000000000}
              : c > 4e18   ? std::int64_t{4000000000000000000}
                           : static_cast<std::int64_t>(c);
        near = scaled - c < 0.5 ? own - 1 : own + 1;
    };
    std::unordered_map<CellKey, std::vector<DWORD>, CellHash> grid;
    grid.reserve(m_vertexCount);
    std::vector<DWORD> weld(m_vertexCount);
    for (DWORD v = 0; v < m_vertexCount; ++v) {
        const auto p = positionOf(v);
        std::int64_t cx[2], cy[2], cz[2];
        cellsOf(p[0], cx[0], cx[1]);
        cellsOf(p[1], cy[0], cy[1]);
        cellsOf(p[2], cz[0], cz[1]);
        DWORD found = v;
        for (std::int64_t x : cx)
            for (std::int64_t y : cy)
                for (std::int64_t z : cz) {
                    const auto it = grid.find({x, y, z});
                    if (it == grid.end())
                        continue;
                    for (DWORD other : it->second) {
                        const auto q = positionOf(other);
                        if (other < found && std::fabs(q[0] - p[0]) <= epsilon &&
                            std::fabs(q[1] - p[1]) <= epsilon && std::fabs(q[2] - p[2]) <= epsilon)
                            found = other;
                    }
                }
        weld[v] = found == v ? v : weld[found];
        grid[{cx[0], cy[0], cz[0]}].push_back(v);
    }
    // Each directed edge meets its reverse on the neighbouring face.
    std::unordered_map<std::uint64_t, DWORD> edges;
    edges.reserve(cornerCount);
    auto edgeKey = [](DWORD a, DWORD b) { return (std::uint64_t{a} << 32) | b; };
    for (DWORD f = 0; f < m_faceCount; ++f)
        for (int e = 0; e < 3; ++e) {
            const DWORD a = weld[index(f * 3u + static_cast<unsigned>(e))];
            const DWORD b = weld[index(f * 3u + static_cast<unsigned>((e + 1) % 3))];
            edges.emplace(edgeKey(a, b), f);
        }
    for (DWORD f = 0; f < m_faceCount; ++f)
        for (int e = 0; e < 3; ++e) {
            const DWORD a = weld[index(f * 3u + static_cast<unsigned>(e))];
            const DWORD b = weld[index(f * 3u + static_cast<unsigned>((e + 1) % 3))];
            const auto it = edges.find(edgeKey(b, a));
            adjacency[f * 3u + static_cast<unsigned>(e)] =
                it != edges.end() && it->second != f ? it->second : kNoNeighbour;
        }
    return D3D_OK;
}

HRESULT ID3DXMesh::OptimizeInplace(DWORD flags, const DWORD*, DWORD* adjacencyOut, DWORD* faceRemap,
                                   ID3DXBuffer** vertexRemap) {
    if (vertexRemap)
        *vertexRemap = nullptr;
    if ((flags & (D3DXMESHOPT_COMPACT | D3DXMESHOPT_STRIPREORDER)) != 0 ||
        (flags & D3DXMESHOPT_IGNOREVERTS) == 0)
        return D3DERR_INVALIDCALL;
    const std::size_t cornerCount = std::size_t{m_faceCount} * 3;
    std::vector<unsigned> in(cornerCount);
    for (std::size_t c = 0; c < cornerCount; ++c) {
        in[c] = index(c);
        if (in[c] >= m_vertexCount)
            return D3DERR_INVALIDCALL;
    }
    std::vector<unsigned> out = in;
    if ((flags & D3DXMESHOPT_VERTEXCACHE) != 0)
        meshopt_optimizeVertexCache(out.data(), in.data(), cornerCount, m_vertexCount);
    for (std::size_t c = 0; c < cornerCount; ++c)
        setIndex(c, out[c]);
    if (faceRemap) {
        // The optimiser keeps each triangle's corners together and in their rotation, so a
        // new face is found among the old ones by its corner set.
        std::unordered_map<std::uint64_t, std::vector<DWORD>> oldFaces;
        auto key = [](unsigned a, unsigned b, unsigned c) {
            const unsigned lo = std::min({a, b, c});
            const unsigned hi = std::max({a, b, c});
            const unsigned mid = a + b + c - lo - hi;
            return (std::uint64_t{lo} << 42) ^ (std::uint64_t{mid} << 21) ^ hi;
        };
        for (DWORD f = m_faceCount; f-- > 0;)
            oldFaces[key(in[f * 3u], in[f * 3u + 1], in[f * 3u + 2])].push_back(f);
        for (DWORD f = 0; f < m_faceCount; ++f) {
            auto& list = oldFaces[key(out[f * 3u], out[f * 3u + 1], out[f * 3u + 2])];
            faceRemap[f] = list.empty() ? kNoNeighbour : list.back();
            if (!list.empty())
                list.pop_back();
        }
    }
    if (adjacencyOut)
        return GenerateAdjacency(0.0f, adjacencyOut);
    return D3D_OK;
}
