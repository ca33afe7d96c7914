#pragma once
// The host's viewport drawing the active scene into an image: every visible mesh seen through
// a scene camera, materials that a plug-in's hardware shader node draws through that node's
// bind / geometry / unbind, others in their shaded colour and file texture, under a light at
// the camera; joints, curves and locators as lines (GuideLines).
#include <string>
#include <vector>

namespace vornexhost {

inline constexpr const char* kDefaultCamera = "persp";

struct RenderSettings {
    std::string camera = kDefaultCamera; // a camera's transform or shape name
    int width = 640;
    int height = 480;
    bool hasFrame = false;
    double frame = 0.0; // in the scene's time unit
    bool wireframe = false;
    // Moves the camera back or forth along its view (orthographic: widens it) so that every
    // visible mesh is in the picture, as "frame all" does; the camera's direction is kept.
    bool fitAll = false;
    // Every material in its plain colour, without textures or plug-in shaders.
    bool plainColor = false;
    // A camera the scene does not hold, or a startup camera it never saved, shows nothing in
    // particular: draw through the default camera instead (the named one when the scene has
    // it), fitted as `fitAll` does.
    bool fitUnsavedCamera = false;
};

struct RenderedImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba; // top row first
    std::string camera;              // the camera drawn through, as named
    bool fitted = false;             // moved to hold everything
};

// Largest image side the viewport draws.
inline constexpr int kMaxRenderSize = 8192;

// False with a sentence in `error` when there is no OpenGL context, no such camera, or the
// size is out of range.
bool renderActiveScene(const RenderSettings& settings, RenderedImage& image, std::string& error);

// Writes the image as an RGB PNG; false with the reason when the file cannot be written.
bool writePng(const std::string& path, const RenderedImage& image, std::string& error);

} // namespace vornexhost
