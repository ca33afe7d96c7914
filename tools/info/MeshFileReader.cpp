#include "tools/info/MeshFileReader.h"

#include "Shared/Base/Streams/Buffers/MemoryInBuffer.h"
#include "Shared/Base/Streams/InStream.h"
#include "tools/info/MeshVertexDecoder.h"

#include <optional>
#include <sstream>

namespace vx::meshfile {

namespace {

// Bytes a LOD block takes at least (its bounds), and a material record at least (two empty
// texts, a texture count and six numbers; static records add their bounds).
constexpr std::uint64_t kMinLodBlock = 24;
constexpr std::uint64_t kMinMaterial = 4 + 4 + 4 + 24;
constexpr std::uint64_t kMaterialBounds = 24;
constexpr std::uint64_t kMatrixBytes = 64;

// A cursor over the file's bytes that knows its offset and words each failure with it.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size, std::string& error)
        : m_data(data), m_size(size), m_buffer(data, size), m_in(&m_buffer), m_error(error) {}

    std::uint64_t offset() { return m_size - m_in.remaining(); }
    std::uint64_t left() { return m_in.remaining(); }

    template <typename... Parts>
    bool fail(std::uint64_t at, const Parts&... parts) {
        std::ostringstream text;
        text << "offset " << at << ": ";
        (text << ... << parts);
        m_error = text.str();
        return false;
    }

    bool need(std::uint64_t bytes, const std::string& what) {
        if (left() >= bytes)
            return true;
        return fail(offset(), "unexpected end of file in ", what, " (needs ", bytes, " bytes, ",
                    left(), " left)");
    }

    template <typename T>
    bool value(T& v, const std::string& what) {
        if (!need(sizeof v, what))
            return false;
        m_in >> v;
        return true;
    }

    bool block(void* data, std::uint64_t bytes, const std::string& what) {
        if (!need(bytes, what))
            return false;
        if (bytes != 0)
            m_in.read(data, static_cast<std::size_t>(bytes));
        return true;
    }

    // A count whose items take at least minBytesEach bytes each, all of which must be left.
    bool count(std::uint32_t& n, std::uint64_t minBytesEach, const std::string& what) {
        const std::uint64_t at = offset();
        if (!value(n, what))
            return false;
        const std::uint64_t needed = std::uint64_t{n} * minBytesEach;
        if (needed > left()) {
            return fail(at, what, " is ", n, ", which needs at least ", needed, " bytes; ", left(),
                        " left");
        }
        return true;
    }

    bool text(std::string& s, const std::string& what) {
        std::uint32_t length = 0;
        if (!count(length, 1, what + " length"))
            return false;
        s.resize(length);
        return block(s.data(), length, what);
    }

    bool vector3(Vector3& v, const std::string& what) {
        return value(v.x, what) && value(v.y, what) && value(v.z, what);
    }

    bool matrix(Matrix16& m, const std::string& what) {
        for (float& f : m) {
            if (!value(f, what))
                return false;
        }
        return true;
    }

