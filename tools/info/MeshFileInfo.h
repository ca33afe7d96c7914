#pragma once
// `vornex info` for mesh files: the whole decoded file as indented text.
#include "tools/info/InfoCommand.h"
#include "tools/info/MeshFile.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace vx::info {
struct SkeletonFile;
}

namespace vx::meshfile {

// Prints every field of the file, per geometry and LOD, and draws attention (lines beginning
// "warning:") to draw ranges outside the buffers and other oddities shipped files may have.
// The first `vertices` vertices (at most all) are printed decoded by the declaration. With a
// skeleton, the bones of skinned parts are named; every skeleton index of the file must lie
// within it.
void printMeshFile(const MeshFile& file, std::ostream& out, std::uint32_t vertices,
                   const info::SkeletonFile* skeleton = nullptr);

} // namespace vx::meshfile

namespace vx::info {

// The printer of .staticMesh, .bundledMesh and .skinnedMesh files. Options: --kind
// static|bundled|skinned (overrides the extension), --vertices N, and for skinned files
// --skeleton FILE.ske (names the parts' bones).
int printMeshInfo(const InfoRequest& request, std::ostream& out, std::ostream& err);

// Reads the mesh file at `path` as `kind`; false with "'path': reason" on `err`.
bool loadMeshFile(const std::string& path, meshfile::MeshKind kind, meshfile::MeshFile& file,
                  std::ostream& err);

// The first skeleton index of the file's bone tables (shadow blocks included) beyond the
// skeleton's bones, if any.
std::optional<std::uint32_t> boneBeyond(const meshfile::MeshFile& file,
                                        const SkeletonFile& skeleton);

} // namespace vx::info
