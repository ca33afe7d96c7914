#pragma once
// Attribute paths as scene files and MEL write them: "t", "tx", "iog[0].og[2].gcl",
// "wl[0:7].w", "vt[3]".
#include <vornexhost/PlugAddress.h>

#include <string>
#include <string_view>

namespace vornexhost {

struct ResolvedPlug {
    PlugAddress plug;
    // A range "[first:last]" at one array level: the index in plug.indices that it replaces.
    int rangeLevel = -1;
    std::uint32_t rangeFirst = 0;
    std::uint32_t rangeLast = 0;
    // An instanced attribute named without an index: the level given element 0, which a
    // caller that knows the DAG path replaces with the path's instance number.
    int instanceLevel = -1;
};

// Resolves `path` on `node`. With `create`, names the node does not have become dynamic
// attributes (arrays where an index follows, compounds where a child follows), as for a
// generic node; static compounds never gain children. Fails with a reason in `error`.
bool resolvePlugPath(Node& node, std::string_view path, bool create, ResolvedPlug& out,
                     std::string& error);

} // namespace vornexhost
