#include "tools/info/MeshFileInfo.h"

#include "Shared/Base/File/Pc/InFile.h"
#include "tools/info/IndexRangeCounts.h"
#include "tools/info/MaterialAlpha.h"
#include "tools/info/MeshFileReader.h"
#include "tools/info/MeshVertexDecoder.h"
#include "tools/info/SkeletonFilePrinter.h"
#include "tools/info/SkeletonFileReader.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vx::meshfile {

namespace {

// Shortest text that reads back as the same float, so printed values can be compared exactly.
std::string number(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string vector3(const Vector3& v) {
    return '(' + number(v.x) + ", " + number(v.y) + ", " + number(v.z) + ')';
}

std::string matrix(const Matrix16& m) {
    std::string text;
    for (unsigned row = 0; row < 4; ++row) {
        text += row == 0 ? "[" : " [";
        for (unsigned column = 0; column < 4; ++column)
            text += (column == 0 ? "" : " ") + number(m[4 * row + column]);
        text += ']';
    }
    return text;
}

// Texts come from the file: anything but printable ASCII is shown as an escape.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string codeName(const char* name, unsigned code) {
    return name ? std::string(name) : "unknown(" + std::to_string(code) + ")";
}

void printDeclaration(const MeshFile& file, std::ostream& out) {
    out << "vertex declaration: " << file.elements.size() << " elements, stride " << file.stride
        << '\n';
    for (const VertexElement& e : file.elements) {
        if (isEndElement(e)) {
            out << "  end\n";
            continue;
        }
        out << "  offset " << e.offset << ": " << elementTypeName(e.type) << ' '
            << codeName(elementUsageName(e.usage), e.usage) << ' ' << unsigned{e.usageIndex};
        if (e.method != 0)
            out << " method " << unsigned{e.method};
        out << '\n';
    }
}

void printLodBlock(const LodBlock& block, MeshKind kind, std::ostream& out, const char* indent,
                   const info::SkeletonFile* skeleton) {
    out << indent << "bounds " << vector3(block.boundsMin) << " to " << vector3(block.boundsMax)
        << '\n';
    switch (kind) {
    case MeshKind::Static:
        out << indent << "parts: " << block.partTransforms.size() << '\n';
        for (std::size_t p = 0; p < block.partTransforms.size(); ++p)
            out << indent << "  part " << p << ": " << matrix(block.partTransforms[p]) << '\n';
        break;
    case MeshKind::Bundled:
        out << indent << "parts with geometry: " << block.partCount << '\n';
        break;
    case MeshKind::Skinned:
        out << indent << "parts: " << block.parts.size() << '\n';
        for (std::size_t p = 0; p < block.parts.size(); ++p) {
            const std::vector<PartBone>& bones = block.parts[p].bones;
            out << indent << "  part " << p << ": " << bones.size() << " bones\n";
            for (std::size_t b = 0; b < bones.size(); ++b) {
                out << indent << "    bone " << b << ": skeleton bone " << bones[b].skeletonIndex;
                if (skeleton)
                    out << ' ' << quoted(skeleton->bones[bones[b].skeletonIndex].name);
                out << ", inverse bind " << matrix(bones[b].inverseBind) << '\n';
            }
        }
        break;
    }
}

// Draw ranges are reported, not refused: shipped files may carry ranges past their buffers.
// `beyond`: how many indices of the material's range are not below its vertex count.
void printMaterialWarnings(const MeshFile& file, const MaterialRecord& m, std::uint64_t beyond,
                           std::ostream& out) {
    const std::uint64_t indexEnd = std::uint64_t{m.startIndex} + m.indexCount;
    if (indexEnd > file.indices.size())
        out << "        warning: indices " << m.startIndex << " to " << indexEnd
            << " reach past the index buffer (" << file.indices.size() << ")\n";
    const std::int64_t vertexEnd = std::int64_t{m.baseVertexIndex} + m.vertexCount;
    if (m.baseVertexIndex < 0 || vertexEnd > std::int64_t{file.vertexCount})
        out << "        warning: vertices " << m.baseVertexIndex << " to " << vertexEnd
            << " lie outside the vertex buffer (" << file.vertexCount << ")\n";
    if (beyond != 0)
        out << "        warning: " << beyond << " of its indices reach past its " << m.vertexCount
            << " vertices\n";
}

// Per material in file order, the indices of its range that reach past its own vertices.
std::vector<std::uint64_t> indicesPastMaterials(const MeshFile& file) {
    std::vector<IndexRangeQuery> queries;
    for (const auto& geometry : file.materials)
        for (const auto& lod : geometry)
            for (const MaterialRecord& m : lod)
                queries.push_back(
                    {m.startIndex, std::uint64_t{m.startIndex} + m.indexCount, m.vertexCount});
    return countIndicesAtOrAbove(file.indices, queries);
}

void printBundledAlpha(const MeshFile& file, const MaterialRecord& m, std::ostream& out) {
    switch (materialAlpha(file, m)) {
    case MaterialAlpha::Blended:
        out << "        alpha blended: " << file.sortCopies
            << " sorted copies of its triangles, indices " << m.startIndex << " to "
            << std::uint64_t{m.startIndex} + m.indexCount * std::uint64_t{file.sortCopies} - 1
            << '\n';
        break;
    case MaterialAlpha::Tested:
        out << "        alpha tested\n";
        break;
    case MaterialAlpha::Opaque:
        out << "        opaque\n";
        break;
    }
}

void printMaterials(const MeshFile& file, const std::vector<MaterialRecord>& materials,
                    const std::uint64_t* beyond, std::ostream& out) {
    out << "    materials: " << materials.size() << '\n';
    for (std::size_t i = 0; i < materials.size(); ++i) {
        const MaterialRecord& m = materials[i];
        out << "      material " << i << ": effect " << quoted(m.effect) << ", technique "
            << quoted(m.technique) << '\n';
        out << "        textures: " << m.textures.size();
        for (std::size_t t = 0; t < m.textures.size(); ++t)
            out << (t == 0 ? ": " : ", ") << quoted(m.textures[t]);
        out << '\n';
        out << "        base vertex " << m.baseVertexIndex << ", start index " << m.startIndex
            << ", index count " << m.indexCount << ", vertex count " << m.vertexCount
            << ", part offset " << m.partOffset << ", part size " << m.partSize << '\n';
        if (m.hasBounds)
            out << "        bounds " << vector3(m.boundsMin) << " to " << vector3(m.boundsMax)
                << '\n';
        if (file.kind == MeshKind::Bundled)
            printBundledAlpha(file, m, out);
        printMaterialWarnings(file, m, beyond[i], out);
    }
}

void printVertex(const MeshFile& file, std::uint32_t index, std::ostream& out) {
    const DecodedVertex vertex = decodeVertex(file, index);
    out << "  vertex " << index << ':';
    for (const DecodedElement& e : vertex.elements) {
        out << ' ' << codeName(elementUsageName(e.usage), e.usage) << unsigned{e.usageIndex};
        const bool isBytes = e.type == kTypeColor || e.type == kTypeUbyte4;
        out << (isBytes ? " [" : " (");
        for (unsigned c = 0; c < e.count; ++c)
            out << (c == 0    ? ""
                    : isBytes ? " "
                              : ", ")
                << (isBytes ? std::to_string(e.bytes[c]) : number(e.values[c]));
        out << (isBytes ? "]" : ")");
    }
    const DecodedElement* indices = vertex.find(kUsageBlendIndices);
    const DecodedElement* weight = vertex.find(kUsageBlendWeight);
    if (file.kind == MeshKind::Bundled && indices) {
        out << "; part " << unsigned{indices->bytes[0]};
        // Animated texture coordinates: the UV matrix and the animation type (0xFF: none).
        if (indices->bytes[1] != 0)
            out << ", UV matrix " << unsigned{indices->bytes[1]} << " type "
                << int{static_cast<std::int8_t>(indices->bytes[2])};
    }
    if (file.kind == MeshKind::Skinned && indices && weight) {
        // The second weight is not stored: the two add up to one.
        out << "; bones " << unsigned{indices->bytes[0]} << ", " << unsigned{indices->bytes[1]}
            << " weights " << number(weight->values[0]) << ", " << number(1.0f - weight->values[0]);
    }
    out << '\n';
}

} // namespace

