// Feeds arbitrary bytes to the Maya ASCII loader, then evaluates what loaded: transforms'
// matrices and animation curves, which read the loaded values back. Inputs with an odd first
// byte have every run of values read in pieces on several threads; when any was, the text is
// loaded again on one thread and both loads must agree.
#include "tests/host/StoredValues.h"

#include <vornexhost/AnimCurve.h>
#include <vornexhost/Evaluator.h>
#include <vornexhost/MaLoader.h>
#include <vornexhost/MaValueRuns.h>
#include <vornexhost/Scene.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace {

struct Load {
    vornexhost::Scene scene;
    vornexhost::MaLoadResult result;
};

void load(Load& out, std::string_view text, const vornexhost::ValueRunSplit& split) {
    vornexhost::setValueRunSplit(split);
    out.result = vornexhost::loadMayaAscii(out.scene, "fuzz.ma", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vornexhost::ValueRunSplit oneThread{std::numeric_limits<std::size_t>::max(), 1};
    const bool split = size > 0 && (data[0] & 1) != 0;
    const std::uint64_t before = vornexhost::valueRunsSplit();
    Load first;
    load(first, text, split ? vornexhost::ValueRunSplit{1, 2u + data[0] % 3u} : oneThread);
    if (vornexhost::valueRunsSplit() != before) {
        Load again;
        load(again, text, oneThread);
        if (again.result.ok != first.result.ok || again.result.error != first.result.error ||
            again.result.warnings != first.result.warnings ||
            (first.result.ok && vornexhost::test::storedValues(again.scene) !=
                                    vornexhost::test::storedValues(first.scene)))
            std::abort(); // pieces and one thread disagree
    }
    if (!first.result.ok)
        return 0;
    for (const auto& node : first.scene.nodes()) {
        if (node->hasFn(MFn::kTransform))
            (void)vornexhost::localMatrix(*node, 0.5);
        if (node->hasFn(MFn::kAnimCurve))
            (void)vornexhost::evaluateAnimCurve(vornexhost::readAnimCurve(*node), 0.5);
    }
    return 0;
}
