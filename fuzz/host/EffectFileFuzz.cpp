// Effect files come from artists' machines and shader folders: any bytes must parse or fail
// with an error, never crash or hang.
#include <vornexhost/EffectFile.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    vornexhost::EffectFile effect;
    std::string error;
    if (vornexhost::EffectFile::parse(source, "fuzz.fx", effect, error)) {
        for (const vornexhost::EffectParameter& parameter : effect.parameters())
            if (parameter.name.empty() || parameter.type.empty())
                __builtin_trap();
    } else if (error.rfind("fuzz.fx:", 0) != 0) {
        __builtin_trap();
    }
    return 0;
}
