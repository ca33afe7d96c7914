#pragma once
// A cursor over a whole file held in memory, for the strict readers of `vornex info`: every
// failure is reported with the byte offset it was found at.
#include "Shared/Base/Streams/Buffers/MemoryInBuffer.h"
#include "Shared/Base/Streams/InStream.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vx::info {

class ByteReader {
public:
    ByteReader(std::string_view bytes, std::string& error)
        : m_size(bytes.size()), m_buffer(bytes.data(), bytes.size()), m_in(&m_buffer),
          m_error(error) {}

    std::uint64_t offset() { return m_size - m_in.remaining(); }
    std::uint64_t remaining() { return m_in.remaining(); }
    InStream& in() { return m_in; }
    // Sets the error "byte AT: TEXT"; returns false.
    bool fail(std::uint64_t at, const std::string& text) {
        m_error = "byte " + std::to_string(at) + ": " + text;
        return false;
    }
    // Fails unless `count` more bytes are there.
    bool need(std::uint64_t count, const std::string& what) {
        if (remaining() >= count)
            return true;
        return fail(offset(), "the file ends inside " + what);
    }

private:
    std::uint64_t m_size;
    MemoryInBuffer m_buffer;
    InStream m_in;
    std::string& m_error;
};

} // namespace vx::info
