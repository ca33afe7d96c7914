#include "MeshExporter/GeometryExport.h"

#include "MeshExporter/AnimatedUvState.h"
#include "MeshExporter/CollisionMaterialList.h"
#include "MeshExporter/CollisionMeshDataExporter.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportFileWriting.h"
#include "MeshExporter/ExportPaths.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/GeomLightmapSettings.h"
#include "MeshExporter/MeshDataFactory.h"
#include "MeshExporter/MeshMaterialExporter.h"
#include "MeshExporter/MeshMerge.h"
#include "MeshExporter/NodeSearch.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/SceneNode.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>

namespace vx {

namespace {

struct LodBuild {
    std::unique_ptr<MeshDataExporter> mesh;
    std::unique_ptr<MeshMaterialExporter> materials;
    std::vector<SceneNode*> shadowSlots; // one per examined part; null when not a shadow part
};

struct GeometryBuild {
    std::vector<LodBuild> lods;
    std::vector<SceneNode*> collisionSlots; // one per examined part of LOD 0
    std::uint32_t partCount = 0;
};

// The object template script attaches every part below the first root: a later root's
// template would be created and never placed, so the artist is told.
void reportLaterRoots(const MeshPartList& parts) {
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (parts[i].parentIndex >= 0)
            continue;
        const std::string text = "Part " + parts[i].name +
                                 " has no parent part: only the first part of a LOD may be a "
                                 "root; place it below the root part.";
        exportErrorList().append(text);
        VX_WARNING << text;
    }
}

bool beginsWithIgnoringCase(const std::string& text, std::string_view prefix) {
    return toLowerAscii(std::string_view(text).substr(0, prefix.size())) == toLowerAscii(prefix);
}

// A part whose node is a "nonvis" node holding a node named with the prefix.
SceneNode* specialPart(const MeshPart& part, std::string_view prefix) {
    if (!part.node || !beginsWithIgnoringCase(part.node->name(), "nonvis"))
        return nullptr;
    return findNodeByPrefix(part.node, prefix) ? part.node : nullptr;
}

// Reads the geometry's lightmap settings; false (with the artist's message) for a size that is
// not a power of two from 1 to 2048.
bool readLightmapSettings(SceneNode* geometry, int i) {
    const std::string noLightmap = "geom" + std::to_string(i) + "_NoLightmap";
    geomLightmapSettings().setEnabled(i, findNodeByPrefix(geometry, noLightmap) == nullptr);
    const std::string sizePrefix = "geom" + std::to_string(i) + "_LightmapSize_";
    const SceneNode* sizeNode = findNodeByPrefix(geometry, sizePrefix);
    if (!sizeNode)
        return true;
    const std::string lowerName = toLowerAscii(sizeNode->name());
    const std::size_t at = lowerName.rfind(toLowerAscii(sizePrefix));
    const std::string digits = sizeNode->name().substr(at + sizePrefix.size());
    errno = 0;
    const long long parsed = std::strtoll(digits.c_str(), nullptr, 10);
    const bool inRange = errno == 0 && parsed >= 1 && parsed <= 2048;
    const auto size = static_cast<std::int64_t>(parsed);
    if (!inRange || (size & (size - 1)) != 0) {
        exportErrorList().append(
            "lightMapSize " + std::to_string(parsed) +
            " is not a valid power of two number. Make sure your spelling is correct\n "
            "geom0_LightmapSize_<size> as an example, aborting");
        return false;
    }
    geomLightmapSettings().setSize(i, static_cast<std::uint32_t>(size));
    return true;
}

// The collision container: per slot (as many as the most parts of any geometry), per geometry,
// the part's collision block or 0.
bool writeCollisionFile(const std::string& outputFile, const std::vector<GeometryBuild>& builds) {
    const std::string path =
        meshDirectoryFile(outputFile, outputBaseName(outputFile) + ".collisionMesh");
    exportedFileSet().addRelativeToRawData(recordedPath(path));
    std::uint32_t slots = 0;
    for (const GeometryBuild& build : builds)
        slots = std::max(slots, build.partCount);
    StringOutBuffer bytes;
    OutStream out(&bytes);
    out << std::uint32_t{0} << std::uint32_t{10} << slots;
    for (std::uint32_t slot = 0; slot < slots; ++slot) {
        out << static_cast<std::uint32_t>(builds.size());
        for (const GeometryBuild& build : builds) {
            SceneNode* nonvis =
                slot < build.collisionSlots.size() ? build.collisionSlots[slot] : nullptr;
            if (!nonvis)
                out << std::uint32_t{0};
            else if (!writeCollisionBlock(nonvis, out))
                return false;
        }
    }
    if (out.failed())
        return failExport("The collision mesh file " + path + " could not be composed");
    return writeExportFile(path, bytes.text());
}

} // namespace

