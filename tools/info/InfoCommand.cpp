#include "tools/info/InfoCommand.h"

#include "Shared/Base/TextCase.h"
#include "Shared/Graphics/Scene/SceneOutline.h"
#include "tools/info/AnimationFilePrinter.h"
#include "tools/info/CollisionMeshFileInfo.h"
#include "tools/info/DdsFileInfo.h"
#include "tools/info/MeshFileInfo.h"
#include "tools/info/SampleFileInfo.h"
#include "tools/info/SkeletonFilePrinter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <ostream>

namespace vx::info {

namespace {

int printSceneGraph(const InfoRequest& request, std::ostream& out, std::ostream& err) {
    if (!request.options.empty()) {
        err << "scene graph files take no options (got '" << request.options.front() << "')\n";
        return 1;
    }
    return runSceneInfo(request.path.c_str(), out, err);
}

struct KindByExtension {
    const char* extension; // lower case, with its dot; a trailing '*' matches any ending
    InfoPrinter printer;
};

// Extensions of the files the exporter writes. Scene graph files are recognised by content,
// since the Vornex command names them ".bundledMesh" like the mesh files.
constexpr std::array<KindByExtension, 10> kKinds = {{
    {".sgf", printSceneGraph},
    {".staticmesh", printMeshInfo},
    {".bundledmesh", printMeshInfo},
    {".skinnedmesh", printMeshInfo},
    {".samples", printSampleFile},
    {".samp_*", printSampleFile},
    {".ske", printSkeletonInfo},
    {".baf", printAnimationInfo},
    {".collisionmesh", printCollisionMeshFile},
    {".dds", printDdsFile},
}};

bool matchesExtension(const std::string& lowerPath, const char* pattern) {
    std::string p(pattern);
    const bool prefix = !p.empty() && p.back() == '*';
    if (prefix) {
        p.pop_back();
        const std::size_t slash = lowerPath.find_last_of("/\\");
        const std::size_t at = lowerPath.rfind(p);
        return at != std::string::npos && (slash == std::string::npos || at > slash);
    }
    return lowerPath.size() >= p.size() &&
           lowerPath.compare(lowerPath.size() - p.size(), p.size(), p) == 0;
}

bool startsWithSceneGraphMarker(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 4> head{};
    if (!in.read(reinterpret_cast<char*>(head.data()), head.size()))
        return false;
    return head == std::array<unsigned char, 4>{0xFF, 0xFF, 0xFF, 0xFF};
}

} // namespace

int runInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "info needs a file\n";
        return 1;
    }
    InfoRequest request{args.front(), {args.begin() + 1, args.end()}};
    if (!std::ifstream(request.path, std::ios::binary)) {
        err << "cannot open '" << request.path << "'\n";
        return 1;
    }
    if (startsWithSceneGraphMarker(request.path))
        return printSceneGraph(request, out, err);
    // Only mesh files take --kind, which names the kind whatever the extension says.
    if (std::find(request.options.begin(), request.options.end(), "--kind") !=
        request.options.end())
        return printMeshInfo(request, out, err);
    const std::string lower = toLowerAscii(request.path);
    for (const KindByExtension& kind : kKinds) {
        if (matchesExtension(lower, kind.extension))
            return kind.printer(request, out, err);
    }
    err << "'" << request.path
        << "' is not a kind of file vornex info knows; see vornex help info\n";
    return 1;
}

const char* infoKindsText() {
    return "  FILE.sgf (or any scene graph file the Vornex command wrote)\n"
           "                           the scene graph as an indented outline\n"
           "  FILE.staticMesh, FILE.bundledMesh (also meshParticleMesh files), FILE.skinnedMesh\n"
           "                           the mesh file decoded whole: header, vertex declaration,\n"
           "                           counts, per geometry and LOD the bounds, parts and\n"
           "                           materials, the shadow section; options:\n"
           "                           --kind static|bundled|skinned  read as this kind\n"
           "                           --vertices N  also print the first N vertices decoded\n"
           "                           --skeleton FILE.ske  name the bones of skinned parts\n"
           "  FILE.samples, FILE.samp_GL [--png OUT.png]\n"
           "                           a lightmap sample file: size, triangles, lumels on a\n"
           "                           surface, the box of the sample positions; --png draws\n"
           "                           the lumels coloured by triangle\n"
           "  FILE.ske                 the skeleton: each bone's index, name, parent, rotation\n"
           "                           and position\n"
           "  FILE.baf [--skeleton FILE.ske] [--frames BONE]\n"
           "                           the animation: header, each bone's key blocks and value\n"
           "                           ranges (named from the skeleton); --frames: the decoded\n"
           "                           keys of one bone (index or, with --skeleton, name)\n"
           "  FILE.collisionMesh [--query X Y Z]\n"
           "                           a collision mesh file: per slot and geometry, each\n"
           "                           collision mesh's faces, vertices, materials, box, tree\n"
           "                           depth, nodes and leaves, adjacency; --query lists the\n"
           "                           faces whose tree leaves contain the point\n"
           "  FILE.dds [--png OUT.png]  a texture: size, pixel layout, mip levels; --png writes\n"
           "                           its top level as a picture (converted normal maps)\n";
}

} // namespace vx::info
