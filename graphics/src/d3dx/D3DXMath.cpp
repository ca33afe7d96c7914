#include "d3dx9math.h"

#include <cmath>

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v) {
    // Lengths are summed in double so vectors near the float range still normalise.
    const double x = static_cast<double>(v->x);
    const double y = static_cast<double>(v->y);
    const double z = static_cast<double>(v->z);
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0) || !std::isfinite(length)) {
        *out = D3DXVECTOR3();
        return out;
    }
    *out = D3DXVECTOR3(static_cast<FLOAT>(x / length), static_cast<FLOAT>(y / length),
                       static_cast<FLOAT>(z / length));
    return out;
}
