#pragma once
// The scene graph file inspector: a person-readable outline of a scene, used by
// `vornex info FILE.sgf` (and the stand-alone sgfinfo tool until the host program has it).
#include <iosfwd>

namespace vx {

class Scene;

// One line per node, indented by depth: type, name, parent and child counts, the class's
// data (matrix, keys, thresholds, position, influences) and named values; below mesh nodes the
// mesh with its geometry statistics and material groups, each material with its channels.
// A node or shared object met again is named, not repeated.
void printSceneOutline(const Scene& scene, std::ostream& out);

// Reads the scene graph file at `path` and prints its outline to `out`. Returns 0 on success;
// 1 with a message on `err` when the file cannot be opened or read.
int runSceneInfo(const char* path, std::ostream& out, std::ostream& err);

} // namespace vx
