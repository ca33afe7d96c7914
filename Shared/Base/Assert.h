#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vx {

class LogMessage;

// Thrown after an assertion's message has been delivered: the operation that found a broken
// invariant stops, and the command or translator turns this into a failure status. The
// process is never aborted.
class AssertionFailed : public std::runtime_error {
public:
    AssertionFailed(const std::string& text, const char* file, std::uint32_t line)
        : std::runtime_error(text), m_file(file ? file : ""), m_line(line) {}
    const char* file() const { return m_file; }
    std::uint32_t line() const { return m_line; }

private:
    const char* m_file;
    std::uint32_t m_line;
};

// Delivers the composed Assert message and throws AssertionFailed with its text.
[[noreturn]] void raiseAssertion(LogMessage& message);

} // namespace vx
