#include "Vornex/Reader/CoordinateSystem.h"

namespace vx {

Vector3 mirrorPoint(const Vector3& p) {
    return {-p.x, p.y, p.z};
}

MMatrix mirrorMatrix(const MMatrix& m) {
    MMatrix out = m;
    out[0][1] = -out[0][1];
    out[0][2] = -out[0][2];
    out[1][0] = -out[1][0];
    out[2][0] = -out[2][0];
    out[3][0] = -out[3][0];
    return out;
}

MQuaternion mirrorRotation(const MQuaternion& q) {
    MQuaternion out;
    out = mirrorMatrix(q.asMatrix().transpose());
    return out;
}

} // namespace vx
