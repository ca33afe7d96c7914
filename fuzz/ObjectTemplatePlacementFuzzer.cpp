// The object template script reading of `vornex convert --con` on arbitrary text: beyond the
// sanitizers (and the fuzzer's hang detection, since a script's templates may refer to each
// other in circles) it checks that a rejected script says why.
#include "tools/convert/ObjectTemplatePlacement.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    std::map<unsigned, vx::Matrix> parts;
    std::string error;
    if (!vx::convert::readPartPlacement(script, parts, error) && error.empty()) {
        std::fprintf(stderr, "a rejected script without a reason\n");
        std::abort();
    }
    return 0;
}
