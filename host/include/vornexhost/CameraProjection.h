#pragma once
// The viewing volume of a scene camera for an image of a given size, as glFrustum / glOrtho
// take it. A perspective camera's film gate meets the image by its film fit: horizontal (the
// horizontal aperture spans the image width), vertical (the vertical aperture spans the
// height), fill (whichever leaves no part of the image outside the gate: horizontal when the
// image is wider than the film) or overscan (the other one).
namespace vornexhost {

struct CameraLens {
    enum class Fit { Fill = 0, Horizontal = 1, Vertical = 2, Overscan = 3 };
    bool orthographic = false;
    Fit fit = Fit::Horizontal;
    double focalLength = 35.0;             // millimetres
    double horizontalFilmAperture = 1.417; // inches
    double verticalFilmAperture = 0.945;   // inches
    double orthographicWidth = 30.0;       // scene units
    double nearClip = 0.1;
    double farClip = 10000.0;
};

struct ViewVolume {
    bool orthographic = false;
    double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0;
    double nearClip = 0.0, farClip = 0.0;
};

// Null-size images, a non-positive focal length or aperture, or clip planes out of order give
// false.
bool viewVolume(const CameraLens& lens, int width, int height, ViewVolume& out);

} // namespace vornexhost
