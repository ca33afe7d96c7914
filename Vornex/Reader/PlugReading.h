#pragma once
// Small plug queries shared by the material and texture readers.
#include <maya/MFnDependencyNode.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>

namespace vx {

// The node of the plug's first source, or a null object when nothing drives the plug. A
// failing query throws VornexException(failure + plug name + ">", status).
MObject sourceNodeOf(const MPlug& plug, const char* failure);

// The dependency node function set on `node`; when it cannot be attached, throws
// VornexException(failure + the node's host type name + ">", status).
MFnDependencyNode attachNode(const MObject& node, const char* failure);

// The child of a compound plug whose attribute has the long name `name`, or a null plug.
MPlug childNamed(const MPlug& parent, const char* name);

} // namespace vx
