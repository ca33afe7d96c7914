#pragma once
// The CgFX stand-in's answers about a cgfxShader node, from the effect file its "shader"
// attribute names.
#include <vornexhost/EffectFile.h>

#include <string>

namespace vornexhost {

class Node;

// Reads the effect of a cgfxShader node: the path as written, beside the scene file, or by
// name on the VORNEX_CGFX_PATH search path. False with a reason naming the node and the path.
bool loadNodeEffect(const Node& shader, EffectFile& effect, std::string& error);

} // namespace vornexhost
