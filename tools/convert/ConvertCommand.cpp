#include "tools/convert/ConvertCommand.h"

#include "tools/convert/AnimationGltf.h"
#include "tools/convert/CollisionGltf.h"
#include "tools/convert/GltfFileWriter.h"
#include "tools/convert/MeshGltf.h"
#include "tools/convert/ObjectTemplatePlacement.h"
#include "tools/convert/SkinGltf.h"
#include "tools/info/AnimationFileReader.h"
#include "tools/info/CollisionMeshFileReader.h"
#include "tools/info/FileBytes.h"
#include "tools/info/MeshFileInfo.h"
#include "tools/info/SkeletonFilePrinter.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

namespace vx::convert {

const char* const kConvertUsage =
    "usage: vornex convert FILE -o OUT.glb [--skeleton FILE.ske] [--animation FILE.baf]\n"
    "                      [--fps N] [--textures DIR] [--con FILE.con]\n"
    "                      [--collision FILE.collisionMesh]\n"
    "\n"
    "Writes a game file as binary glTF 2.0 for any viewer. FILE is a .staticMesh, .bundledMesh,\n"
    "skinnedMesh or .collisionMesh file. Meshes: a node per geometry and LOD (\"geom0_lod0\",\n"
    "...), a primitive per material with its first texture from DIR (decoded and embedded as\n"
    "PNG; a texture not found leaves the material untextured, with a warning). Bundled parts\n"
    "are child nodes (\"part0\", ...) placed by the object template script given with --con.\n"
    "Skinned meshes with --skeleton get a skin over the skeleton's bones, and with --animation\n"
    "an animation at --fps frames a second (default 30). --collision adds a collision mesh file\n"
    "as a second scene, a colour per collision material. The game files are left-handed: z is\n"
    "mirrored and every triangle's winding reversed. Bad input writes nothing.\n";

namespace {

struct Request {
    std::string input;
    std::string output;
    std::string skeleton;
    std::string animation;
    std::string textures;
    std::string script;
    std::string collision;
    double fps = 30.0;
    bool help = false;
};

bool parseRequest(const std::vector<std::string>& args, Request& r, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& to) {
            if (i + 1 >= args.size()) {
                err << "convert: " << a << " needs a value\n";
                return false;
            }
            to = args[++i];
            return true;
        };
        // The options that take a path, and the member each fills.
        static constexpr std::pair<std::string_view, std::string Request::*> kPathOptions[] = {
            {"-o", &Request::output},
            {"--output", &Request::output},
            {"--skeleton", &Request::skeleton},
            {"--animation", &Request::animation},
            {"--textures", &Request::textures},
            {"--con", &Request::script},
            {"--collision", &Request::collision}};
        const auto path = std::find_if(std::begin(kPathOptions), std::end(kPathOptions),
                                       [&](const auto& option) { return option.first == a; });
        if (a == "--help" || a == "-h") {
            r.help = true;
        } else if (path != std::end(kPathOptions)) {
            if (!value(r.*(path->second)))
                return false;
        } else if (a == "--fps") {
            std::string text;
            if (!value(text))
                return false;
            const auto result = std::from_chars(text.data(), text.data() + text.size(), r.fps);
            if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
                !(r.fps > 0.0 && r.fps <= 1000.0)) {
                err << "convert: --fps needs a number of frames a second above 0, not \"" << text
                    << "\"\n";
                return false;
            }
        } else if (!a.empty() && a[0] == '-') {
            err << "convert: unknown option \"" << a << "\"\n";
            return false;
        } else if (r.input.empty()) {
            r.input = a;
        } else {
            err << "convert: one input file, not also \"" << a << "\"\n";
            return false;
        }
    }
    if (r.help)
        return true;
    if (r.input.empty() || r.output.empty()) {
        err << "convert needs a game file and -o OUT.glb\n";
        return false;
    }
    if (!r.animation.empty() && r.skeleton.empty()) {
        err << "convert: --animation needs the --skeleton it moves\n";
        return false;
    }
    return true;
}

