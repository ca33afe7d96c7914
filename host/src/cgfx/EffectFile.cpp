#include <vornexhost/EffectFile.h>

#include "Shared/Base/File/FileReads.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vornexhost {
namespace {

enum class TokenKind { End, Identifier, Number, String, Punct };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;
    int line = 1;
};

// Thrown inside the parser only; parse() turns it into its error text.
struct ParseError {
    int line;
    std::string reason;
};

bool isIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool isIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Splits effect source into tokens, dropping whitespace, comments and preprocessor lines.
class Lexer {
public:
    explicit Lexer(std::string_view source) : m_source(source) {}

    Token next() {
        skipBlank();
        Token token;
        token.line = m_line;
        if (m_at >= m_source.size())
            return token;
        const std::size_t start = m_at;
        const char c = m_source[m_at];
        if (isIdentStart(c)) {
            while (m_at < m_source.size() && isIdentChar(m_source[m_at]))
                ++m_at;
            token.kind = TokenKind::Identifier;
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '.' && m_at + 1 < m_source.size() &&
                    std::isdigit(static_cast<unsigned char>(m_source[m_at + 1])))) {
            while (m_at < m_source.size() &&
                   (isIdentChar(m_source[m_at]) || m_source[m_at] == '.' ||
                    ((m_source[m_at] == '-' || m_source[m_at] == '+') &&
                     (m_source[m_at - 1] == 'e' || m_source[m_at - 1] == 'E'))))
                ++m_at;
            token.kind = TokenKind::Number;
        } else if (c == '"') {
            ++m_at;
            while (m_at < m_source.size() && m_source[m_at] != '"') {
                if (m_source[m_at] == '\n')
                    throw ParseError{token.line, "unterminated string"};
                if (m_source[m_at] == '\\')
                    ++m_at;
                ++m_at;
            }
            if (m_at >= m_source.size())
                throw ParseError{token.line, "unterminated string"};
            ++m_at;
            token.kind = TokenKind::String;
            token.text = m_source.substr(start + 1, m_at - start - 2);
            return token;
        } else {
            ++m_at;
            token.kind = TokenKind::Punct;
        }
        token.text = m_source.substr(start, m_at - start);
        return token;
    }

private:
    void skipBlank() {
        bool lineStart = m_at == 0 || m_source[m_at - 1] == '\n';
        while (m_at < m_source.size()) {
            const char c = m_source[m_at];
            if (c == '\n') {
                ++m_line;
                ++m_at;
                lineStart = true;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_at;
            } else if (c == '#' && lineStart) {
                skipPreprocessorLine();
            } else if (m_source.substr(m_at, 2) == "//") {
                while (m_at < m_source.size() && m_source[m_at] != '\n')
                    ++m_at;
            } else if (m_source.substr(m_at, 2) == "/*") {
                const int startLine = m_line;
                const auto close = m_source.find("*/", m_at + 2);
                if (close == std::string_view::npos)
                    throw ParseError{startLine, "unterminated comment"};
                m_line += static_cast<int>(
                    std::count(m_source.begin() + static_cast<std::ptrdiff_t>(m_at),
                               m_source.begin() + static_cast<std::ptrdiff_t>(close), '\n'));
                m_at = close + 2;
            } else {
                return;
            }
        }
    }

    // A directive runs to the end of the line; a backslash before the line end continues it.
    void skipPreprocessorLine() {
        while (m_at < m_source.size() && m_source[m_at] != '\n') {
            if (m_source[m_at] == '\\' && m_at + 1 < m_source.size() &&
                m_source[m_at + 1] == '\n') {
                ++m_line;
                ++m_at;
            }
            ++m_at;
        }
    }

    std::string_view m_source;
    std::size_t m_at = 0;
    int m_line = 1;
};

struct Declaration {
    EffectParameter parameter;
    std::string declaredType;
    std::string textureReference; // from sampler_state { Texture = <name>; }
};

