// Effect files of the graphics device come from disk: any text must parse or fail with a
// located reason, never crash, hang or grow without bound.
#include <vornexgfx/EffectSource.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vornexgfx::EffectSource source;
    std::string error;
    if (vornexgfx::parseEffect(text, "f.fx", source, error)) {
        // A parsed file has techniques, each with passes, each pass with code that came from it.
        if (source.techniques.empty())
            __builtin_trap();
        for (const auto& technique : source.techniques) {
            if (technique.passes.empty())
                __builtin_trap();
            for (const auto& pass : technique.passes)
                if (pass.vertex.code.size() > size || pass.fragment.code.size() > size)
                    __builtin_trap();
        }
    } else if (error.rfind("f.fx(", 0) != 0 || !source.techniques.empty()) {
        __builtin_trap();
    }
    return 0;
}
