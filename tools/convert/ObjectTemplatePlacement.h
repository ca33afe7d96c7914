#pragma once
// Where the parts of a bundled mesh sit, read from its object template script (".con"): each
// template's geometry part number ("ObjectTemplate.geometryPart N"; the root template owns
// part 0 unless another claims it) and each child's place under its parent
// ("ObjectTemplate.addTemplate", then "ObjectTemplate.setPosition x/y/z" and
// "ObjectTemplate.setRotation a/b/c" in degrees).
#include "Shared/Base/math/Matrix.h"

#include <map>
#include <string>
#include <string_view>

namespace vx::convert {

// The rotation a "setRotation" vector (the script's negated Euler angles, last angle first)
// stands for, as a row-vector matrix.
Matrix scriptRotation(const Vector3& degrees);

// Per geometry part number, the part's transform relative to the root template (row vectors,
// game space). False with "line N: reason" in `error` for a vector that does not read as three
// numbers, a child that is never created, or a template added more than once (which includes
// one inside itself).
bool readPartPlacement(std::string_view script, std::map<unsigned, Matrix>& parts,
                       std::string& error);

} // namespace vx::convert
