// Feeds arbitrary bytes to the Maya ASCII loader, then evaluates what loaded: transforms'
// matrices and animation curves, which read the loaded values back.
#include <vornexhost/AnimCurve.h>
#include <vornexhost/Evaluator.h>
#include <vornexhost/MaLoader.h>
#include <vornexhost/Scene.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornexhost::Scene scene;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vornexhost::MaLoadResult result = vornexhost::loadMayaAscii(scene, "fuzz.ma", text);
    if (!result.ok)
        return 0;
    for (const auto& node : scene.nodes()) {
        if (node->hasFn(MFn::kTransform))
            (void)vornexhost::localMatrix(*node, 0.5);
        if (node->hasFn(MFn::kAnimCurve))
            (void)vornexhost::evaluateAnimCurve(vornexhost::readAnimCurve(*node), 0.5);
    }
    return 0;
}
