#pragma once
// An effect file as read from its text, before any compiling: techniques of passes, each pass
// with its vertex and fragment code, and the sampler states the file names. The syntax is
// described at the top of graphics/src/effect/EffectParser.cpp.
#include <string>
#include <string_view>
#include <vector>

namespace vornexgfx {

enum class SamplerFilter { Linear, Point };
enum class SamplerAddress { Clamp, Wrap, Mirror };

struct EffectStage {
    std::string code;
    int firstLine = 0; // the file line the code's first line is on
};

struct EffectPass {
    std::string name;
    int line = 0;
    EffectStage vertex;
    EffectStage fragment;
};

struct EffectTechnique {
    std::string name;
    int line = 0;
    std::vector<EffectPass> passes;
};

struct EffectSampler {
    std::string name; // the sampler2D uniform it applies to
    SamplerFilter filter = SamplerFilter::Linear;
    SamplerAddress address = SamplerAddress::Clamp;
};

struct EffectSource {
    std::vector<EffectTechnique> techniques;
    std::vector<EffectSampler> samplers;
};

// Largest effect file read, in bytes.
inline constexpr std::size_t kMaxEffectFileBytes = 1 << 20;

// Parses an effect file's text. On failure returns false with "path(line): reason" in `error`
// (path as given, for messages only).
bool parseEffect(std::string_view text, std::string_view path, EffectSource& out,
                 std::string& error);

} // namespace vornexgfx
