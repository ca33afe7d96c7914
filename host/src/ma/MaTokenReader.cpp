#include <vornexhost/MaTokenReader.h>

namespace vornexhost {

void MaTokenReader::fail(const std::string& reason) const {
    throw MaSyntaxError{m_statementLine, reason};
}

Token MaTokenReader::next() {
    Token t = m_tokens.next();
    if (t.kind == TokenKind::End)
        throw MaSyntaxError{t.line, "unexpected end of file in a statement that began on line " +
                                        std::to_string(m_statementLine)};
    return t;
}

Token MaTokenReader::expect(TokenKind kind, const char* what) {
    Token t = next();
    if (t.kind != kind)
        throw MaSyntaxError{t.line, std::string("expected ") + what};
    return t;
}

std::string MaTokenReader::expectString(const char* what) {
    const Token t = expect(TokenKind::String, what);
    std::string out;
    MaTokenizer::unescape(t, out);
    return out;
}

double MaTokenReader::expectNumber(const char* what) {
    const Token t = next();
    double v = 0.0;
    if (t.kind == TokenKind::Semicolon)
        throw MaSyntaxError{t.line, std::string("statement ends before ") + what};
    if (!parseNumber(t, v))
        throw MaSyntaxError{t.line,
                            std::string("bad number '") + std::string(t.text) + "' for " + what};
    return v;
}

std::uint64_t MaTokenReader::expectCount(const char* what, std::uint64_t perItemBytes) {
    const Token t = next();
    std::uint64_t n = 0;
    if (t.kind == TokenKind::Semicolon)
        throw MaSyntaxError{t.line, std::string("statement ends before ") + what};
    if (!parseCount(t, n))
        throw MaSyntaxError{t.line,
                            std::string("bad count '") + std::string(t.text) + "' for " + what};
    // Each item takes at least `perItemBytes` of text: a larger count cannot be honest.
    if (perItemBytes > 0 && n > m_tokens.remaining() / perItemBytes + 1)
        throw MaSyntaxError{t.line, std::string("count ") + std::to_string(n) + " for " + what +
                                        " is larger than the rest of the file can hold"};
    return n;
}

void MaTokenReader::expectEnd() {
    const Token t = next();
    if (t.kind != TokenKind::Semicolon)
        throw MaSyntaxError{t.line, "expected ';' but found '" + std::string(t.text) + "'"};
}

} // namespace vornexhost
