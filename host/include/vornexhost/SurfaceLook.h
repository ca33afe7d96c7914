#pragma once
// How the viewport draws a surface material that no plug-in draws: the colour of a lambert,
// blinn or phong node (or of any node with a "color" attribute), the file texture connected to
// that colour, and the specular colour and shininess of blinn and phong.
#include <string>

namespace vornexhost {

class Node;

struct SurfaceLook {
    float color[3] = {0.5f, 0.5f, 0.5f}; // light grey (0.8) when the colour is a texture
    std::string texturePath;             // empty: no texture
    float specular[3] = {0.0f, 0.0f, 0.0f};
    float shininess = 0.0f; // OpenGL's specular exponent, 0 to 128
};

// The look of `shader`; grey for a node without a colour (or no node at all).
SurfaceLook surfaceLook(const Node* shader);

} // namespace vornexhost
