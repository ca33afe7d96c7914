#pragma once
// A count of changes to stored values, dynamic attributes, connections, names and the DAG of
// any scene. Results computed from the scene (evaluated meshes) stay valid while it is unchanged.
#include <cstdint>

namespace vornexhost {

std::uint64_t sceneRevision();
// Called by every path that changes what an evaluation could read.
void touchScene();

} // namespace vornexhost
