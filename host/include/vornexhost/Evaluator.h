#pragma once
// Plug values as the scene computes them at a time: connections are followed to their
// source, animation curves and unit conversions evaluated, and matrices composed.
#include <vornexhost/DagPaths.h>
#include <vornexhost/PlugAddress.h>

#include <maya/MMatrix.h>
#include <maya/MTransformationMatrix.h>

#include <memory>

namespace vornexhost {

class Data;

// The plug feeding `plug`, directly or through a connected compound parent; null if none.
PlugAddress sourceOf(const PlugAddress& plug);

// Numbers in internal units; `time` in seconds.
double evalNumber(const PlugAddress& plug, double time);
std::shared_ptr<const Data> evalData(const PlugAddress& plug, double time,
                                     std::uint32_t* part = nullptr);
// A matrix-valued plug (matrix data or a computed matrix); false when it holds no matrix.
bool evalMatrix(const PlugAddress& plug, double time, MMatrix& out);

// A transform's or joint's components from its attributes at `time`.
MTransformationMatrix transformationOf(const Node& node, double time);
// The node's matrix relative to its parent: the transformation composed, for joints
// S * scaleOrient * R * jointOrient * inverseParentScale * T.
MMatrix localMatrix(const Node& node, double time);
// Local matrices multiplied from the leaf up; a node with inheritsTransform off stops there.
MMatrix worldMatrix(const NodePath& path, double time);

// A number plug of `node` by attribute name, evaluated (0 when there is no such attribute).
double nodeNumber(const Node& node, const char* attribute, double time);

} // namespace vornexhost
