#pragma once
// Keeps the log messages that work on another thread finishes, so that the thread that asked
// for the work can deliver them later in the order the work would have logged them one piece
// after the other.
#include "Shared/Base/LogLevel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

class LogMessage;

class LogHold {
public:
    // While one is alive, the messages finished on its thread go to `hold` instead of the log
    // channel (assertions included: their exception still propagates). Nests.
    class Scope {
    public:
        explicit Scope(LogHold& hold);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        LogHold* m_outer;
    };

    // Delivers the held messages, oldest first, on the calling thread, and forgets them.
    void deliver();
    bool empty() const { return m_messages.empty(); }

    // The hold that takes the messages finished on this thread, or null.
    static LogHold* current();
    void keep(const LogMessage& message);

private:
    struct Held {
        LogLevel level;
        const char* file;
        std::uint32_t line;
        std::string text;
    };
    std::vector<Held> m_messages;
};

} // namespace vx
