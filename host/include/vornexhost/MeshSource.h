#pragma once
// Where a mesh shape's geometry comes from: the data stored on the shape, or the shape's
// construction history upstream of "inMesh", with the shape's own point tweaks on top.
#include <vornexhost/MeshGeometry.h>

#include <maya/MObject.h>

#include <memory>
#include <string>
#include <vector>

namespace vornexhost {

class Node;
class Scene;

// Reads the mesh data a scene file stores on a mesh shape (points, edges, faces, UV and colour
// sets, locked normals), without tweaks and without topology. False with `error` when the data
// contradict themselves. `chainedLoops` counts the face loops whose edge signs disagreed with
// the edges' directions and whose corners were derived from shared vertices instead.
bool readStoredMesh(const Node& shape, MeshGeometry& out, std::string& error,
                    std::uint32_t* chainedLoops = nullptr);

// Adds the shape's point tweaks ("pnts") to the points.
void applyPointTweaks(const Node& shape, MeshGeometry& mesh);

// The geometry of a mesh shape with adjacency and normals. History that the stand-in cannot
// evaluate, and malformed data, give a warning naming the node and an empty mesh.
std::shared_ptr<const MeshGeometry> evaluateMesh(const Node& shape);
// The same for a handle: null unless it is a mesh shape.
std::shared_ptr<const MeshGeometry> evaluateMesh(const MObject& shape);

// Evaluates the mesh shapes side by side, so that a reader asking for them one after the other
// (a loaded scene's exporter) finds them built. What a shape's evaluation warns about waits for
// the shape's first request, where evaluating it then would have told it.
void evaluateMeshesAhead(const std::vector<const Node*>& shapes);
// The scene's mesh shapes, in node order: what a loaded scene evaluates ahead.
std::vector<const Node*> meshShapes(const Scene& scene);

} // namespace vornexhost