bool isSamplerOrTexture(std::string_view type) {
    return type.substr(0, 7) == "sampler" || type.substr(0, 7) == "texture";
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The host's texture type for a sampler or texture, from its dimension and what its semantic
// and resource annotations say it holds.
std::string textureTypeName(const std::string& declaredType, const EffectParameter& hints) {
    std::string kind = upper(declaredType.substr(7)); // "2D", "CUBE", "" ...
    if (kind.empty()) {
        const auto resource = hints.annotations.find("ResourceType");
        kind = resource != hints.annotations.end() ? upper(resource->second) : "2D";
    }
    std::string usage = upper(hints.semantic);
    if (const auto type = hints.annotations.find("TextureType"); type != hints.annotations.end())
        usage += " " + upper(type->second);
    if (usage.find("NORMALIZ") != std::string::npos)
        return "NormalizationTexture";
    if (usage.find("NORMAL") != std::string::npos)
        return "NormalTexture";
    if (usage.find("BUMP") != std::string::npos)
        return "BumpTexture";
    if (usage.find("ENV") != std::string::npos || usage.find("REFLECT") != std::string::npos)
        return "EnvTexture";
    if (kind == "1D")
        return "Color1DTexture";
    if (kind == "3D")
        return "Color3DTexture";
    if (kind == "RECT")
        return "Color2DRectTexture";
    if (kind == "CUBE")
        return "CubeTexture";
    return "Color2DTexture";
}

class Parser {
public:
    explicit Parser(std::string_view source) : m_lexer(source) { advance(); }

    std::vector<Declaration> run() {
        while (m_token.kind != TokenKind::End)
            globalItem();
        return std::move(m_declarations);
    }

private:
    void advance() { m_token = m_lexer.next(); }

    bool isPunct(char c) const {
        return m_token.kind == TokenKind::Punct && m_token.text.size() == 1 && m_token.text[0] == c;
    }
    bool isWord(std::string_view word) const {
        return m_token.kind == TokenKind::Identifier && m_token.text == word;
    }
    [[noreturn]] void fail(const std::string& reason) const {
        throw ParseError{m_token.line, reason};
    }
    void expect(char c) {
        if (!isPunct(c))
            fail(std::string("expected '") + c + "'" + found());
        advance();
    }
    std::string found() const {
        if (m_token.kind == TokenKind::End)
            return " at the end of the file";
        return " before '" + std::string(m_token.text) + "'";
    }
    std::string identifier(const char* what) {
        if (m_token.kind != TokenKind::Identifier)
            fail(std::string("expected ") + what + found());
        std::string text(m_token.text);
        advance();
        return text;
    }

    // Skips a bracketed group starting at the current opening token, nesting included.
    void skipGroup(char open, char close) {
        const int startLine = m_token.line;
        int depth = 0;
        do {
            if (m_token.kind == TokenKind::End)
                throw ParseError{startLine, std::string("unbalanced '") + open + "'"};
            if (isPunct(open))
                ++depth;
            else if (isPunct(close))
                --depth;
            advance();
        } while (depth > 0);
    }

    void globalItem() {
        if (isPunct(';')) {
            advance();
        } else if (isWord("struct")) {
            advance();
            if (m_token.kind == TokenKind::Identifier)
                advance();
            if (isPunct('{'))
                skipGroup('{', '}');
            skipToSemicolon();
        } else if (isWord("technique") || isWord("technique10") || isWord("technique11") ||
                   isWord("pass")) {
            advance();
            if (m_token.kind == TokenKind::Identifier)
                advance();
            if (isPunct('<'))
                skipGroup('<', '>');
            if (!isPunct('{'))
                fail("expected '{'" + found());
            skipGroup('{', '}');
        } else if (isWord("typedef")) {
            skipToSemicolon();
        } else {
            declaration();
        }
    }

    void skipToSemicolon() {
        while (!isPunct(';')) {
            if (m_token.kind == TokenKind::End)
                fail("expected ';'" + found());
            if (isPunct('{'))
                skipGroup('{', '}');
            else if (isPunct('('))
                skipGroup('(', ')');
            else
                advance();
        }
        advance();
    }

    void declaration() {
        bool isStatic = false;
        static constexpr std::string_view qualifiers[] = {
            "uniform",  "static",    "const",        "extern", "shared",
            "volatile", "row_major", "column_major", "inline", "in"};
        while (m_token.kind == TokenKind::Identifier &&
               std::find(std::begin(qualifiers), std::end(qualifiers), m_token.text) !=
                   std::end(qualifiers)) {
            isStatic = isStatic || m_token.text == "static";
            advance();
        }
        const std::string type = identifier("a type");
        std::string name = identifier("a name");
        if (isPunct('(')) { // a function: its signature and body are not parameters
            skipGroup('(', ')');
            if (isPunct(':')) {
                advance();
                identifier("a semantic");
            }
            if (isPunct('{'))
                skipGroup('{', '}');
            else
                expect(';');
            return;
        }
        for (;;) {
            Declaration declaration;
            declaration.declaredType = type;
            declaration.parameter.name = name;
            declarator(declaration);
            if (!isStatic)
                m_declarations.push_back(std::move(declaration));
            if (isPunct(',')) {
                advance();
                name = identifier("a name");
                continue;
            }
            expect(';');
            return;
        }
    }

    void declarator(Declaration& declaration) {
        if (isPunct('['))
            skipGroup('[', ']');
        if (isPunct(':')) {
            advance();
            declaration.parameter.semantic = identifier("a semantic");
            if (isPunct('(')) // register(c0) and the like
                skipGroup('(', ')');
        }
        if (isPunct('<'))
            annotations(declaration.parameter);
        if (isPunct('=')) {
            advance();
            initializer(declaration);
        }
    }

    void annotations(EffectParameter& parameter) {
        expect('<');
        while (!isPunct('>')) {
            identifier("an annotation type");
            const std::string name = identifier("an annotation name");
            expect('=');
            std::string value;
            if (m_token.kind == TokenKind::String || m_token.kind == TokenKind::Number ||
                m_token.kind == TokenKind::Identifier) {
                value = std::string(m_token.text);
                advance();
            } else if (isPunct('{')) {
                skipGroup('{', '}');
            } else if (isPunct('-')) {
                advance();
                if (m_token.kind != TokenKind::Number)
                    fail("expected a number" + found());
                value = "-" + std::string(m_token.text);
                advance();
            } else {
                fail("expected an annotation value" + found());
            }
            expect(';');
            parameter.annotations[name] = value;
        }
        advance();
    }

    // Runs to the ',' or ';' that ends the declarator, noting a sampler's texture.
    void initializer(Declaration& declaration) {
        const int startLine = m_token.line;
        int depth = 0;
        while (depth > 0 || !(isPunct(',') || isPunct(';'))) {
            if (m_token.kind == TokenKind::End)
                throw ParseError{startLine, "unterminated initializer"};
            if (isPunct('{') || isPunct('('))
                ++depth;
            else if (isPunct('}') || isPunct(')'))
                --depth;
            if (depth < 0)
                fail("unbalanced '" + std::string(m_token.text) + "'");
            if (depth > 0 && isWord("Texture")) {
                advance();
                if (isPunct('=')) {
                    advance();
                    if (isPunct('<')) {
                        advance();
                        if (m_token.kind == TokenKind::Identifier)
                            declaration.textureReference = std::string(m_token.text);
                    }
                }
                continue;
            }
            advance();
        }
    }

    Lexer m_lexer;
    Token m_token;
    std::vector<Declaration> m_declarations;
};

} // namespace

