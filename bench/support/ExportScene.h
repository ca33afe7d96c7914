#pragma once
// A generated static mesh scene ready for export: parts that are grids of quads, each with its
// own material, lying flat or standing as walls, with or without lightmaps; and the same
// triangles as a Wavefront OBJ file for programs that read that.
#include <string>

namespace vx::bench {

struct ExportSceneShape {
    int parts = 9;
    int cells = 120; // cells x cells quads per part, (cells + 1)^2 vertices
    bool wall = false;
    unsigned lightmapSize = 0; // 0: no lightmaps
};

// The scene's materials use "../effects/Grid.fx" (from the scene's folder), which holds
// gridEffect(): one texture, as the exporter requires.
std::string staticExportScene(const ExportSceneShape& shape);
std::string gridEffect();
std::string objOf(const ExportSceneShape& shape);

} // namespace vx::bench
