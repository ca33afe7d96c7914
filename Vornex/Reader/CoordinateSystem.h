#pragma once
// The host works right-handed; the game is left-handed with positive z forward. Converting
// mirrors the X axis. Matrices are in the host's row-vector layout (rows 0 to 2 the axes,
// row 3 the translation).
#include "Shared/Base/math/Vector3.h"

#include <maya/MMatrix.h>
#include <maya/MQuaternion.h>

namespace vx {

// (x, y, z) -> (-x, y, z).
Vector3 mirrorPoint(const Vector3& p);
// Negates the elements (0,1), (0,2), (1,0), (2,0) and (3,0).
MMatrix mirrorMatrix(const MMatrix& m);
// The rotation matrix of `q`, transposed, mirrored as above, back to a quaternion: the form
// the game's keys take.
MQuaternion mirrorRotation(const MQuaternion& q);

} // namespace vx
