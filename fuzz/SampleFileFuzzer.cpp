// The sample file reader of `vornex info` on arbitrary bytes: it must refuse or accept without
// reading out of bounds, and whatever it accepts must print.
#include "tools/info/SampleFileInfo.h"
#include "tools/info/SampleFileReader.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vx::info::SampleFileContents contents;
    std::string error;
    if (vx::info::readSampleFile(data, size, contents, error)) {
        std::ostringstream out;
        vx::info::printSampleSummary(contents, out);
    } else if (error.empty()) {
        __builtin_trap(); // a refusal always says why
    }
    return 0;
}
