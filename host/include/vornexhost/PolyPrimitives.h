#pragma once
// The polygon primitive creators of construction history (polyCube, polyPlane, polySphere,
// polyCylinder): their output mesh in the host's vertex order, face order and UV layout.
#include <vornexhost/MeshGeometry.h>

#include <string>

namespace vornexhost {

class Node;

bool isPolyCreator(const Node& node);

// Builds the creator's output from its attributes (without topology). False with `error` for
// settings the stand-in does not generate.
bool createPolyPrimitive(const Node& creator, MeshGeometry& out, std::string& error);

} // namespace vornexhost
