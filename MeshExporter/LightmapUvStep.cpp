#include "MeshExporter/LightmapUvStep.h"
// TEMPORARY SHIM
namespace vx {
bool createLightmapUvs(std::vector<MaterialTriangles>&, std::uint32_t&, std::uint32_t, int, int,
                       const std::string&) {
    return true;
}
} // namespace vx
