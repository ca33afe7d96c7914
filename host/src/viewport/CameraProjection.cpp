#include <vornexhost/CameraProjection.h>

namespace vornexhost {

namespace {
constexpr double kMillimetresPerInch = 25.4;
}

bool viewVolume(const CameraLens& lens, int width, int height, ViewVolume& out) {
    if (width <= 0 || height <= 0 || !(lens.nearClip > 0.0) || !(lens.farClip > lens.nearClip))
        return false;
    const double aspect = static_cast<double>(width) / height;
    double halfWidth = 0.0;
    double halfHeight = 0.0;
    if (lens.orthographic) {
        if (!(lens.orthographicWidth > 0.0))
            return false;
        halfWidth = lens.orthographicWidth / 2.0;
        halfHeight = halfWidth / aspect;
    } else {
        if (!(lens.focalLength > 0.0) || !(lens.horizontalFilmAperture > 0.0) ||
            !(lens.verticalFilmAperture > 0.0))
            return false;
        // Half the film gate at the near plane, by similar triangles through the lens.
        const double perFocal = lens.nearClip / lens.focalLength * kMillimetresPerInch / 2.0;
        const double filmAspect = lens.horizontalFilmAperture / lens.verticalFilmAperture;
        bool horizontal = lens.fit == CameraLens::Fit::Horizontal;
        if (lens.fit == CameraLens::Fit::Fill)
            horizontal = aspect >= filmAspect;
        else if (lens.fit == CameraLens::Fit::Overscan)
            horizontal = aspect < filmAspect;
        if (horizontal) {
            halfWidth = lens.horizontalFilmAperture * perFocal;
            halfHeight = halfWidth / aspect;
        } else {
            halfHeight = lens.verticalFilmAperture * perFocal;
            halfWidth = halfHeight * aspect;
        }
    }
    out.orthographic = lens.orthographic;
    out.left = -halfWidth;
    out.right = halfWidth;
    out.bottom = -halfHeight;
    out.top = halfHeight;
    out.nearClip = lens.nearClip;
    out.farClip = lens.farClip;
    return true;
}

} // namespace vornexhost