void printMeshFile(const MeshFile& file, std::ostream& out, std::uint32_t vertices,
                   const info::SkeletonFile* skeleton) {
    out << kindName(file.kind) << " mesh, version " << file.version << '\n';
    out << "header:";
    for (std::uint32_t word : file.header)
        out << ' ' << word;
    out << ", byte " << unsigned{file.headerByte} << '\n';
    out << "geometries: " << file.lodCounts.size() << ", LODs:";
    for (std::uint32_t lods : file.lodCounts)
        out << ' ' << lods;
    out << '\n';
    printDeclaration(file, out);
    out << "primitive type: " << file.primitiveType << '\n';
    if (file.primitiveType != 4)
        out << "warning: primitive type " << file.primitiveType << " is not a triangle list (4)\n";
    out << "vertices: " << file.vertexCount << " (" << file.vertexData.size() << " bytes)\n";
    out << "indices: " << file.indices.size() << " (" << file.indices.size() / 3 << " triangles)\n";
    if (file.indicesOutOfRange != 0)
        out << "warning: " << file.indicesOutOfRange << " indices are not below the vertex count\n";
    if (file.hasSortCopies)
        out << "sort copies: " << file.sortCopies << '\n';
    const std::vector<std::uint64_t> beyond = indicesPastMaterials(file);
    std::size_t firstMaterial = 0;
    for (std::size_t g = 0; g < file.lods.size(); ++g) {
        for (std::size_t l = 0; l < file.lods[g].size(); ++l) {
            out << "geometry " << g << " LOD " << l << ":\n";
            printLodBlock(file.lods[g][l], file.kind, out, "    ", skeleton);
            printMaterials(file, file.materials[g][l], beyond.data() + firstMaterial, out);
            firstMaterial += file.materials[g][l].size();
        }
    }
    if (file.hasShadowSection) {
        out << "shadow section:\n";
        for (std::size_t g = 0; g < file.shadows.size(); ++g) {
            for (std::size_t l = 0; l < file.shadows[g].size(); ++l) {
                const std::vector<LodBlock>& blocks = file.shadows[g][l];
                out << "  geometry " << g << " LOD " << l << ": " << blocks.size()
                    << " shadow blocks\n";
                for (std::size_t b = 0; b < blocks.size(); ++b) {
                    out << "    block " << b << ":\n";
                    printLodBlock(blocks[b], file.kind, out, "      ", skeleton);
                }
            }
        }
    }
    const std::uint32_t shown = std::min(vertices, file.vertexCount);
    if (shown != 0)
        out << "first " << shown << " of " << file.vertexCount << " vertices:\n";
    for (std::uint32_t v = 0; v < shown; ++v)
        printVertex(file, v, out);
}

} // namespace vx::meshfile