    std::optional<std::uint32_t> peekU32() {
        if (left() < 4)
            return std::nullopt;
        const std::uint8_t* p = m_data + offset();
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    MemoryInBuffer m_buffer;
    InStream m_in;
    std::string& m_error;
};

std::string lodName(std::size_t geometry, std::size_t lod) {
    return "geometry " + std::to_string(geometry) + " LOD " + std::to_string(lod);
}

bool readHeader(Reader& r, MeshKind kind, MeshFile& out) {
    for (std::uint32_t& word : out.header) {
        if (!r.value(word, "the header"))
            return false;
    }
    out.version = out.header[1];
    if (out.version != versionOf(kind)) {
        return r.fail(4, "version ", out.version, " is not that of a ", kindName(kind),
                      " mesh file (", versionOf(kind), ")");
    }
    if (!r.value(out.headerByte, "the header"))
        return false;
    std::uint32_t geometries = 0;
    if (!r.count(geometries, 4, "geometry count"))
        return false;
    out.lodCounts.resize(geometries);
    for (std::uint32_t& lods : out.lodCounts) {
        if (!r.value(lods, "the LOD counts"))
            return false;
    }
    return true;
}

// The declaration must lay its elements end to end in stream 0 and end with the end element.
bool readDeclaration(Reader& r, MeshFile& out) {
    std::uint32_t count = 0;
    const std::uint64_t countAt = r.offset();
    if (!r.count(count, 8, "vertex element count"))
        return false;
    if (count == 0)
        return r.fail(countAt, "the vertex declaration has no elements, not even its end");
    out.elements.resize(count);
    std::uint64_t size = 0;
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint64_t at = r.offset();
        VertexElement& e = out.elements[k];
        const std::string what = "vertex element " + std::to_string(k);
        if (!r.value(e.stream, what) || !r.value(e.offset, what) || !r.value(e.type, what) ||
            !r.value(e.method, what) || !r.value(e.usage, what) || !r.value(e.usageIndex, what))
            return false;
        if (k + 1 == count) {
            if (!isEndElement(e)) {
                return r.fail(at, "the last vertex element (", k,
                              ") is not the end element (stream 255, type 17, the rest 0)");
            }
            break;
        }
        if (e.stream == kEndStream)
            return r.fail(at, "vertex element ", k, " ends the declaration before its last (",
                          count - 1, ")");
        if (e.stream != 0)
            return r.fail(at, "vertex element ", k, " uses stream ", e.stream,
                          "; a mesh file holds stream 0 only");
        const std::size_t typeSize = elementTypeSize(e.type);
        if (typeSize == 0)
            return r.fail(at, "vertex element ", k, " has the unknown type ", unsigned{e.type});
        if (e.offset != size)
            return r.fail(at, "vertex element ", k, " lies at offset ", e.offset, " instead of ",
                          size, ", the end of the element before it");
        size += typeSize;
    }
    if (!r.value(out.primitiveType, "primitive type"))
        return false;
    const std::uint64_t strideAt = r.offset();
    if (!r.value(out.stride, "vertex stride"))
        return false;
    if (out.stride != size)
        return r.fail(strideAt, "vertex stride ", out.stride,
                      " is not the size of the declared elements (", size, ")");
    return true;
}

bool readBuffers(Reader& r, MeshKind kind, MeshFile& out) {
    if (!r.count(out.vertexCount, out.stride, "vertex count"))
        return false;
    const std::uint64_t vertexBytes = std::uint64_t{out.vertexCount} * out.stride;
    out.vertexData.resize(static_cast<std::size_t>(vertexBytes));
    if (!r.block(out.vertexData.data(), vertexBytes, "the vertices"))
        return false;
    std::uint32_t indexCount = 0;
    if (!r.count(indexCount, 2, "index count"))
        return false;
    out.indices.resize(indexCount);
    for (std::uint16_t& index : out.indices) {
        if (!r.value(index, "the indices"))
            return false;
        if (index >= out.vertexCount)
            ++out.indicesOutOfRange;
    }
    out.hasSortCopies = kind != MeshKind::Skinned;
    return !out.hasSortCopies || r.value(out.sortCopies, "sort copies count");
}

bool readLodBlock(Reader& r, MeshKind kind, LodBlock& block, const std::string& what) {
    if (!r.vector3(block.boundsMin, what) || !r.vector3(block.boundsMax, what))
        return false;
    switch (kind) {
    case MeshKind::Static: {
        std::uint32_t parts = 0;
        if (!r.count(parts, kMatrixBytes, "part count of " + what))
            return false;
        block.partTransforms.resize(parts);
        for (Matrix16& m : block.partTransforms) {
            if (!r.matrix(m, what))
                return false;
        }
        return true;
    }
    case MeshKind::Bundled:
        return r.value(block.partCount, "part count of " + what);
    case MeshKind::Skinned: {
        std::uint32_t parts = 0;
        if (!r.count(parts, 4, "part count of " + what))
            return false;
        block.parts.resize(parts);
        for (std::size_t p = 0; p < parts; ++p) {
            const std::string partName = what + " part " + std::to_string(p);
            std::uint32_t bones = 0;
            if (!r.count(bones, 4 + kMatrixBytes, "bone count of " + partName))
                return false;
            block.parts[p].bones.resize(bones);
            for (PartBone& bone : block.parts[p].bones) {
                if (!r.value(bone.skeletonIndex, partName) || !r.matrix(bone.inverseBind, partName))
                    return false;
            }
        }
        return true;
    }
    }
    return false;
}

bool readMaterial(Reader& r, MeshKind kind, MaterialRecord& m, const std::string& what) {
    std::uint32_t textures = 0;
    if (!r.text(m.effect, "effect of " + what) || !r.text(m.technique, "technique of " + what) ||
        !r.count(textures, 4, "texture count of " + what))
        return false;
    m.textures.resize(textures);
    for (std::string& texture : m.textures) {
        if (!r.text(texture, "texture of " + what))
            return false;
    }
    if (!r.value(m.baseVertexIndex, what) || !r.value(m.startIndex, what) ||
        !r.value(m.indexCount, what) || !r.value(m.vertexCount, what) ||
        !r.value(m.partOffset, what) || !r.value(m.partSize, what))
        return false;
    m.hasBounds = kind == MeshKind::Static;
    return !m.hasBounds || (r.vector3(m.boundsMin, what) && r.vector3(m.boundsMax, what));
}

bool readLodsAndMaterials(Reader& r, MeshKind kind, MeshFile& out) {
    std::uint64_t totalLods = 0;
    for (std::uint32_t lods : out.lodCounts)
        totalLods += lods;
    // Every LOD has a block and a material count; checked before any list is sized by a count.
    const std::uint64_t needed = totalLods * (kMinLodBlock + 4);
    if (needed > r.left()) {
        return r.fail(r.offset(), out.lodCounts.size(), " geometries of ", totalLods,
                      " LODs need at least ", needed, " bytes of LOD and material blocks, ",
                      r.left(), " left");
    }
    out.lods.resize(out.lodCounts.size());
    for (std::size_t g = 0; g < out.lodCounts.size(); ++g) {
        out.lods[g].resize(out.lodCounts[g]);
        for (std::size_t l = 0; l < out.lodCounts[g]; ++l) {
            if (!readLodBlock(r, kind, out.lods[g][l], "the LOD block of " + lodName(g, l)))
                return false;
        }
    }
    const std::uint64_t minMaterial =
        kMinMaterial + (kind == MeshKind::Static ? kMaterialBounds : 0);
    out.materials.resize(out.lodCounts.size());
    for (std::size_t g = 0; g < out.lodCounts.size(); ++g) {
        out.materials[g].resize(out.lodCounts[g]);
        for (std::size_t l = 0; l < out.lodCounts[g]; ++l) {
            const std::string what = "the materials of " + lodName(g, l);
            std::uint32_t count = 0;
            if (!r.count(count, minMaterial, "material count of " + lodName(g, l)))
                return false;
            out.materials[g][l].resize(count);
            for (std::size_t m = 0; m < count; ++m) {
                if (!readMaterial(r, kind, out.materials[g][l][m],
                                  "material " + std::to_string(m) + " of " + lodName(g, l)))
                    return false;
            }
        }
    }
    return true;
}

// The shadow section stores no count of shadow blocks per LOD: only the geometry number, then
// each LOD's number followed by its blocks. Blocks are read until the next word is the next
// marker expected (the next LOD's number, else the next geometry's) or the file ends. That
// marker is never 0 and always a small integer, which as a float's bits is a denormal below
// 1e-38; a block starts with its bounding box minimum, which no real coordinate makes
// denormal, so a block is never mistaken for a marker in practice.
bool readShadowSection(Reader& r, MeshKind kind, MeshFile& out) {
    const std::size_t geometries = out.lodCounts.size();
    if (geometries == 0)
        return r.fail(r.offset(), r.left(), " bytes after the material blocks");
    out.hasShadowSection = true;
    out.shadows.resize(geometries);
    auto marker = [&](std::uint32_t expected, const std::string& what) {
        const std::uint64_t at = r.offset();
        std::uint32_t found = 0;
        if (!r.value(found, "the shadow section's marker of " + what))
            return false;
        if (found != expected)
            return r.fail(at, "the bytes after the material blocks are no shadow section: ", what,
                          " should be marked ", expected, ", found ", found);
        return true;
    };
    for (std::size_t g = 0; g < geometries; ++g) {
        if (!marker(static_cast<std::uint32_t>(g), "geometry " + std::to_string(g)))
            return false;
        const std::uint32_t lods = out.lodCounts[g];
        out.shadows[g].resize(lods);
        for (std::uint32_t l = 0; l < lods; ++l) {
            if (!marker(l, lodName(g, l)))
                return false;
            std::optional<std::uint32_t> next;
            if (l + 1 < lods)
                next = l + 1;
            else if (g + 1 < geometries)
                next = static_cast<std::uint32_t>(g + 1);
            while (true) {
                if (r.left() == 0) {
                    if (next)
                        return r.fail(r.offset(), "the shadow section ends before the marker ",
                                      *next, " that follows ", lodName(g, l));
                    break;
                }
                if (next && r.peekU32() == next)
                    break;
                LodBlock& block = out.shadows[g][l].emplace_back();
                if (!readLodBlock(r, kind, block,
                                  "shadow block " + std::to_string(out.shadows[g][l].size() - 1) +
                                      " of " + lodName(g, l)))
                    return false;
            }
        }
    }
    if (r.left() != 0)
        return r.fail(r.offset(), r.left(), " bytes after the shadow section");
    return true;
}

} // namespace

bool readMeshFile(const std::uint8_t* data, std::size_t size, MeshKind kind, MeshFile& out,
                  std::string& error) {
    out = MeshFile{};
    out.kind = kind;
    error.clear();
    Reader r(data, size, error);
    if (!readHeader(r, kind, out) || !readDeclaration(r, out) || !readBuffers(r, kind, out) ||
        !readLodsAndMaterials(r, kind, out))
        return false;
    return r.left() == 0 || readShadowSection(r, kind, out);
}

} // namespace vx::meshfile
