#pragma once
// The naming conventions of the scene are found by case-insensitive prefix searches over
// scene graph subtrees.
#include <string_view>

namespace vx {

class SceneNode;

// What the artist reads when no root names a known export type.
inline constexpr const char* kMissingRootMessage =
    "export type not found, possible missing root_XXXXXXXX node in Maya scene";

// The first node, in a depth-first pre-order walk of `node` and its descendants (children in
// their stored order), whose name begins with `text` ignoring case; null when none does. A
// search for "geom1" also finds "geom10" if it comes first.
SceneNode* findNodeByPrefix(SceneNode* node, std::string_view text);
// findNodeByPrefix with `prefix` followed by `number` in decimal ("lod" and 2: "lod2").
SceneNode* findChildNumbered(SceneNode* node, std::string_view prefix, int number);
// The first node of the walk named "root_" followed by an export type name (both ignoring
// case); sets currentExportType() to that type. Every "root_" node met on the way with an
// unknown type name sets it to kNoExportType. Null when there is no such node.
SceneNode* findRoot(SceneNode* node);

} // namespace vx
