#pragma once
// Conversions between the host API's handles and the stand-in's objects.
#include <maya/MObject.h>

namespace vornexhost {

class Node;
class Attribute;

Node* nodeOf(const MObject& object);
Attribute* attributeOf(const MObject& object);
MObject objectOf(const Node* node);
MObject objectOf(const Attribute* attribute);
// The active scene's current time in seconds.
double sceneTime();

} // namespace vornexhost
