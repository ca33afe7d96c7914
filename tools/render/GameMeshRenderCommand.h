#pragma once
// `vornex render FILE.staticMesh|.bundledMesh|.skinnedMesh -o OUT.png [--lod N]
// [--textures DIR] [--con FILE.con] [--size WxH]`: a game file drawn into a PNG picture.
#include <iosfwd>
#include <string>
#include <vector>

namespace vx::render {

extern const char* const kGameMeshRenderUsage;

// Whether `path` names a mesh file by its extension (the render verb's game-file form).
bool isGameMeshPath(const std::string& path);

// args: everything after the verb. Returns the exit status: 0, or 1 with the reason on `err`
// and no picture written.
int runGameMeshRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vx::render
