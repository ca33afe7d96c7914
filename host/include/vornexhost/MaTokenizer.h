#pragma once
// Splits Maya ASCII text into tokens: a cursor over the buffer, no allocation per token.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vornexhost {

enum class TokenKind : std::uint8_t {
    End,
    Word, // a name, flag, number or bare word
    String,
    Semicolon,
    LParen,
    RParen,
    LBrace,
    RBrace,
    Comma
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text; // a string's text without its quotes, still escaped
    std::uint32_t line = 0;
    bool escaped = false; // the string holds backslash escapes
};

// Thrown for text that cannot be tokenized (an unterminated string or comment).
struct MaSyntaxError {
    std::uint32_t line;
    std::string reason;
};

// Character classes and whole-number parsing for the tokenizer's inline fast paths.
namespace tokenizer {

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

inline constexpr std::array<std::uint8_t, 256> kClass = makeClasses();

inline std::uint8_t classOf(char c) {
    return kClass[static_cast<unsigned char>(c)];
}

static_assert(std::endian::native == std::endian::little, "eight characters are read as one word");

// How many of the eight characters in `chunk` (the first in the lowest byte) are digits before
// the first that is not. A byte of 0xFA or more carries into the next one, but that byte is
// itself no digit, so the first non-digit is still found.
inline unsigned leadingDigits(std::uint64_t chunk) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
    constexpr std::uint64_t kThrees = 0x3030303030303030u;
    const std::uint64_t notDigit =
        ((chunk & kHigh) ^ kThrees) | (((chunk + 0x0606060606060606u) & kHigh) ^ kThrees);
    return notDigit == 0 ? 8u : static_cast<unsigned>(std::countr_zero(notDigit)) / 8u;
}

// The value of eight digit values 0-9, the most significant in the lowest byte.
inline std::uint64_t eightDigitsValue(std::uint64_t digits) {
    digits = digits * 10 + (digits >> 8);
    return (((digits & 0x000000FF000000FFu) * (100 + (1000000ull << 32))) +
            (((digits >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >>
           32;
}

// An optional '-' and 1 to 18 digits at `at`, which an int64 holds exactly: most numbers of
// mesh data (indices, flags, "0 1 0"). Returns the end of the digits, or null for anything
// else (no digit, or a longer run that the general parsers take).
inline const char* shortInteger(const char* at, const char* end, bool& negative,
                                std::int64_t& magnitude) {
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

} // namespace tokenizer

class MaTokenizer {
public:
    explicit MaTokenizer(std::string_view text);

    Token next();
    const Token& peek();
    std::uint32_t line() const { return m_line; }
    // Bytes not yet read: an upper bound on how many more values the text can hold.
    std::size_t remaining() const { return static_cast<std::size_t>(m_end - m_at); }

    // The text of a string token with its escapes decoded.
    static void unescape(const Token& token, std::string& out);

    // Fast paths for long runs of values: read the next token as a number or a whole number
    // straight from the text. False (nothing consumed) when the next token is anything else;
    // the caller then reads it with next() to report or handle it.
    bool nextNumber(double& out);
    bool nextInteger(std::int64_t& out);

    // For readers that take a stretch of the text elsewhere: the cursor (meaningful only with
    // no token peeked), the end of the text, and a jump over `newlines` line ends to `at`.
    const char* cursor() const { return m_at; }
    const char* end() const { return m_end; }
    bool hasPeeked() const { return m_hasPeeked; }
    // Puts a peeked word back, so that the cursor is at its start again; false for any other
    // peeked token.
    bool unpeekWord() {
        if (!m_hasPeeked || m_peeked.kind != TokenKind::Word)
            return false;
        m_at = m_peeked.text.data();
        m_hasPeeked = false;
        return true;
    }
    void skipTo(const char* at, std::uint32_t newlines) {
        m_at = at;
        m_line += newlines;
    }

private:
    Token scan();
    void skipBlanks();
    // skipBlanks, quicker for the one space between values.
    void skipSeparator() {
        // Values are mostly one space apart: that case without the general loop.
        if (m_end - m_at >= 2 && m_at[0] == ' ' &&
            tokenizer::classOf(m_at[1]) == tokenizer::kPlain && m_at[1] != '/')
            ++m_at;
        else
            skipBlanks();
    }
    // Skips a comment starting at the cursor ('/' there); false when none starts.
    bool skipComment();
    bool atTokenEnd(const char* at) const {
        return at == m_end || tokenizer::classOf(*at) != tokenizer::kPlain;
    }
    // The general parsers, for numbers the fast paths do not take: a float from `first`, a
    // long whole number from the cursor. Both move the cursor past the token on success.
    bool parseFloat(const char* first, double& out);
    bool parseLongInteger(std::int64_t& out);

    const char* m_at;
    const char* m_end;
    std::uint32_t m_line = 1;
    Token m_peeked;
    bool m_hasPeeked = false;
};

// The fast paths sit in the loader's innermost loops: inline.
inline bool MaTokenizer::nextNumber(double& out) {
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
    if (const char* digitsEnd = tokenizer::shortInteger(first, m_end, negative, magnitude);
        digitsEnd && atTokenEnd(digitsEnd)) {
        // Exact in an int64, so one rounding to double: what the general parser gives ("-0"
        // included).
        const double v = static_cast<double>(magnitude);
        out = negative ? -v : v;
        m_at = digitsEnd;
        return true;
    }
    return parseFloat(first, out);
}

inline bool MaTokenizer::nextInteger(std::int64_t& out) {
    if (m_hasPeeked)
        return false;
    skipSeparator();
    bool negative = false;
    std::int64_t magnitude = 0;
    if (const char* digitsEnd = tokenizer::shortInteger(m_at, m_end, negative, magnitude)) {
        if (!atTokenEnd(digitsEnd))
            return false;
        out = negative ? -magnitude : magnitude;
        m_at = digitsEnd;
        return true;
    }
    return parseLongInteger(out);
}

bool isFlag(const Token& token);
// A number written as the file writes numbers (also "yes"/"no"/"on"/"off"/"true"/"false").
bool parseNumber(const Token& token, double& out);
bool parseCount(const Token& token, std::uint64_t& out);

} // namespace vornexhost
