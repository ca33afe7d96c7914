#include "MeshExporter/AnimatedTextureCoordinates.h"

#include "MeshExporter/AnimatedUvState.h"
#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/Material.h"

#include <d3dx9tex.h>

#include <cmath>
#include <cstdio>
#include <numeric>

namespace vx {

namespace {

constexpr float kNoSecondSet = 65535.0f;

// The artist's message: in the error list and the log; the export goes on.
void tellArtist(const std::string& text) {
    exportErrorList().append(text);
    VX_WARNING << text;
}

std::string withCornerColours(const char* text, const ExportVertex* corners) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%s: %f %f %f : %f %f %f : %f %f %f", text,
                  static_cast<double>(corners[0].color.r), static_cast<double>(corners[0].color.g),
                  static_cast<double>(corners[0].color.b), static_cast<double>(corners[1].color.r),
                  static_cast<double>(corners[1].color.g), static_cast<double>(corners[1].color.b),
                  static_cast<double>(corners[2].color.r), static_cast<double>(corners[2].color.g),
                  static_cast<double>(corners[2].color.b));
    return buffer;
}

long nearest(float value) {
    return std::lround(value);
}

float channel(const Color& c, int k) {
    return k == 0 ? c.r : (k == 1 ? c.g : c.b);
}

std::string afterLastSeparator(const std::string& path) {
    const std::size_t at = path.find_last_of("/\\");
    return at == std::string::npos ? path : path.substr(at + 1);
}

} // namespace

bool isAnimatedUvMaterial(const std::string& materialName) {
    return materialName.find("AnimatedUV") != std::string::npos;
}

std::string animatedTexturePath(const std::string& outputFile, const std::string& texture) {
    const std::size_t at = outputFile.find_last_of("/\\");
    // A bare file name lies in the working folder.
    const std::string folder =
        at == std::string::npos ? std::string(".") : outputFile.substr(0, at);
    // The doubled slash is deliberate: the path is logged and reported to the artist as written.
    return folder + "/" + "/textures/" + afterLastSeparator(texture);
}

std::array<float, 2> textureAspectScale(std::uint32_t width, std::uint32_t height) {
    if (width == 0 || height == 0 || width == height)
        return {1.0f, 1.0f};
    if (width < height)
        return {1.0f, static_cast<float>(height / width)};
    return {static_cast<float>(width / height), 1.0f};
}

void decodeAnimatedTriangle(ExportVertex* corners, const std::array<float, 2>& scale) {
    if (corners[0].color.r == -1.0f) {
        for (int c = 0; c < 3; ++c) {
            corners[c].uvs[1] = {0.0f, 0.0f};
            corners[c].uvMatrix = 0;
            corners[c].animationType = -1;
        }
        return;
    }
    int counting = 0;
    long matrix = 0;
    long type = 0;
    for (int k = 0; k < 3; ++k) {
        const float c0 = channel(corners[0].color, k);
        if (!(c0 > 0.09f))
            continue;
        const long m = 10 - nearest(c0 * 10.0f);
        if (10 - nearest(channel(corners[1].color, k) * 10.0f) != m ||
            10 - nearest(channel(corners[2].color, k) * 10.0f) != m)
            continue;
        ++counting;
        matrix = m;
        type = nearest(c0 * 100.0f) % 10;
    }
    if (counting == 0) {
        tellArtist(withCornerColours("QVM: A animated polygone cant have less then 1 UV Matrix!",
                                     corners));
        return;
    }
    if (counting > 1) {
        tellArtist(withCornerColours("QVM: A animated polygone cant have more then 1 UV Matrix!",
                                     corners));
        return;
    }
    if (matrix < 1 || matrix > 7) {
        tellArtist(withCornerColours("QVM: UV Matrix index cant be less then 1 or bigger then 7",
                                     corners));
        return;
    }
    AnimatedUvState& state = animatedUvState();
    state.matrixCount = std::max(state.matrixCount, static_cast<std::int32_t>(matrix));
    for (int c = 0; c < 3; ++c) {
        corners[c].uvMatrix = static_cast<std::int32_t>(matrix);
        corners[c].animationType = static_cast<std::int32_t>(type);
    }
    if (type == 0)
        return;
    if (type != 1) {
        tellArtist("QVM: Unknown UV Animation Type");
        return;
    }
    if (corners[0].uvs[1].u == kNoSecondSet)
        tellArtist("QVM: UV Rotate Animated vertices need to have a UV offset in UV cord 2");
    for (int c = 0; c < 3; ++c) {
        const UvCoord own = corners[c].uvs[0];
        const UvCoord pivot = corners[c].uvs[1];
        corners[c].uvs[0] = pivot;
        corners[c].uvs[1] = {(own.u - pivot.u) * scale[0], (own.v - pivot.v) * scale[1]};
    }
}

void applyAnimatedTextureCoordinates(std::vector<MaterialTriangles>& groups,
                                     std::uint32_t& uvSetCount, const std::string& outputFile) {
    std::array<float, 2> scale = {1.0f, 1.0f};
    bool any = false;
    for (const MaterialTriangles& group : groups) {
        if (!isAnimatedUvMaterial(group.name))
            continue;
        any = true;
        animatedUvState().used = true;
        uvSetCount = 2;
        const std::string texture =
            group.material ? group.material->getText("zeph_FxTexture0").value_or("") : "";
        const std::string path = animatedTexturePath(outputFile, texture);
        D3DXIMAGE_INFO info;
        if (FAILED(D3DXGetImageInfoFromFileA(path.c_str(), &info))) {
            tellArtist("QVM: Unable to read texture data!: " + path);
            continue;
        }
        // The last animated material read sets the scale for the whole level of detail.
        scale = textureAspectScale(info.Width, info.Height);
    }
    if (!any)
        return;
    for (MaterialTriangles& group : groups) {
        if (!isAnimatedUvMaterial(group.name))
            continue;
        // A vertex's triangles may decode it differently, so each corner gets a copy of its own;
        // the weld joins the copies that agree.
        ExportVertexList corners(group.corners.size());
        for (std::size_t c = 0; c < corners.size(); ++c)
            corners[c] = group.corner(c);
        for (std::size_t t = 0; t + 2 < corners.size(); t += 3)
            decodeAnimatedTriangle(&corners[t], scale);
        group.vertices = std::move(corners);
        std::iota(group.corners.begin(), group.corners.end(), 0u);
    }
}

} // namespace vx
