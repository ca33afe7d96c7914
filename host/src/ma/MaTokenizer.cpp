#include <vornexhost/MaTokenizer.h>

#include <fast_float/fast_float.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>

namespace vornexhost {

MaTokenizer::MaTokenizer(std::string_view text)
    : m_at(text.data()), m_end(text.data() + text.size()) {}

const Token& MaTokenizer::peek() {
    if (!m_hasPeeked) {
        m_peeked = scan();
        m_hasPeeked = true;
    }
    return m_peeked;
}

Token MaTokenizer::next() {
    if (m_hasPeeked) {
        m_hasPeeked = false;
        return m_peeked;
    }
    return scan();
}

void MaTokenizer::skipBlanks() {
    // Blanks and line ends; comments, which are rare in the long runs of values, out of line.
    while (m_at < m_end) {
        const std::uint8_t k = tokenizer::classOf(*m_at);
        if (k == tokenizer::kSpace) {
            ++m_at;
        } else if (k == tokenizer::kNewline) {
            ++m_line;
            ++m_at;
        } else if (*m_at != '/' || !skipComment()) {
            break;
        }
    }
}

bool MaTokenizer::skipComment() {
    if (m_at + 1 >= m_end)
        return false;
    if (m_at[1] == '/') {
        while (m_at < m_end && *m_at != '\n')
            ++m_at;
        return true;
    }
    if (m_at[1] != '*')
        return false;
    const std::uint32_t start = m_line;
    m_at += 2;
    while (m_at + 1 < m_end && !(m_at[0] == '*' && m_at[1] == '/')) {
        if (*m_at == '\n')
            ++m_line;
        ++m_at;
    }
    if (m_at + 1 >= m_end)
        throw MaSyntaxError{start, "unterminated comment"};
    m_at += 2;
    return true;
}

bool MaTokenizer::parseFloat(const char* first, double& out) {
    const auto r = fast_float::from_chars(first, m_end, out);
    if (r.ec != std::errc() || !atTokenEnd(r.ptr))
        return false;
    m_at = r.ptr;
    return true;
}

bool MaTokenizer::parseLongInteger(std::int64_t& out) {
    const auto r = std::from_chars(m_at, m_end, out);
    if (r.ec != std::errc() || r.ptr == m_at || !atTokenEnd(r.ptr))
        return false;
    m_at = r.ptr;
    return true;
}

Token MaTokenizer::scan() {
    skipBlanks();
    Token t;
    t.line = m_line;
    if (m_at >= m_end)
        return t;
    const char c = *m_at;
    switch (c) {
    case ';':
        t.kind = TokenKind::Semicolon;
        ++m_at;
        return t;
    case '(':
        t.kind = TokenKind::LParen;
        ++m_at;
        return t;
    case ')':
        t.kind = TokenKind::RParen;
        ++m_at;
        return t;
    case '{':
        t.kind = TokenKind::LBrace;
        ++m_at;
        return t;
    case '}':
        t.kind = TokenKind::RBrace;
        ++m_at;
        return t;
    case ',':
        t.kind = TokenKind::Comma;
        ++m_at;
        return t;
    case '"': {
        t.kind = TokenKind::String;
        const char* start = ++m_at;
        while (m_at < m_end && *m_at != '"') {
            if (*m_at == '\\') {
                t.escaped = true;
                if (m_at + 1 < m_end && m_at[1] == '\n')
                    ++m_line;
                m_at += 2;
                continue;
            }
            if (*m_at == '\n')
                ++m_line;
            ++m_at;
        }
        if (m_at >= m_end)
            throw MaSyntaxError{t.line, "unterminated string"};
        t.text = std::string_view(start, static_cast<std::size_t>(m_at - start));
        ++m_at;
        return t;
    }
    default:
        break;
    }
    t.kind = TokenKind::Word;
    const char* start = m_at;
    while (m_at < m_end && tokenizer::classOf(*m_at) == tokenizer::kPlain)
        ++m_at;
    t.text = std::string_view(start, static_cast<std::size_t>(m_at - start));
    return t;
}

void MaTokenizer::unescape(const Token& token, std::string& out) {
    out.clear();
    if (!token.escaped) {
        out.assign(token.text);
        return;
    }
    const std::string_view s = token.text;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 >= s.size()) {
            out += s[i];
            continue;
        }
        const char e = s[++i];
        switch (e) {
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            out += e; // \" \\ and anything else: the character itself
            break;
        }
    }
}

bool isFlag(const Token& token) {
    if (token.kind != TokenKind::Word || token.text.size() < 2 || token.text[0] != '-')
        return false;
    const char c = token.text[1];
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool parseNumber(const Token& token, double& out) {
    if (token.kind != TokenKind::Word)
        return false;
    const std::string_view s = token.text;
    const char* first = s.data();
    const char* last = first + s.size();
    if (first < last && *first == '+')
        ++first;
    const auto r = fast_float::from_chars(first, last, out);
    if (r.ec == std::errc() && r.ptr == last)
        return true;
    if (s == "yes" || s == "on" || s == "true") {
        out = 1.0;
        return true;
    }
    if (s == "no" || s == "off" || s == "false") {
        out = 0.0;
        return true;
    }
    return false;
}

bool parseCount(const Token& token, std::uint64_t& out) {
    if (token.kind != TokenKind::Word || token.text.empty())
        return false;
    const auto r = std::from_chars(token.text.data(), token.text.data() + token.text.size(), out);
    return r.ec == std::errc() && r.ptr == token.text.data() + token.text.size();
}

} // namespace vornexhost
