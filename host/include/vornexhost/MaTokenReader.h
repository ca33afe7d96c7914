#pragma once
// Reads the tokens of one statement with the loader's error texts: shared by the statement
// handlers and by the readers of value runs cut into pieces.
#include <vornexhost/MaTokenizer.h>

#include <cstdint>
#include <string>

namespace vornexhost {

class MaTokenReader {
public:
    explicit MaTokenReader(MaTokenizer& tokens) : m_tokens(tokens) {}

    MaTokenizer& tokens() { return m_tokens; }
    // The line the statement being read began on, named by fail() and by end-of-file errors.
    std::uint32_t statementLine() const { return m_statementLine; }
    void beginStatement(std::uint32_t line) { m_statementLine = line; }

    // The next token; the end of the text is an error inside a statement.
    Token next();
    Token expect(TokenKind kind, const char* what);
    std::string expectString(const char* what);
    double expectNumber(const char* what);
    // A count of items each taking at least `perItemBytes` of the text still to read.
    std::uint64_t expectCount(const char* what, std::uint64_t perItemBytes);
    void expectEnd();
    [[noreturn]] void fail(const std::string& reason) const;

private:
    MaTokenizer& m_tokens;
    std::uint32_t m_statementLine = 0;
};

} // namespace vornexhost
