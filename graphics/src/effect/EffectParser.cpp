// Effect files of the graphics stand-in: techniques of passes, each pass holding OpenGL
// shading language code (GLSL 3.30, core) for its vertex and fragment stages.
//
//     // Comments run from two slashes to the end of the line (outside code blocks).
//     sampler texParam point wrap;      // optional: filter linear|point, address clamp|wrap|mirror
//     technique TransformTanToObj {
//         pass P0 {
//             vertex <<
//                 in vec4 POSITION0;
//                 void main() { gl_Position = POSITION0; }
//             >>
//             fragment <<
//                 uniform sampler2D texParam;
//                 out vec4 colour;
//                 void main() { colour = vec4(1.0); }
//             >>
//         }
//     }
//
// Names are letters, digits and underscores, not starting with a digit, up to 64 characters.
// A code block opens with "<<" at the end of a line and closes at the first line whose only
// content is ">>"; the lines between are the stage's code, compiled with "#version 330 core"
// (and the effect's defines) in front, so compiler messages carry the file's line numbers.
// Every pass has one vertex and one fragment block. Technique names are unique in the file and
// pass names unique in their technique. Samplers without a sampler line filter linearly and
// clamp to the edge.
#include "vornexgfx/EffectSource.h"

#include <algorithm>
#include <cstdio>

namespace vornexgfx {
namespace {

constexpr std::size_t kMaxName = 64;
constexpr std::size_t kMaxTechniques = 64;
constexpr std::size_t kMaxPasses = 16;
constexpr std::size_t kMaxSamplers = 32;

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9');
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

class Parser {
public:
    Parser(std::string_view text, std::string_view path, std::string& error)
        : m_text(text), m_path(path), m_error(error) {}

    bool file(EffectSource& out) {
        if (m_text.size() > kMaxEffectFileBytes)
            return fail("the file is larger than " + std::to_string(kMaxEffectFileBytes) +
                        " bytes");
        for (;;) {
            if (!skipSpace())
                return false;
            if (atEnd())
                break;
            const int line = m_line;
            std::string keyword;
            if (!name(keyword, "'technique' or 'sampler'"))
                return false;
            if (keyword == "technique") {
                if (!technique(out, line))
                    return false;
            } else if (keyword == "sampler") {
                if (!sampler(out))
                    return false;
            } else {
                m_line = line;
                return fail("expected 'technique' or 'sampler', found '" + keyword + "'");
            }
        }
        if (out.techniques.empty())
            return fail("the file defines no technique");
        return true;
    }

private:
    bool atEnd() const { return m_at >= m_text.size(); }

    bool fail(const std::string& reason) {
        m_error = std::string(m_path) + "(" + std::to_string(m_line) + "): " + reason;
        return false;
    }

    // Skips blanks, line ends and comments; fails on bytes that cannot start a token.
    bool skipSpace() {
        while (!atEnd()) {
            const char c = m_text[m_at];
            if (c == '\n') {
                ++m_line;
                ++m_at;
            } else if (isBlank(c)) {
                ++m_at;
            } else if (c == '/' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '/') {
                while (!atEnd() && m_text[m_at] != '\n')
                    ++m_at;
            } else {
                return true;
            }
        }
        return true;
    }

    std::string describeNext() const {
        if (atEnd())
            return "the end of the file";
        const auto c = static_cast<unsigned char>(m_text[m_at]);
        if (c >= 32 && c < 127)
            return std::string("'") + static_cast<char>(c) + "'";
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", c);
        return std::string("byte ") + code;
    }

    bool name(std::string& out, const char* what) {
        if (!skipSpace())
            return false;
        if (atEnd() || !isNameStart(m_text[m_at]))
            return fail(std::string("expected ") + what + ", found " + describeNext());
        const std::size_t start = m_at;
        while (!atEnd() && isNameChar(m_text[m_at]))
            ++m_at;
        if (m_at - start > kMaxName)
            return fail("a name is longer than " + std::to_string(kMaxName) + " characters");
        out.assign(m_text.substr(start, m_at - start));
        return true;
    }

    bool punctuation(char c) {
        if (!skipSpace())
            return false;
        if (atEnd() || m_text[m_at] != c)
            return fail(std::string("expected '") + c + "', found " + describeNext());
        ++m_at;
        return true;
    }

    bool peek(char c) { return skipSpace() && !atEnd() && m_text[m_at] == c; }

    bool sampler(EffectSource& out) {
        EffectSampler s;
        std::string filter;
        std::string address;
        if (!name(s.name, "a sampler name") || !name(filter, "a filter (linear or point)"))
            return false;
        if (filter == "linear")
            s.filter = SamplerFilter::Linear;
        else if (filter == "point")
            s.filter = SamplerFilter::Point;
        else
            return fail("unknown filter '" + filter + "' (linear or point)");
        if (!name(address, "an address mode (clamp, wrap or mirror)"))
            return false;
        if (address == "clamp")
            s.address = SamplerAddress::Clamp;
        else if (address == "wrap")
            s.address = SamplerAddress::Wrap;
        else if (address == "mirror")
            s.address = SamplerAddress::Mirror;
        else
            return fail("unknown address mode '" + address + "' (clamp, wrap or mirror)");
        if (!punctuation(';'))
            return false;
        const bool known = std::any_of(out.samplers.begin(), out.samplers.end(),
                                       [&](const EffectSampler& o) { return o.name == s.name; });
        if (known)
            return fail("sampler '" + s.name + "' is described twice");
        if (out.samplers.size() == kMaxSamplers)
            return fail("more than " + std::to_string(kMaxSamplers) + " samplers");
        out.samplers.push_back(std::move(s));
        return true;
    }

