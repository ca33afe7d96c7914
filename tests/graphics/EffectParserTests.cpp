// The effect file reader: structure of a good file and a clear, located reason for bad ones.
#include "tests/Shared/Base/TestLogCapture.h"

#include <vornexgfx/EffectSource.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace vornexgfx;
using namespace std::string_literals;

TEST(EffectParser, ReadsTechniquesPassesCodeAndSamplers) {
    // Two techniques; the first's passes hold their code blocks on lines 6-7, 10, 14 and 17;
    // line 5 ends in blanks after its '<<'.
    const std::string text =
        vx::test::readWholeFile(VORNEX_TEST_DATA_DIR "/graphics/two_techniques.fx");
    EffectSource source;
    std::string error;
    ASSERT_TRUE(parseEffect(text, "a.fx", source, error)) << error;
    ASSERT_EQ(source.techniques.size(), 2u);
    const EffectTechnique& first = source.techniques[0];
    ASSERT_EQ(first.passes.size(), 2u);
    const auto& p0 = first.passes[0];
    const auto& p1 = first.passes[1];
    EXPECT_EQ(p0.vertex.code, "void main() { gl_Position = vec4(0.0); }\n"
                              "  uint x = 1u >> 1; // not a closing line\n");
    EXPECT_EQ(std::tie(first.name, first.line, p0.name, p0.line, p0.vertex.firstLine,
                       p0.fragment.code, p0.fragment.firstLine, p1.fragment.code, p1.vertex.code,
                       p1.vertex.firstLine, source.techniques[1].passes[0].vertex.code),
              std::make_tuple("First", 3, "P0", 4, 6, "F\n", 10, "G\n", "V\n", 17, ""));
    ASSERT_EQ(source.samplers.size(), 1u);
    const auto& sampler = source.samplers[0];
    EXPECT_EQ(std::tie(sampler.name, sampler.filter, sampler.address),
              std::make_tuple("src", SamplerFilter::Point, SamplerAddress::Wrap));
}

TEST(EffectParser, RejectsBadFilesNamingFileAndLine) {
    const std::string pass = "pass P { vertex <<\n>>\nfragment <<\n>>\n}";
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"", "e.fx(1): the file defines no technique"},
        {"// nothing\n\n", "e.fx(3): the file defines no technique"},
        {"shader X {}", "e.fx(1): expected 'technique' or 'sampler', found 'shader'"},
        {"technique {", "e.fx(1): expected a technique name, found '{'"},
        {"technique T\n{\n}", "e.fx(1): technique 'T' has no pass"},
        {"technique T { " + pass + " }\ntechnique T { " + pass + " }",
         "e.fx(6): technique 'T' is defined twice"},
        {"technique T { " + pass + "\n" + pass + " }",
         "e.fx(6): pass 'P' is defined twice in technique 'T'"},
        {"technique T {\n pass P { vertex <<\n>>\n }\n}",
         "e.fx(2): pass 'P' of technique 'T' has no fragment block"},
        {"technique T { pass P { vertex <<\n>>\nvertex <<\n>> } }",
         "e.fx(3): pass 'P' has two vertex blocks"},
        {"technique T { pass P { geometry <<\n>> } }",
         "e.fx(1): expected 'vertex', 'fragment' or '}', found 'geometry'"},
        {"technique T { pass P { vertex << code\n>> } }",
         "e.fx(1): '<<' must end its line; the code starts on the next one"},
        {"technique T { pass P {\n vertex <<\nvoid main() {}\n >>x\n",
         "e.fx(2): the code block opened here is never closed by a '>>' line"},
        {"technique T { pass P { vertex <<\n>>\nfragment <<\n>>\n",
         "e.fx(5): expected 'vertex', 'fragment' or '}', found the end of the file"},
        {"technique T { pass P { vertex <<\n\0\n>>\nfragment <<\n>> } }"s,
         "e.fx(3): the code block holds a zero byte"},
        {"technique T \x01", "e.fx(1): expected '{', found byte 0x01"},
        {"sampler s fuzzy clamp;", "e.fx(1): unknown filter 'fuzzy' (linear or point)"},
        {"sampler s point edge;", "e.fx(1): unknown address mode 'edge' (clamp, wrap or mirror)"},
        {"sampler s point clamp\n", "e.fx(2): expected ';', found the end of the file"},
        {"sampler s point clamp;\nsampler s linear wrap;",
         "e.fx(2): sampler 's' is described twice"},
        {"technique " + std::string(65, 'n') + " {}",
         "e.fx(1): a name is longer than 64 characters"},
        {"technique 9T {}", "e.fx(1): expected a technique name, found '9'"},
    };
    for (const Case& c : cases) {
        EffectSource source;
        std::string error;
        EXPECT_FALSE(parseEffect(c.text, "e.fx", source, error)) << c.error;
        EXPECT_EQ(error, c.error);
        EXPECT_TRUE(source.techniques.empty()) << c.error;
    }
    // Limits stop a hostile file from growing the structures without bound.
    std::string many;
    for (int i = 0; i < 65; ++i)
        many += "technique T" + std::to_string(i) + " { " + pass + " }\n";
    EffectSource source;
    std::string error;
    EXPECT_FALSE(parseEffect(many, "e.fx", source, error));
    EXPECT_EQ(error, "e.fx(321): more than 64 techniques");
    EXPECT_FALSE(parseEffect(std::string(kMaxEffectFileBytes + 1, ' '), "e.fx", source, error));
    EXPECT_EQ(error, "e.fx(1): the file is larger than 1048576 bytes");
}

} // namespace
