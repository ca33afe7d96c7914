#include "Shared/Base/Assert.h"
#include "Shared/Base/Streams/Buffers/BroadcastBuffer.h"
#include "Shared/Base/Streams/Buffers/CallbackMemoryOutBuffer.h"
#include "Shared/Base/Streams/Buffers/MemoryOutBuffer.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

namespace vx {
namespace {

constexpr char kSentinel = '#';

TEST(TruncatingMemoryOutBuffer, KeepsWhatFitsAndReportsHowMuch) {
    char memory[8];
    std::memset(memory, kSentinel, sizeof memory);
    TruncatingMemoryOutBuffer buffer(memory, 4);
    const std::size_t first = buffer.write("abcdef", 6);
    const std::size_t second = buffer.write("g", 1);
    EXPECT_EQ(std::make_tuple(first, second, std::string(memory, 8), buffer.size()),
              std::make_tuple(4u, 0u, "abcd####", 4u));
}

TEST(MemoryOutBuffer, OverflowAssertsAndWritesNothingPastTheEnd) {
    test::LogCapture capture;
    char memory[8];
    std::memset(memory, kSentinel, sizeof memory);
    MemoryOutBuffer buffer(memory, 4);
    EXPECT_EQ(buffer.write("ab", 2), 2u);
    EXPECT_THROW(buffer.write("cde", 3), AssertionFailed);
    EXPECT_EQ(std::make_tuple(std::string(memory, 8), buffer.size()),
              std::make_tuple("ab######", 2u));

    ASSERT_FALSE(capture.scriptLines().empty());
    const std::string& shown = capture.scriptLines().back();
    EXPECT_EQ(shown.rfind("Assert: m_position + count <= m_end : m_position = 0x", 0), 0u) << shown;
    EXPECT_NE(shown.find(" count = 3 m_end = 0x"), std::string::npos) << shown;
    EXPECT_NE(shown.find(" buffersize = 4"), std::string::npos) << shown;
}

TEST(MemoryOutBuffer, OwnedMemoryWorksAsAStreamTarget) {
    MemoryOutBuffer buffer(16);
    OutStream out(&buffer);
    out << std::uint32_t{5};
    EXPECT_EQ(std::make_tuple(buffer.written(), buffer.capacity()), std::make_tuple(4u, 16u));
    EXPECT_EQ(std::memcmp(buffer.data(), "\x05\x00\x00\x00", 4), 0);
}

struct CallbackRecord {
    std::string text;
    std::uint32_t user = 0;
    int calls = 0;
};

void recordCallback(void* target, std::string_view text, std::uint32_t user) {
    auto* record = static_cast<CallbackRecord*>(target);
    record->text = std::string(text);
    record->user = user;
    ++record->calls;
}

TEST(CallbackMemoryOutBuffer, FlushHandsOverTheTextAndStartsOver) {
    CallbackRecord record;
    CallbackMemoryOutBuffer buffer(64, &recordCallback, &record, 77);
    buffer.write("hello", 5);
    buffer.flush();
    EXPECT_EQ(std::make_tuple(record.text, record.user, buffer.size()),
              std::make_tuple("hello", 77u, 0u));
    buffer.write("again", 5);
    buffer.flush();
    EXPECT_EQ(std::make_tuple(record.text, record.calls), std::make_tuple("again", 2));
    buffer.setUser(912);
    buffer.write("site", 4);
    buffer.flush();
    EXPECT_EQ(record.user, 912u);
}

// Takes at most `limit` bytes per write, to show which member's answer is returned.
class LimitedBuffer : public StringOutBuffer {
public:
    explicit LimitedBuffer(std::size_t limit) : m_limit(limit) {}
    std::size_t write(const void* data, std::size_t count) override {
        return StringOutBuffer::write(data, count < m_limit ? count : m_limit);
    }

private:
    std::size_t m_limit;
};

TEST(BroadcastBuffer, WritesEveryMemberInOrderAndAnswersWithTheLast) {
    StringOutBuffer first;
    LimitedBuffer last(2);
    BroadcastBuffer broadcast;
    broadcast.add(&first);
    broadcast.add(&last);
    const std::size_t written = broadcast.write("abc", 3);
    // The size is the first member's.
    EXPECT_EQ(
        std::make_tuple(written, first.text(), last.text(), broadcast.size(), broadcast.name()),
        std::make_tuple(2u, "abc", "ab", 3u, "unknown"));
}

TEST(BroadcastBuffer, SizeWithoutMembersAsserts) {
    test::LogCapture capture;
    BroadcastBuffer broadcast;
    EXPECT_EQ(broadcast.write("x", 1), 0u);
    EXPECT_THROW(broadcast.size(), AssertionFailed);
    ASSERT_FALSE(capture.scriptLines().empty());
    EXPECT_EQ(capture.scriptLines().back(), "Assert: !m_buffers.empty() : ");
}

TEST(OutStream, AShortWriteMarksTheStreamFailed) {
    char memory[2];
    TruncatingMemoryOutBuffer buffer(memory, sizeof memory);
    OutStream out(&buffer);
    out << std::uint8_t{1};
    EXPECT_FALSE(out.failed());
    out << std::uint32_t{2};
    EXPECT_TRUE(out.failed());
}

} // namespace
} // namespace vx