bool endsWithIgnoringCase(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           std::equal(ending.rbegin(), ending.rend(), text.rbegin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool loadCollision(const std::string& path, info::CollisionMeshFileContents& contents,
                   std::ostream& err) {
    std::string bytes;
    std::string error;
    if (!info::readFileBytes(path, bytes, error) ||
        !info::readCollisionMeshFile(reinterpret_cast<const unsigned char*>(bytes.data()),
                                     bytes.size(), contents, error)) {
        err << path << ": " << error << '\n';
        return false;
    }
    return true;
}

bool loadAnimation(const std::string& path, info::AnimationFile& animation, std::ostream& err) {
    std::string bytes;
    std::string error;
    if (!info::readFileBytes(path, bytes, error) ||
        !info::readAnimationFile(bytes, animation, error)) {
        err << path << ": " << error << '\n';
        return false;
    }
    return true;
}

bool loadPlacement(const std::string& path, std::map<unsigned, Matrix>& parts, std::ostream& err) {
    std::string bytes;
    std::string error;
    if (!info::readFileBytes(path, bytes, error) || !readPartPlacement(bytes, parts, error)) {
        err << path << ": " << error << '\n';
        return false;
    }
    return true;
}

std::string baseName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find('.'));
}

int convert(const Request& r, std::ostream& err) {
    const std::optional<meshfile::MeshKind> kind = meshfile::kindFromPath(r.input);
    const bool collisionOnly = !kind && endsWithIgnoringCase(r.input, ".collisionMesh");
    if (!kind && !collisionOnly) {
        err << "convert: \"" << r.input
            << "\" is not a .staticMesh, .bundledMesh, .skinnedMesh or .collisionMesh file\n";
        return 1;
    }
    if (!r.skeleton.empty() && kind != meshfile::MeshKind::Skinned) {
        err << "convert: --skeleton binds skinned meshes; \"" << r.input << "\" is not one\n";
        return 1;
    }
    if (!r.script.empty() && kind != meshfile::MeshKind::Bundled) {
        err << "convert: --con places the parts of bundled meshes; \"" << r.input
            << "\" is not one\n";
        return 1;
    }

    GltfBuilder builder;
    MaterialTable materials(builder, r.textures, err);
    tinygltf::Model& model = builder.model();
    std::string error;
    auto fail = [&](const std::string& path) {
        err << path << ": " << error << '\n';
        return 1;
    };

    tinygltf::Scene scene;
    scene.name = baseName(r.input);
    if (kind) {
        meshfile::MeshFile mesh;
        if (!info::loadMeshFile(r.input, *kind, mesh, err))
            return 1;
        std::map<unsigned, Matrix> parts;
        if (!r.script.empty() && !loadPlacement(r.script, parts, err))
            return 1;
        MeshGltfInput input;
        input.file = &mesh;
        input.parts = r.script.empty() ? nullptr : &parts;
        info::SkeletonFile skeleton;
        SkeletonNodes bones;
        if (!r.skeleton.empty()) {
            if (!info::loadSkeletonFile(r.skeleton, skeleton, err))
                return 1;
            bones = addSkeletonNodes(builder, skeleton);
            if (!addSkin(builder, skeleton, mesh, bones, error))
                return fail(r.skeleton);
            input.skin = bones.skin;
        }
        if (!addMeshNodes(builder, materials, input, scene.nodes, error))
            return fail(r.input);
        scene.nodes.insert(scene.nodes.end(), bones.roots.begin(), bones.roots.end());
        if (!r.animation.empty()) {
            info::AnimationFile animation;
            if (!loadAnimation(r.animation, animation, err))
                return 1;
            if (!addAnimation(builder, animation, bones.bones, r.fps, baseName(r.animation), error))
                return fail(r.animation);
        }
        model.scenes.push_back(std::move(scene));
    }
    const std::string collisionPath = collisionOnly ? r.input : r.collision;
    if (!collisionPath.empty()) {
        info::CollisionMeshFileContents contents;
        if (!loadCollision(collisionPath, contents, err))
            return 1;
        tinygltf::Scene collision;
        collision.name = collisionOnly ? baseName(r.input) : "collision";
        addCollisionNodes(builder, materials, contents, collision.nodes);
        model.scenes.push_back(std::move(collision));
    }
    model.defaultScene = 0;
    if (!writeGlb(builder.take(), r.output, error)) {
        err << "convert: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int runConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Request request;
    if (!parseRequest(args, request, err))
        return 1;
    if (request.help) {
        out << kConvertUsage;
        return 0;
    }
    return convert(request, err);
}

} // namespace vx::convert
