#pragma once
#include "Shared/Base/Streams/Buffers/MemoryOutBuffer.h"

#include <cstdint>
#include <string_view>

namespace vx {

// Collects text in its own block; flush() hands what was written to a handler and starts over.
class CallbackMemoryOutBuffer : public MemoryOutBuffer {
public:
    using Handler = void (*)(void* target, std::string_view text, std::uint32_t user);

    CallbackMemoryOutBuffer(std::size_t size, Handler handler, void* target, std::uint32_t user)
        : MemoryOutBuffer(size), m_handler(handler), m_target(target), m_user(user) {}

    void flush() override;

    // The value handed to the next flush (the scene reader passes its reporting site this way).
    void setUser(std::uint32_t user) { m_user = user; }
    std::uint32_t user() const { return m_user; }

private:
    Handler m_handler;
    void* m_target;
    std::uint32_t m_user;
};

} // namespace vx
