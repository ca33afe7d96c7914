#pragma once
// Finding the skin cluster that deforms a mesh shape.
class MPlug;

namespace vx {

// Searches upstream of `plug` (a shape's "inMesh") for a skin cluster: the first source of
// the plug, or, when that is another node, upstream of each of that node's connected plugs in
// turn, at most five levels deep. On success `cluster` is the plug whose node is the cluster.
bool findSkinCluster(const MPlug& plug, unsigned depth, MPlug& cluster);

} // namespace vx
