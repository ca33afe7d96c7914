#pragma once
// The strict reader of mesh files. It reads the game's shipped files as well as ours, so it
// trusts nothing: every count is checked against the bytes left before anything is allocated,
// the declaration must describe the stride exactly, and bytes left over are an error.
#include "tools/info/MeshFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vx::meshfile {

// Decodes the whole file as `kind`. On failure returns false with `error` reading
// "offset N: reason", N being the byte offset of the field at fault; `out` is then partly
// filled and must not be used. Indices not below the vertex count are allowed (the writer only
// warns of them) and counted in MeshFile::indicesOutOfRange.
bool readMeshFile(const std::uint8_t* data, std::size_t size, MeshKind kind, MeshFile& out,
                  std::string& error);

} // namespace vx::meshfile