    bool technique(EffectSource& out, int line) {
        EffectTechnique t;
        t.line = line;
        if (!name(t.name, "a technique name"))
            return false;
        for (const EffectTechnique& other : out.techniques)
            if (other.name == t.name)
                return fail("technique '" + t.name + "' is defined twice");
        if (out.techniques.size() == kMaxTechniques)
            return fail("more than " + std::to_string(kMaxTechniques) + " techniques");
        if (!punctuation('{'))
            return false;
        for (;;) {
            if (!skipSpace())
                return false;
            if (peek('}')) {
                ++m_at;
                break;
            }
            const int passLine = m_line;
            std::string keyword;
            if (!name(keyword, "'pass' or '}'"))
                return false;
            if (keyword != "pass") {
                m_line = passLine;
                return fail("expected 'pass' or '}', found '" + keyword + "'");
            }
            if (!pass(t, passLine))
                return false;
        }
        if (t.passes.empty()) {
            m_line = line;
            return fail("technique '" + t.name + "' has no pass");
        }
        out.techniques.push_back(std::move(t));
        return true;
    }

    bool pass(EffectTechnique& t, int line) {
        EffectPass p;
        p.line = line;
        if (!name(p.name, "a pass name"))
            return false;
        for (const EffectPass& other : t.passes)
            if (other.name == p.name)
                return fail("pass '" + p.name + "' is defined twice in technique '" + t.name + "'");
        if (t.passes.size() == kMaxPasses)
            return fail("technique '" + t.name + "' has more than " + std::to_string(kMaxPasses) +
                        " passes");
        if (!punctuation('{'))
            return false;
        bool hasVertex = false;
        bool hasFragment = false;
        for (;;) {
            if (!skipSpace())
                return false;
            if (peek('}')) {
                ++m_at;
                break;
            }
            const int stageLine = m_line;
            std::string stage;
            if (!name(stage, "'vertex', 'fragment' or '}'"))
                return false;
            bool* seen = stage == "vertex"     ? &hasVertex
                         : stage == "fragment" ? &hasFragment
                                               : nullptr;
            if (!seen) {
                m_line = stageLine;
                return fail("expected 'vertex', 'fragment' or '}', found '" + stage + "'");
            }
            if (*seen)
                return fail("pass '" + p.name + "' has two " + stage + " blocks");
            *seen = true;
            if (!codeBlock(stage == "vertex" ? p.vertex : p.fragment))
                return false;
        }
        if (!hasVertex || !hasFragment) {
            m_line = line;
            return fail("pass '" + p.name + "' of technique '" + t.name + "' has no " +
                        (hasVertex ? "fragment" : "vertex") + " block");
        }
        t.passes.push_back(std::move(p));
        return true;
    }

    bool codeBlock(EffectStage& stage) {
        if (!skipSpace())
            return false;
        if (m_text.substr(m_at, 2) != "<<")
            return fail("expected '<<', found " + describeNext());
        m_at += 2;
        while (!atEnd() && isBlank(m_text[m_at]))
            ++m_at;
        if (!atEnd() && m_text[m_at] != '\n')
            return fail("'<<' must end its line; the code starts on the next one");
        const int openLine = m_line;
        if (!atEnd()) {
            ++m_at;
            ++m_line;
        }
        stage.firstLine = m_line;
        const std::size_t start = m_at;
        while (!atEnd()) {
            const std::size_t lineStart = m_at;
            std::size_t lineEnd = m_text.find('\n', m_at);
            if (lineEnd == std::string_view::npos)
                lineEnd = m_text.size();
            std::string_view content = m_text.substr(lineStart, lineEnd - lineStart);
            while (!content.empty() && isBlank(content.front()))
                content.remove_prefix(1);
            while (!content.empty() && isBlank(content.back()))
                content.remove_suffix(1);
            if (content == ">>") {
                stage.code.assign(m_text.substr(start, lineStart - start));
                if (stage.code.find('\0') != std::string::npos)
                    return fail("the code block holds a zero byte");
                m_at = lineEnd;
                return true;
            }
            m_at = lineEnd;
            if (!atEnd()) {
                ++m_at;
                ++m_line;
            }
        }
        m_line = openLine;
        return fail("the code block opened here is never closed by a '>>' line");
    }

    std::string_view m_text;
    std::string_view m_path;
    std::string& m_error;
    std::size_t m_at = 0;
    int m_line = 1;
};

} // namespace

bool parseEffect(std::string_view text, std::string_view path, EffectSource& out,
                 std::string& error) {
    out = EffectSource{};
    Parser parser(text, path, error);
    if (parser.file(out))
        return true;
    out = EffectSource{};
    return false;
}

} // namespace vornexgfx
