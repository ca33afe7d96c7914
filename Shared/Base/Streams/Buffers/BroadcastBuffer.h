#pragma once
#include "Shared/Base/Streams/Buffers/OutBuffer.h"

#include <vector>

namespace vx {

// Fans every write out to an ordered list of member buffers (not owned).
class BroadcastBuffer : public OutBuffer {
public:
    void add(OutBuffer* member) { m_buffers.push_back(member); }
    void remove(OutBuffer* member);
    std::size_t memberCount() const { return m_buffers.size(); }

    // Writes to every member in order; returns the last member's result (0 with no members).
    std::size_t write(const void* data, std::size_t count) override;
    // The first member's size; asserts when there are no members.
    std::uint64_t size() override;
    void flush() override;
    bool failed() const override;

private:
    std::vector<OutBuffer*> m_buffers;
};

} // namespace vx
