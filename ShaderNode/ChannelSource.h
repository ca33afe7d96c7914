#pragma once
// Where one colour attribute of the shader node takes its colour from: the attribute's own
// value, a file texture connected to it, or a triple shading switch connected to it that picks
// one of those per shape.
#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>

namespace vx {

struct ChannelSource {
    enum Kind { kConstant = 0, kTexture = 1 };
    Kind kind = kConstant;
    // kConstant: the colour; kTexture: white, what the layer is where its texture is missing.
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    MObject textureNode; // kTexture: the file texture node
};

// Resolves the colour attribute `attributeName` of `shaderNode` for the object being drawn.
ChannelSource resolveChannel(const MObject& shaderNode, const char* attributeName,
                             const MDagPath& drawnPath);

// The same for a colour plug (a compound of three float children).
ChannelSource resolveChannelPlug(const MPlug& colorPlug, const MDagPath& drawnPath);

} // namespace vx
