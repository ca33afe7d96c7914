#pragma once
// The D3DX mesh of the graphics stand-in: an indexed triangle list in system memory with
// 16-bit indices, its adjacency, and vertex-cache ordering of its triangles.
#include "d3d9.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr DWORD D3DXMESH_32BIT = 0x001;
inline constexpr DWORD D3DXMESH_SYSTEMMEM = 0x110;

inline constexpr DWORD D3DXMESHOPT_COMPACT = 0x01000000;
inline constexpr DWORD D3DXMESHOPT_ATTRSORT = 0x02000000;
inline constexpr DWORD D3DXMESHOPT_VERTEXCACHE = 0x04000000;
inline constexpr DWORD D3DXMESHOPT_STRIPREORDER = 0x08000000;
inline constexpr DWORD D3DXMESHOPT_IGNOREVERTS = 0x10000000;
inline constexpr DWORD D3DXMESHOPT_DEVICEINDEPENDENT = 0x00400000;

// A block of bytes handed between D3DX calls.
class ID3DXBuffer {
public:
    ID3DXBuffer(const ID3DXBuffer&) = delete;
    ID3DXBuffer& operator=(const ID3DXBuffer&) = delete;
    void* GetBufferPointer() { return m_bytes.data(); }
    DWORD GetBufferSize() const { return static_cast<DWORD>(m_bytes.size()); }
    DWORD Release();

private:
    friend HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer);
    explicit ID3DXBuffer(std::size_t size) : m_bytes(size) {}
    ~ID3DXBuffer() = default;
    std::vector<unsigned char> m_bytes;
    DWORD m_refCount = 1;
};

HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer);

class ID3DXMesh {
public:
    ID3DXMesh(const ID3DXMesh&) = delete;
    ID3DXMesh& operator=(const ID3DXMesh&) = delete;
    DWORD Release();

    DWORD GetNumFaces() const { return m_faceCount; }
    DWORD GetNumVertices() const { return m_vertexCount; }
    DWORD GetNumBytesPerVertex() const { return m_stride; }
    // Direct access to the vertex bytes (stride x count) and the indices (3 per face, 16 bits
    // unless the mesh was made with D3DXMESH_32BIT). Lock flags are accepted and ignored.
    HRESULT LockVertexBuffer(DWORD flags, void** data);
    HRESULT UnlockVertexBuffer() { return D3D_OK; }
    HRESULT LockIndexBuffer(DWORD flags, void** data);
    HRESULT UnlockIndexBuffer() { return D3D_OK; }

    // For each face its three neighbours across edges 0-1, 1-2 and 2-0, or 0xFFFFFFFF.
    // Corners whose positions lie within epsilon of each other (in every axis) count as one.
    // adjacency holds 3 x GetNumFaces() entries.
    HRESULT GenerateAdjacency(FLOAT epsilon, DWORD* adjacency);

    // Reorders the faces for the vertex cache when D3DXMESHOPT_VERTEXCACHE is given; with
    // D3DXMESHOPT_IGNOREVERTS vertices keep their order and only whole triangles move (the only
    // form the stand-in offers; other vertex options are refused). faceRemap, when given,
    // receives for each new face its old number. Adjacency in and out, and the vertex remap
    // buffer, are accepted for the callers' sake: adjacencyOut is filled anew when given.
    HRESULT OptimizeInplace(DWORD flags, const DWORD* adjacencyIn, DWORD* adjacencyOut,
                            DWORD* faceRemap, ID3DXBuffer** vertexRemap);

private:
    friend HRESULT D3DXCreateMesh(DWORD, DWORD, DWORD, const D3DVERTEXELEMENT9*, IDirect3DDevice9*,
                                  ID3DXMesh**);
    ID3DXMesh() = default;
    ~ID3DXMesh() = default;
    std::uint32_t index(std::size_t at) const;
    void setIndex(std::size_t at, std::uint32_t value);
    // The vertex bytes, zeroed when first asked for: ordering triangles never reads them, and
    // a buffer no one fills would only cost fresh memory.
    unsigned char* vertexBytes();

    DWORD m_faceCount = 0;
    DWORD m_vertexCount = 0;
    DWORD m_stride = 0;
    UINT m_positionOffset = 0;
    bool m_32bit = false;
    std::vector<unsigned char> m_vertices; // empty until vertexBytes()
    std::vector<unsigned char> m_indices;
    DWORD m_refCount = 1;
};

// A mesh of the given size whose vertices follow the declaration (it must hold a FLOAT3
// POSITION element). Fails with D3DERR_INVALIDCALL for a missing device or declaration, no
// faces, or 16-bit indices that cannot address every vertex.
HRESULT D3DXCreateMesh(DWORD numFaces, DWORD numVertices, DWORD options,
                       const D3DVERTEXELEMENT9* declaration, IDirect3DDevice9* device,
                       ID3DXMesh** mesh);
