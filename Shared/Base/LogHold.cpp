#include "Shared/Base/LogHold.h"

#include "Shared/Base/LogMessage.h"

namespace vx {

namespace {
thread_local LogHold* t_hold = nullptr;
} // namespace

LogHold::Scope::Scope(LogHold& hold) : m_outer(t_hold) {
    t_hold = &hold;
}

LogHold::Scope::~Scope() {
    t_hold = m_outer;
}

LogHold* LogHold::current() {
    return t_hold;
}

void LogHold::keep(const LogMessage& message) {
    m_messages.push_back({message.level(), message.file(), message.line(), message.text()});
}

void LogHold::deliver() {
    std::vector<Held> messages;
    messages.swap(m_messages);
    for (const Held& held : messages) {
        LogMessage message(held.level, held.file, held.line);
        message << held.text;
        message.finish();
    }
}

} // namespace vx
