#pragma once
// Draws one LOD of a mesh file with its base textures into an image through the viewport's
// offscreen OpenGL context, framed to the drawn geometry's bounds and lit from the camera.
#include "Shared/Base/math/Matrix.h"
#include "tools/info/MeshFile.h"

#include <vornexhost/ViewportRender.h>

#include <iosfwd>
#include <map>
#include <string>

namespace vx::render {

struct GameMeshDrawSettings {
    std::size_t lod = 0;                               // of geometry 0
    std::string textureFolder;                         // none: every material untextured
    const std::map<unsigned, Matrix>* parts = nullptr; // bundled: part number -> transform
    int width = 640;
    int height = 480;
};

// False with a sentence in `error` (no OpenGL context, a LOD the file does not have, a range
// that cannot be decoded). Textures that cannot be found are warned of on `warnings`.
bool drawGameMesh(const meshfile::MeshFile& file, const GameMeshDrawSettings& settings,
                  vornexhost::RenderedImage& image, std::ostream& warnings, std::string& error);

} // namespace vx::render
