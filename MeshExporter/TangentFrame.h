#pragma once
// The arithmetic of tangent space generation: one triangle's texture directions and one
// vertex's frame made orthonormal to its normal. Every normalisation goes through the D3DX
// stand-in so that the mender and the exporter agree bit for bit.
#include "Shared/Base/math/Vector3.h"

namespace vx {

// The unit vector in the direction of v (D3DXVec3Normalize); zero for a zero or non-finite v.
Vector3 unitVector(const Vector3& v);

struct TriangleBasis {
    Vector3 tangent;  // object-space direction of increasing s, not normalised
    Vector3 binormal; // object-space direction of increasing t, not normalised
};

// From corner positions p and texture coordinates (s, t). A triangle whose texture area is
// below 0.0001 is scaled by the area's sign (1 for zero) instead of 1 / area, so all-equal
// coordinates give zero vectors.
TriangleBasis triangleBasis(const Vector3 (&p)[3], const float (&s)[3], const float (&t)[3]);

// Removes the normal's part from the tangent, the normal's and that tangent's parts from the
// binormal, and normalises both. Where one has no direction left (shorter than 0.001) it is
// made from the other and the normal (tangent = binormal x normal, binormal = normal x
// tangent; neither: from the normal and an axis); a binormal almost parallel to the tangent
// becomes normal x tangent. The made vectors are not normalised. A normal shorter than 0.001
// (or not finite) is reported in the export's error list and replaced by (0, 0, 1).
void orthonormalizeFrame(Vector3& normal, Vector3& tangent, Vector3& binormal);

// The text reported for a zero normal, byte for byte.
extern const char* const kZeroNormalMessage;

} // namespace vx
