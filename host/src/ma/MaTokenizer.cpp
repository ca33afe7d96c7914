#include <vornexhost/MaTokenizer.h>

#include <fast_float/fast_float.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>

namespace vornexhost {

namespace {

enum : std::uint8_t { kPlain = 0, kSpace = 1, kDelimiter = 2, kNewline = 3 };

constexpr std::array<std::uint8_t, 256> makeClasses() {
    std::array<std::uint8_t, 256> c{};
    c[static_cast<unsigned char>(' ')] = kSpace;
    c[static_cast<unsigned char>('\t')] = kSpace;
    c[static_cast<unsigned char>('\r')] = kSpace;
    c[static_cast<unsigned char>('\f')] = kSpace;
    c[static_cast<unsigned char>('\v')] = kSpace;
    c[static_cast<unsigned char>('\n')] = kNewline;
    for (char d : {';', '"', '(', ')', '{', '}', ','})
        c[static_cast<unsigned char>(d)] = kDelimiter;
    return c;
}

constexpr std::array<std::uint8_t, 256> kClass = makeClasses();

std::uint8_t classOf(char c) {
    return kClass[static_cast<unsigned char>(c)];
}

static_assert(std::endian::native == std::endian::little, "eight characters are read as one word");

// How many of the eight characters in `chunk` (the first in the lowest byte) are digits before
// the first that is not. A byte of 0xFA or more carries into the next one, but that byte is
// itself no digit, so the first non-digit is still found.
unsigned leadingDigits(std::uint64_t chunk) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
    constexpr std::uint64_t kThrees = 0x3030303030303030u;
    const std::uint64_t notDigit =
        ((chunk & kHigh) ^ kThrees) | (((chunk + 0x0606060606060606u) & kHigh) ^ kThrees);
    return notDigit == 0 ? 8u : static_cast<unsigned>(std::countr_zero(notDigit)) / 8u;
}

// The value of eight digit values 0-9, the most significant in the lowest byte.
std::uint64_t eightDigitsValue(std::uint64_t digits) {
    digits = digits * 10 + (digits >> 8);
    return (((digits & 0x000000FF000000FFu) * (100 + (1000000ull << 32))) +
            (((digits >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >>
           32;
}

// An optional '-' and 1 to 18 digits at `at`, which an int64 holds exactly: most numbers of
// mesh data (indices, flags, "0 1 0"). Returns the end of the digits, or null for anything
// else (no digit, or a longer run that the general parsers take).
const char* shortInteger(const char* at, const char* end, bool& negative, std::int64_t& magnitude) {
    negative = at < end && *at == '-';
    const char* digits = at + (negative ? 1 : 0);
    if (end - digits >= 8) {
        // Up to seven digits, as most are, from one word.
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, digits, 8);
        const unsigned n = leadingDigits(chunk);
        if (n == 0)
            return nullptr;
        if (n < 8) {
            magnitude = static_cast<std::int64_t>(
                eightDigitsValue((chunk - 0x3030303030303030u) << (8 * (8 - n))));
            return digits + n;
        }
    }
    const char* limit = digits + std::min<std::ptrdiff_t>(end - digits, 18);
    std::int64_t value = 0;
    const char* p = digits;
    for (; p < limit && static_cast<unsigned char>(*p - '0') < 10; ++p)
        value = value * 10 + (*p - '0');
    if (p == digits || (p < end && static_cast<unsigned char>(*p - '0') < 10))
        return nullptr;
    magnitude = value;
    return p;
}

} // namespace

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
        const std::uint8_t k = classOf(*m_at);
        if (k == kSpace) {
            ++m_at;
        } else if (k == kNewline) {
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

bool MaTokenizer::atTokenEnd(const char* at) const {
    return at == m_end || classOf(*at) != kPlain;
}

void MaTokenizer::skipSeparator() {
    // Values are mostly one space apart: that case without the general loop.
    if (m_end - m_at >= 2 && m_at[0] == ' ' && classOf(m_at[1]) == kPlain && m_at[1] != '/')
        ++m_at;
    else
        skipBlanks();
}

bool MaTokenizer::nextNumber(double& out) {
    if (m_hasPeeked)
        return false;
    skipSeparator();
    if (m_at >= m_end)
        return false;
    const char* first = m_at;
    if (*first == '+')
        ++first;
    bool negative = false;
    std::int64_t magnitude = 0;
    if (const char* digitsEnd = shortInteger(first, m_end, negative, magnitude);
        digitsEnd && atTokenEnd(digitsEnd)) {
        // Exact in an int64, so one rounding to double: what the general parser gives ("-0"
        // included).
        const double v = static_cast<double>(magnitude);
        out = negative ? -v : v;
        m_at = digitsEnd;
        return true;
    }
    const auto r = fast_float::from_chars(first, m_end, out);
    if (r.ec != std::errc() || !atTokenEnd(r.ptr))
        return false;
    m_at = r.ptr;
    return true;
}

bool MaTokenizer::nextInteger(std::int64_t& out) {
    if (m_hasPeeked)
        return false;
    skipSeparator();
    bool negative = false;
    std::int64_t magnitude = 0;
    if (const char* digitsEnd = shortInteger(m_at, m_end, negative, magnitude)) {
        if (!atTokenEnd(digitsEnd))
            return false;
        out = negative ? -magnitude : magnitude;
        m_at = digitsEnd;
        return true;
    }
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
    while (m_at < m_end && classOf(*m_at) == kPlain)
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