bool exportGeometries(Scene& scene, const std::string& outputFile, ExportGeometryData& data,
                      ProgressCallback progress, int callbackData) {
    if (progress)
        progress("export geometries", callbackData);
    SceneNode* root = findRoot(scene.getRoot());
    if (!root)
        return failExport(kMissingRootMessage);
    MergedMeshData& merged = meshMergeState();
    merged.reset();
    animatedUvState().reset();
    collisionMaterialList().clear();
    geomLightmapSettings().reset();

    std::vector<SceneNode*> geometries;
    std::vector<int> lodCounts;
    for (int i = 0;; ++i) {
        SceneNode* geometry = findChildNumbered(root, "geom", i);
        if (!geometry)
            break;
        if (!readLightmapSettings(geometry, i))
            return false;
        int lods = 0;
        while (findChildNumbered(geometry, "lod", lods))
            ++lods;
        geometries.push_back(geometry);
        lodCounts.push_back(lods);
    }
    if (geometries.empty()) {
        exportErrorList().append("There is seems to no geom nodes, aborting");
        return false;
    }
    for (std::size_t i = 0; i < lodCounts.size(); ++i) {
        if (lodCounts[i] == 0) {
            exportErrorList().append("geom" + std::to_string(i) +
                                     " node has no valid lodnodes, aborting");
            return false;
        }
    }

    data.parts.assign(geometries.size(), {});
    std::vector<GeometryBuild> builds(geometries.size());
    bool anyCollision = false;
    bool anyShadow = false;
    for (std::size_t i = 0; i < geometries.size(); ++i) {
        const int gi = static_cast<int>(i);
        data.parts[i].assign(static_cast<std::size_t>(lodCounts[i]), {});
        for (int j = 0; j < lodCounts[i]; ++j) {
            SceneNode* lodNode = findChildNumbered(geometries[i], "lod", j);
            MeshPartList& parts = data.parts[i][static_cast<std::size_t>(j)];
            LodBuild lod;
            lod.mesh = createMeshData(scene, *lodNode, lodNode->name(), parts, gi, j, outputFile);
            if (!lod.mesh)
                return false;
            reportLaterRoots(parts);
            for (const MeshPart& part : parts) {
                if (part.noGeometry)
                    continue;
                if (j == 0) {
                    SceneNode* collision = specialPart(part, "col");
                    builds[i].collisionSlots.push_back(collision);
                    anyCollision = anyCollision || collision;
                }
                SceneNode* shadow = specialPart(part, "shadow");
                lod.shadowSlots.push_back(shadow);
                anyShadow = anyShadow || shadow;
                ++builds[i].partCount;
            }
            builds[i].lods.push_back(std::move(lod));
        }
    }
    const ExportType type = currentExportType();
    if (type != kSkinnedMesh) {
        // One layout for the whole file: the texture sets the widest level of detail needs,
        // known before any group is finished, so that tangents follow the file's first set.
        std::uint32_t uvSets = 0;
        for (const GeometryBuild& build : builds)
            for (const LodBuild& lod : build.lods)
                uvSets = std::max(uvSets, lod.mesh->uvSetCount());
        for (GeometryBuild& build : builds)
            for (LodBuild& lod : build.lods)
                lod.mesh->widenUvSets(uvSets);
    }
    for (GeometryBuild& build : builds) {
        for (std::size_t j = 0; j < build.lods.size(); ++j) {
            LodBuild& lod = build.lods[j];
            if (!lod.mesh->finishGeometry())
                return false;
            lod.materials = createMaterialExporter(scene, static_cast<int>(j), *lod.mesh);
            if (!lod.materials)
                return false;
            lod.mesh->attachMaterials(*lod.materials, static_cast<int>(j));
        }
    }
    if (progress)
        progress("save data", callbackData);
    const std::string extension(exportTypeName(type == kMeshParticleMesh ? kBundledMesh : type));
    const std::string meshPath =
        meshDirectoryFile(outputFile, outputBaseName(outputFile) + "." + extension);
    exportedFileSet().addRelativeToRawData(recordedPath(meshPath));

    for (GeometryBuild& build : builds)
        for (std::size_t j = 0; j < build.lods.size(); ++j)
            mergeLod(merged, *build.lods[j].mesh, *build.lods[j].materials, static_cast<int>(j),
                     type == kStaticMesh);
    // The merge state outlives this export's levels of detail, which end with this function.
    struct MergeRelease {
        MergedMeshData& merged;
        ~MergeRelease() {
            merged.first = nullptr;
            merged.vertexLists.clear();
        }
    } release{merged};
    if (!checkVertexBlock(merged))
        return false;

    // Written as it is composed: the vertex block alone may be megabytes.
    const bool bundledLayout = type == kBundledMesh || type == kMeshParticleMesh;
    const bool written = writeExportFile(meshPath, [&](OutStream& out) {
        out << std::uint32_t{0} << std::uint32_t{bundledLayout ? 10u : 11u};
        out << std::uint32_t{0} << std::uint32_t{0} << std::uint32_t{0} << std::uint8_t{0};
        out << static_cast<std::uint32_t>(geometries.size());
        for (int count : lodCounts)
            out << static_cast<std::uint32_t>(count);
        writeVertexBlock(out, merged);
        for (const GeometryBuild& build : builds)
            for (const LodBuild& lod : build.lods)
                lod.mesh->writeLodBlock(out);
        for (const GeometryBuild& build : builds)
            for (const LodBuild& lod : build.lods)
                lod.materials->writeMaterialBlock(out);
        if (anyShadow) {
            // Each shadow block is built from the "shadow" node under the part's "nonvis" node.
            for (std::size_t i = 0; i < builds.size(); ++i) {
                out << static_cast<std::uint32_t>(i);
                for (std::size_t j = 0; j < builds[i].lods.size(); ++j) {
                    out << static_cast<std::uint32_t>(j);
                    for (SceneNode* slot : builds[i].lods[j].shadowSlots) {
                        if (!slot)
                            continue;
                        SceneNode* shadow = findNodeByPrefix(slot, "shadow");
                        MeshPartList shadowParts;
                        const auto shadowMesh =
                            createMeshData(scene, *shadow, "", shadowParts, static_cast<int>(i),
                                           static_cast<int>(j), outputFile, false);
                        if (!shadowMesh || !shadowMesh->finishGeometry())
                            return failExport("The shadow geometry " + shadow->name() +
                                              " could not be built");
                        shadowMesh->writeLodBlock(out);
                    }
                }
            }
        }
        return true;
    });
    if (!written)
        return false;
    return !anyCollision || writeCollisionFile(outputFile, builds);
}

} // namespace vx