namespace vx::info {

namespace {

const char* const kOptionsText =
    "--kind static|bundled|skinned, --vertices N, --skeleton FILE.ske for skinned files";

// Only regular files: a directory opens for reading on Linux and claims a size it never reads.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored) || !InFile::exists(path.c_str()))
        return false;
    InFile file;
    file.open(path.c_str());
    bytes.resize(static_cast<std::size_t>(file.size()));
    return file.read(bytes.data(), bytes.size()) == bytes.size();
}

} // namespace

std::optional<std::uint32_t> boneBeyond(const meshfile::MeshFile& file,
                                        const SkeletonFile& skeleton) {
    auto check = [&](const meshfile::LodBlock& block) -> std::optional<std::uint32_t> {
        for (const meshfile::SkinnedPart& part : block.parts)
            for (const meshfile::PartBone& bone : part.bones)
                if (bone.skeletonIndex >= skeleton.bones.size())
                    return bone.skeletonIndex;
        return std::nullopt;
    };
    for (const auto& geometry : file.lods)
        for (const meshfile::LodBlock& block : geometry)
            if (const auto beyond = check(block))
                return beyond;
    for (const auto& geometry : file.shadows)
        for (const auto& lod : geometry)
            for (const meshfile::LodBlock& block : lod)
                if (const auto beyond = check(block))
                    return beyond;
    return std::nullopt;
}

bool loadMeshFile(const std::string& path, meshfile::MeshKind kind, meshfile::MeshFile& file,
                  std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(path, bytes)) {
        err << "cannot read '" << path << "'\n";
        return false;
    }
    std::string error;
    if (!meshfile::readMeshFile(bytes.data(), bytes.size(), kind, file, error)) {
        err << "'" << path << "': " << error << '\n';
        return false;
    }
    return true;
}

int printMeshInfo(const InfoRequest& request, std::ostream& out, std::ostream& err) {
    std::optional<meshfile::MeshKind> kind = meshfile::kindFromPath(request.path);
    std::uint32_t vertices = 0;
    std::string skeletonPath;
    const std::vector<std::string>& options = request.options;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string& option = options[i];
        if (option != "--kind" && option != "--vertices" && option != "--skeleton") {
            err << "unknown option '" << option << "' for mesh files (" << kOptionsText << ")\n";
            return 1;
        }
        if (i + 1 >= options.size()) {
            err << option << " needs a value\n";
            return 1;
        }
        const std::string& value = options[++i];
        if (option == "--skeleton") {
            skeletonPath = value;
        } else if (option == "--kind") {
            kind = meshfile::kindFromName(value);
            if (!kind) {
                err << "--kind takes static, bundled or skinned (got '" << value << "')\n";
                return 1;
            }
        } else {
            const auto result =
                std::from_chars(value.data(), value.data() + value.size(), vertices);
            if (result.ec != std::errc() || result.ptr != value.data() + value.size()) {
                err << "--vertices takes a count (got '" << value << "')\n";
                return 1;
            }
        }
    }
    if (!kind) {
        err << "'" << request.path
            << "': the extension does not tell the mesh kind; give --kind static|bundled|skinned\n";
        return 1;
    }
    meshfile::MeshFile file;
    if (!loadMeshFile(request.path, *kind, file, err))
        return 1;
    SkeletonFile skeleton;
    if (!skeletonPath.empty()) {
        if (file.kind != meshfile::MeshKind::Skinned) {
            err << "--skeleton names the bones of skinned mesh files; '" << request.path
                << "' is read as a " << meshfile::kindName(file.kind) << " mesh\n";
            return 1;
        }
        if (!loadSkeletonFile(skeletonPath, skeleton, err))
            return 1;
        if (const auto beyond = boneBeyond(file, skeleton)) {
            err << request.path << ": skeleton bone " << *beyond << " is beyond the "
                << skeleton.bones.size() << " bones of " << skeletonPath << '\n';
            return 1;
        }
    }
    out << request.path << ":\n";
    meshfile::printMeshFile(file, out, vertices, skeletonPath.empty() ? nullptr : &skeleton);
    return 0;
}

} // namespace vx::info
