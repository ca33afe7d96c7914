#include "ShaderNode/ChannelSource.h"

#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MPlugArray.h>

namespace vx {
namespace {

// Switches feeding switches could loop; a chain this deep is not an artist's network.
constexpr int kMaxSwitchDepth = 8;

MObject sourceNode(const MPlug& plug) {
    MPlugArray sources;
    if (plug.isNull() || !plug.connectedTo(sources, true, false) || sources.length() == 0)
        return MObject();
    return sources[0].node();
}

ChannelSource constantOf(const MPlug& plug) {
    ChannelSource source;
    if (plug.isNull())
        return source;
    for (unsigned i = 0; i < 3 && i < plug.numChildren(); ++i)
        plug.child(i).getValue(source.color[i]);
    return source;
}

ChannelSource resolve(const MPlug& plug, const MDagPath& drawnPath, int depth);

// A triple shading switch: the element whose shape is the drawn object, else the default.
ChannelSource resolveSwitch(const MObject& switchNode, const MDagPath& drawnPath, int depth) {
    const MFnDependencyNode fn(switchNode);
    const MPlug inputs = fn.findPlug("input");
    const MString drawn = drawnPath.partialPathName();
    if (!inputs.isNull() && inputs.isArray()) {
        const unsigned count = inputs.numElements();
        for (unsigned i = 0; i < count; ++i) {
            const MPlug element = inputs.elementByPhysicalIndex(i);
            const MObject shape = sourceNode(element.child(0));
            if (shape.isNull() || !shape.hasFn(MFn::kDagNode))
                continue;
            if (MFnDagNode(shape).partialPathName() == drawn)
                return resolve(element.child(1), drawnPath, depth + 1);
        }
    }
    return resolve(fn.findPlug("default"), drawnPath, depth + 1);
}

ChannelSource resolve(const MPlug& plug, const MDagPath& drawnPath, int depth) {
    const MObject source = sourceNode(plug);
    if (source.isNull())
        return constantOf(plug);
    if (source.hasFn(MFn::kFileTexture)) {
        ChannelSource texture;
        texture.kind = ChannelSource::kTexture;
        texture.textureNode = source;
        return texture;
    }
    if (depth >= kMaxSwitchDepth)
        return constantOf(plug);
    return resolveSwitch(source, drawnPath, depth);
}

} // namespace

ChannelSource resolveChannelPlug(const MPlug& colorPlug, const MDagPath& drawnPath) {
    return resolve(colorPlug, drawnPath, 0);
}

ChannelSource resolveChannel(const MObject& shaderNode, const char* attributeName,
                             const MDagPath& drawnPath) {
    return resolveChannelPlug(MFnDependencyNode(shaderNode).findPlug(attributeName), drawnPath);
}

} // namespace vx
