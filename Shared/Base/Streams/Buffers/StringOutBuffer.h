#pragma once
#include "Shared/Base/Streams/Buffers/OutBuffer.h"

#include <string>

namespace vx {

// Appends everything to a growing string.
class StringOutBuffer : public OutBuffer {
public:
    std::size_t write(const void* data, std::size_t count) override {
        m_text.append(static_cast<const char*>(data), count);
        return count;
    }
    std::uint64_t size() override { return m_text.size(); }

    const std::string& text() const { return m_text; }
    void clear() { m_text.clear(); }

private:
    std::string m_text;
};

} // namespace vx
