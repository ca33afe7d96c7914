#include "Vornex/Reader/PlugReading.h"

#include "Vornex/VornexException.h"

#include <maya/MFnAttribute.h>
#include <maya/MPlugArray.h>

#include <string>

namespace vx {

MObject sourceNodeOf(const MPlug& plug, const char* failure) {
    MPlugArray sources;
    MStatus status;
    plug.connectedTo(sources, true, false, &status);
    if (!status)
        throw VornexException(failure + std::string(plug.name().asChar()) + ">", __LINE__, status);
    return sources.length() == 0 ? MObject() : sources[0].node();
}

MFnDependencyNode attachNode(const MObject& node, const char* failure) {
    MStatus status;
    MFnDependencyNode fn(node, &status);
    if (!status)
        throw VornexException(failure + std::string(node.apiTypeStr()) + ">", __LINE__, status);
    return fn;
}

MPlug childNamed(const MPlug& parent, const char* name) {
    for (unsigned i = 0; i < parent.numChildren(); ++i) {
        const MPlug child = parent.child(i);
        if (MFnAttribute(child.attribute()).name() == name)
            return child;
    }
    return MPlug();
}

} // namespace vx
