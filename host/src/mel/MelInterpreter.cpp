#include <vornexhost/MelInterpreter.h>
#include <vornexhost/PluginRegistry.h>

#include <maya/MGlobal.h>

#include <cctype>
#include <cmath>
#include <cstdio>

namespace vornexhost {

MelValue MelValue::ofInt(long long v) {
    MelValue m;
    m.kind = Kind::Int;
    m.i = v;
    return m;
}

MelValue MelValue::ofDouble(double v) {
    MelValue m;
    m.kind = Kind::Double;
    m.d = v;
    return m;
}

MelValue MelValue::ofString(std::string v) {
    MelValue m;
    m.kind = Kind::String;
    m.s = std::move(v);
    return m;
}

MelValue MelValue::ofStrings(std::vector<std::string> v) {
    MelValue m;
    m.kind = Kind::StringArray;
    m.strings = std::move(v);
    return m;
}

MelValue MelValue::ofDoubles(std::vector<double> v, bool integers) {
    MelValue m;
    m.kind = integers ? Kind::IntArray : Kind::DoubleArray;
    m.doubles = std::move(v);
    return m;
}

namespace {

// Numbers as the script editor prints them: six decimals at most, trailing zeros dropped.
std::string formatNumber(double v) {
    if (v == std::floor(v) && std::fabs(v) < 1.0e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", v);
        return std::string(buffer) == "-0" ? "0" : buffer;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", v);
    std::string s = buffer;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

} // namespace

std::string MelValue::display() const {
    switch (kind) {
    case Kind::None:
        return "";
    case Kind::Int:
        return std::to_string(i);
    case Kind::Double:
        return formatNumber(d);
    case Kind::String:
        return s;
    case Kind::StringArray: {
        std::string out;
        for (const std::string& x : strings)
            out += (out.empty() ? "" : " ") + x;
        return out;
    }
    case Kind::DoubleArray:
    case Kind::IntArray: {
        std::string out;
        for (double x : doubles)
            out += (out.empty() ? "" : " ") + formatNumber(x);
        return out;
    }
    }
    return "";
}

bool MelValue::truthy() const {
    switch (kind) {
    case Kind::None:
        return false;
    case Kind::Int:
        return i != 0;
    case Kind::Double:
        return d != 0.0;
    case Kind::String:
        return !s.empty();
    case Kind::StringArray:
        return !strings.empty();
    case Kind::DoubleArray:
    case Kind::IntArray:
        return !doubles.empty();
    }
    return false;
}

void MelValue::appendAsArguments(std::vector<std::string>& out) const {
    switch (kind) {
    case Kind::None:
        return;
    case Kind::StringArray:
        out.insert(out.end(), strings.begin(), strings.end());
        return;
    case Kind::DoubleArray:
    case Kind::IntArray:
        for (double x : doubles)
            out.push_back(formatNumber(x));
        return;
    default:
        out.push_back(display());
    }
}

// One run of a script: a recursive-descent parser that evaluates as it reads.
class MelRun {
public:
    MelRun(MelInterpreter& mel, const std::string& text) : m_mel(mel), m_text(text) {}

    MelValue statementList(bool topLevel, bool execute,
                           const std::function<void(const MelValue&)>& onResult) {
        MelValue last;
        while (true) {
            skipSpace();
            if (atEnd() || (!topLevel && peek() == '}'))
                return last;
            MelValue v = statement(execute);
            if (topLevel && execute && onResult && v.kind != MelValue::Kind::None)
                onResult(v);
            last = std::move(v);
        }
    }

private:
    [[noreturn]] void syntaxError(const std::string& what) const {
        throw MelError{"line " + std::to_string(line()) + ": " + what};
    }

    unsigned line() const {
        unsigned n = 1;
        for (std::size_t i = 0; i < m_at && i < m_text.size(); ++i)
            n += m_text[i] == '\n' ? 1u : 0u;
        return n;
    }

    bool atEnd() const { return m_at >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_at]; }

    void skipSpace() {
        while (!atEnd()) {
            if (std::isspace(static_cast<unsigned char>(peek()))) {
                ++m_at;
            } else if (m_text.compare(m_at, 2, "//") == 0) {
                while (!atEnd() && peek() != '\n')
                    ++m_at;
            } else {
                break;
            }
        }
    }

    bool accept(char c) {
        skipSpace();
        if (peek() != c)
            return false;
        ++m_at;
        return true;
    }

    void expect(char c) {
        if (!accept(c))
            syntaxError(std::string("expected '") + c + "'");
    }

    static bool isWordChar(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' ||
               c == ':' || c == '|' || c == '[' || c == ']' || c == '*' || c == '+' || c == '$';
    }

    std::string word() {
        skipSpace();
        const std::size_t start = m_at;
        while (!atEnd() && isWordChar(peek()))
            ++m_at;
        return m_text.substr(start, m_at - start);
    }

    std::string stringLiteral() {
        expect('"');
        std::string out;
        while (!atEnd() && peek() != '"') {
            char c = m_text[m_at++];
            if (c == '\\' && !atEnd()) {
                const char e = m_text[m_at++];
                c = e == 'n' ? '\n' : (e == 't' ? '\t' : (e == 'r' ? '\r' : e));
            }
            out += c;
        }
        if (atEnd())
            syntaxError("unterminated string");
        ++m_at;
        return out;
    }

    MelValue backquoted(bool execute) {
        expect('`');
        const std::size_t end = m_text.find('`', m_at);
        if (end == std::string::npos)
            syntaxError("unterminated backquote");
        const std::string inner = m_text.substr(m_at, end - m_at);
        m_at = end + 1;
        if (!execute)
            return {};
        MelRun sub(m_mel, inner);
        return sub.statementList(true, true, {});
    }

    MelValue statement(bool execute) {
        skipSpace();
        if (accept(';'))
            return {};
        if (accept('{')) {
            MelValue v = statementList(false, execute, {});
            expect('}');
            return v;
        }
        const std::size_t save = m_at;
        const std::string name = word();
        if (name.empty())
            syntaxError(std::string("unexpected '") + peek() + "'");
        if (name == "if") {
            expect('(');
            const bool condition = expression(execute).truthy();
            expect(')');
            MelValue v = statement(execute && condition);
            skipSpace();
            const std::size_t beforeElse = m_at;
            if (word() == "else") {
                MelValue otherwise = statement(execute && !condition);
                if (!condition)
                    v = std::move(otherwise);
            } else {
                m_at = beforeElse;
            }
            return execute ? v : MelValue();
        }
        (void)save;
        std::vector<std::string> args;
        skipSpace();
        if (peek() == '(') {
            // Function-call syntax: name(arg, arg);
            ++m_at;
            skipSpace();
            if (!accept(')')) {
                do {
                    expression(execute).appendAsArguments(args);
                } while (accept(','));
                expect(')');
            }
        } else {
            while (true) {
                skipSpace();
                const char c = peek();
                if (atEnd() || c == ';' || c == '}')
                    break;
                if (c == '"')
                    args.push_back(stringLiteral());
                else if (c == '`')
                    backquoted(execute).appendAsArguments(args);
                else if (c == '(') {
                    ++m_at;
                    expression(execute).appendAsArguments(args);
                    expect(')');
                } else {
                    const std::string w = word();
                    if (w.empty())
                        syntaxError(std::string("unexpected '") + c + "'");
                    args.push_back(w);
                }
            }
        }
        skipSpace();
        if (!atEnd() && peek() != '}')
            expect(';');
        return execute ? call(name, args) : MelValue();
    }

    MelValue expression(bool execute) {
        MelValue left = unary(execute);
        while (true) {
            skipSpace();
            if (m_text.compare(m_at, 2, "==") == 0 || m_text.compare(m_at, 2, "!=") == 0) {
                const bool equal = m_text[m_at] == '=';
                m_at += 2;
                const MelValue right = unary(execute);
                const bool same = left.display() == right.display();
                left = MelValue::ofInt(same == equal ? 1 : 0);
            } else if (m_text.compare(m_at, 2, "&&") == 0 || m_text.compare(m_at, 2, "||") == 0) {
                const bool isAnd = m_text[m_at] == '&';
                m_at += 2;
                const MelValue right = unary(execute);
                left = MelValue::ofInt(isAnd ? (left.truthy() && right.truthy())
                                             : (left.truthy() || right.truthy()));
            } else {
                return left;
            }
        }
    }

    MelValue unary(bool execute) {
        skipSpace();
        if (accept('!'))
            return MelValue::ofInt(unary(execute).truthy() ? 0 : 1);
        const char c = peek();
        if (c == '`')
            return backquoted(execute);
        if (c == '"')
            return MelValue::ofString(stringLiteral());
        if (c == '(') {
            ++m_at;
            MelValue v = expression(execute);
            expect(')');
            return v;
        }
        const std::string w = word();
        if (w.empty())
            syntaxError(std::string("unexpected '") + c + "' in an expression");
        char* end = nullptr;
        const double number = std::strtod(w.c_str(), &end);
        if (end && *end == '\0')
            return w.find_first_of(".eE") == std::string::npos && std::fabs(number) < 9.0e18
                       ? MelValue::ofInt(static_cast<long long>(number))
                       : MelValue::ofDouble(number);
        skipSpace();
        if (peek() == '(') {
            ++m_at;
            std::vector<std::string> args;
            if (!accept(')')) {
                do {
                    expression(execute).appendAsArguments(args);
                } while (accept(','));
                expect(')');
            }
            return execute ? call(w, args) : MelValue();
        }
        return MelValue::ofString(w);
    }

    MelValue call(const std::string& name, const std::vector<std::string>& args) {
        const auto it = m_mel.m_commands.find(name);
        if (it != m_mel.m_commands.end())
            return it->second(args);
        MelValue result;
        if (runPluginCommand(name, args, result))
            return result;
        throw MelError{"Cannot find procedure \"" + name + "\"."};
    }

    MelInterpreter& m_mel;
    const std::string& m_text;
    std::size_t m_at = 0;
};

MelInterpreter::MelInterpreter() {
    defineMelCommands(*this);
    defineMeshCommands(*this);
    defineCgfxShaderCommand(*this);
}

MelInterpreter& MelInterpreter::instance() {
    static MelInterpreter mel;
    return mel;
}

void MelInterpreter::define(const std::string& name, MelCommand command) {
    m_commands[name] = std::move(command);
}

bool MelInterpreter::run(const std::string& script, MelValue& last,
                         const std::function<void(const MelValue&)>& onResult) {
    try {
        MelRun runner(*this, script);
        last = runner.statementList(true, true, onResult);
        return true;
    } catch (const MelError& e) {
        MGlobal::displayError(MString(e.message));
        return false;
    }
}

} // namespace vornexhost
