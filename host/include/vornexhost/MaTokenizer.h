#pragma once
// Splits Maya ASCII text into tokens: a cursor over the buffer, no allocation per token.
#include <cstdint>
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

private:
    Token scan();
    void skipBlanks();
    // skipBlanks, quicker for the one space between values.
    void skipSeparator();
    // Skips a comment starting at the cursor ('/' there); false when none starts.
    bool skipComment();
    bool atTokenEnd(const char* at) const;

    const char* m_at;
    const char* m_end;
    std::uint32_t m_line = 1;
    Token m_peeked;
    bool m_hasPeeked = false;
};

bool isFlag(const Token& token);
// A number written as the file writes numbers (also "yes"/"no"/"on"/"off"/"true"/"false").
bool parseNumber(const Token& token, double& out);
bool parseCount(const Token& token, std::uint64_t& out);

} // namespace vornexhost
