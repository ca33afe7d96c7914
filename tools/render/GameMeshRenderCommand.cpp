#include "tools/render/GameMeshRenderCommand.h"

#include "tools/convert/ObjectTemplatePlacement.h"
#include "tools/info/FileBytes.h"
#include "tools/info/MeshFileInfo.h"
#include "tools/render/GameMeshDraw.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace vx::render {

const char* const kGameMeshRenderUsage =
    "usage: vornex render FILE.staticMesh|.bundledMesh|.skinnedMesh -o OUT.png [--lod N]\n"
    "                     [--textures DIR] [--con FILE.con] [--size WxH]\n"
    "\n"
    "Draws LOD N (default 0) of the file's first geometry with its base textures from DIR\n"
    "into the PNG picture OUT.png, framed to its bounds and lit from the camera. Bundled parts\n"
    "are placed by the object template script given with --con, skinned meshes drawn in their\n"
    "bind pose. It needs an OpenGL context (Mesa's offscreen EGL).\n";

namespace {

bool readCount(const std::string& text, int& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && value >= 0;
}

bool readSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    return x != std::string::npos && readCount(text.substr(0, x), width) &&
           readCount(text.substr(x + 1), height) && width > 0 && height > 0;
}

} // namespace

bool isGameMeshPath(const std::string& path) {
    return meshfile::kindFromPath(path).has_value();
}

int runGameMeshRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string input, output, script, size;
    GameMeshDrawSettings settings;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& to) {
            if (i + 1 >= args.size()) {
                err << "render: " << a << " needs a value\n";
                return false;
            }
            to = args[++i];
            return true;
        };
        std::string text;
        if (a == "--help" || a == "-h") {
            out << kGameMeshRenderUsage;
            return 0;
        } else if (a == "-o" || a == "--output") {
            if (!value(output))
                return 1;
        } else if (a == "--textures") {
            if (!value(settings.textureFolder))
                return 1;
        } else if (a == "--con") {
            if (!value(script))
                return 1;
        } else if (a == "--size") {
            if (!value(text))
                return 1;
            if (!readSize(text, settings.width, settings.height)) {
                err << "render: --size needs WIDTHxHEIGHT, for example 640x480, not \"" << text
                    << "\"\n";
                return 1;
            }
        } else if (a == "--lod") {
            int lod = 0;
            if (!value(text))
                return 1;
            if (!readCount(text, lod)) {
                err << "render: --lod needs a LOD number, not \"" << text << "\"\n";
                return 1;
            }
            settings.lod = static_cast<std::size_t>(lod);
        } else if (input.empty() && (a.empty() || a[0] != '-')) {
            input = a;
        } else {
            err << "render: unexpected \"" << a << "\"\n";
            return 1;
        }
    }
    const std::optional<meshfile::MeshKind> kind = meshfile::kindFromPath(input);
    if (!kind || output.empty()) {
        err << "render needs a .staticMesh, .bundledMesh or .skinnedMesh file and -o OUT.png\n";
        return 1;
    }
    meshfile::MeshFile file;
    if (!info::loadMeshFile(input, *kind, file, err))
        return 1;
    std::map<unsigned, Matrix> parts;
    if (!script.empty()) {
        std::string bytes, error;
        if (!info::readFileBytes(script, bytes, error) ||
            !convert::readPartPlacement(bytes, parts, error)) {
            err << script << ": " << error << '\n';
            return 1;
        }
        settings.parts = &parts;
    }
    vornexhost::RenderedImage image;
    std::string error;
    if (!drawGameMesh(file, settings, image, err, error) ||
        !vornexhost::writePng(output, image, error)) {
        err << "render: " << input << ": " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace vx::render