bool isTextureTypeName(std::string_view type) {
    static constexpr std::string_view names[] = {
        "Color1DTexture",     "Color2DTexture", "Color3DTexture",
        "Color2DRectTexture", "NormalTexture",  "BumpTexture",
        "CubeTexture",        "EnvTexture",     "NormalizationTexture"};
    return std::find(std::begin(names), std::end(names), type) != std::end(names);
}

bool EffectFile::parse(std::string_view source, std::string_view name, EffectFile& out,
                       std::string& error) {
    std::vector<Declaration> declarations;
    try {
        declarations = Parser(source).run();
    } catch (const ParseError& failure) {
        error = std::string(name) + ":" + std::to_string(failure.line) + ": " + failure.reason;
        return false;
    }
    std::map<std::string, const Declaration*, std::less<>> byName;
    for (const Declaration& declaration : declarations)
        byName.emplace(declaration.parameter.name, &declaration);
    out.m_parameters.clear();
    for (Declaration& declaration : declarations) {
        EffectParameter& parameter = declaration.parameter;
        if (isSamplerOrTexture(declaration.declaredType)) {
            // A sampler without hints of its own takes them from the texture it samples.
            EffectParameter hints = parameter;
            if (!declaration.textureReference.empty() && hints.semantic.empty() &&
                hints.annotations.empty()) {
                if (const auto texture = byName.find(declaration.textureReference);
                    texture != byName.end()) {
                    hints.semantic = texture->second->parameter.semantic;
                    hints.annotations = texture->second->parameter.annotations;
                }
            }
            parameter.type = textureTypeName(declaration.declaredType, hints);
        } else {
            parameter.type = declaration.declaredType;
        }
        out.m_parameters.push_back(parameter);
    }
    return true;
}

bool EffectFile::load(const std::string& path, EffectFile& out, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot read the effect file";
        return false;
    }
    vx::recordFileRead(path.c_str());
    std::ostringstream text;
    text << file.rdbuf();
    return parse(text.str(), path, out, error);
}

const EffectParameter* EffectFile::find(std::string_view name) const {
    for (const EffectParameter& parameter : m_parameters)
        if (parameter.name == name)
            return &parameter;
    return nullptr;
}

std::string resolveEffectPath(const std::string& path, const std::string& sceneFolder,
                              const std::string& searchPath) {
    namespace fs = std::filesystem;
    if (path.empty())
        return {};
    std::error_code ignored;
    // Scenes saved on Windows keep backslashes; the file name is what survives a move.
    std::string portable = path;
    std::replace(portable.begin(), portable.end(), '\\', '/');
    if (fs::is_regular_file(portable, ignored))
        return portable;
    if (!sceneFolder.empty() && fs::path(portable).is_relative()) {
        const fs::path beside = fs::path(sceneFolder) / portable;
        if (fs::is_regular_file(beside, ignored))
            return beside.string();
    }
    const std::string fileName = fs::path(portable).filename().string();
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t stop = searchPath.find(':', start);
        if (stop == std::string::npos)
            stop = searchPath.size();
        if (stop > start) {
            const fs::path candidate = fs::path(searchPath.substr(start, stop - start)) / fileName;
            if (fs::is_regular_file(candidate, ignored))
                return candidate.string();
        }
        start = stop + 1;
    }
    return {};
}

} // namespace vornexhost
