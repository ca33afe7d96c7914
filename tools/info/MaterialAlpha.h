#pragma once
// How a material of a mesh file is blended. The files do not store the mode; it shows in what
// was written: blended materials carry their sorted copies after their range, tested ones an
// "Alpha_Test" technique.
#include "tools/info/MeshFile.h"

namespace vx::meshfile {

enum class MaterialAlpha { Opaque, Tested, Blended };

MaterialAlpha materialAlpha(const MeshFile& file, const MaterialRecord& material);

} // namespace vx::meshfile
