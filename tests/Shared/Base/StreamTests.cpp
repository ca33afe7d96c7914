#include "Shared/Base/Assert.h"
#include "Shared/Base/File/Pc/InFile.h"
#include "Shared/Base/Streams/Buffers/BroadcastBuffer.h"
#include "Shared/Base/Streams/Buffers/CallbackMemoryOutBuffer.h"
#include "Shared/Base/Streams/Buffers/MemoryInBuffer.h"
#include "Shared/Base/Streams/Buffers/MemoryOutBuffer.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/FileInStream.h"
#include "Shared/Base/Streams/FileOutStream.h"
#include "Shared/Base/Streams/InStream.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/Streams/TextOutStream.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace vx {
namespace {

std::vector<unsigned> bytesOf(const std::string& text) {
    std::vector<unsigned> out;
    for (char c : text)
        out.push_back(static_cast<unsigned char>(c));
    return out;
}

TEST(Streams, EveryWidthIsLittleEndianWithoutPaddingAndReadsBack) {
    StringOutBuffer buffer;
    OutStream out(&buffer);
    out << std::uint32_t{5} << std::int32_t{-1} << true << false << std::int16_t{-2}
        << std::uint16_t{0x1234} << std::int8_t{-3} << std::uint8_t{0xAB} << 1.0f << 2.0
        << std::int64_t{-2} << std::uint64_t{0x0102030405060708};
    // A text is its characters only until a terminator is written.
    out << "ab" << std::string("c");
    out.writeTerminator();
    out << std::uint8_t{0x2A};
    const std::vector<unsigned> expected = {
        0x05, 0x00, 0x00, 0x00,                         // uint32 5
        0xFF, 0xFF, 0xFF, 0xFF,                         // int32 -1
        0x01, 0x00,                                     // bools
        0xFE, 0xFF,                                     // int16 -2
        0x34, 0x12,                                     // uint16
        0xFD, 0xAB,                                     // int8, uint8
        0x00, 0x00, 0x80, 0x3F,                         // float 1.0
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, // double 2.0
        0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, // int64 -2
        0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, // uint64
        0x61, 0x62, 0x63, 0x00, 0x2A,                   // "abc", terminator, uint8
    };
    EXPECT_EQ(bytesOf(buffer.text()), expected);
    EXPECT_EQ(out.size(), expected.size());
    EXPECT_FALSE(out.failed());

    MemoryInBuffer source(buffer.text().data(), buffer.text().size());
    InStream in(&source);
    std::uint32_t u32 = 0;
    std::int32_t i32 = 0;
    bool yes = false, no = true;
    std::int16_t i16 = 0;
    std::uint16_t u16 = 0;
    std::int8_t i8 = 0;
    std::uint8_t u8 = 0, last = 0;
    float f = 0;
    double d = 0;
    std::int64_t i64 = 0;
    std::uint64_t u64 = 0;
    std::string text;
    in >> u32 >> i32 >> yes >> no >> i16 >> u16 >> i8 >> u8 >> f >> d >> i64 >> u64 >> text;
    EXPECT_EQ(in.remaining(), 1u); // the text read stops after its terminator
    in >> last;
    EXPECT_EQ(std::tie(u32, i32, yes, no, i16, u16, i8, u8, f, d, i64, u64, text, last),
              std::make_tuple(5u, -1, true, false, std::int16_t{-2}, std::uint16_t{0x1234},
                              std::int8_t{-3}, std::uint8_t{0xAB}, 1.0f, 2.0, std::int64_t{-2},
                              std::uint64_t{0x0102030405060708}, "abc", std::uint8_t{0x2A}));
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_FALSE(in.failed());
}

TEST(InStream, AnyNonZeroByteIsTrue) {
    const unsigned char bytes[] = {0x00, 0x01, 0x7F, 0xFF};
    MemoryInBuffer source(bytes, sizeof bytes);
    InStream in(&source);
    bool values[4] = {true, false, false, false};
    for (bool& value : values)
        in >> value;
    EXPECT_EQ(std::vector<bool>(values, values + 4), (std::vector<bool>{false, true, true, true}));
}

TEST(InStream, ReadingPastTheEndFailsWithZeroesAndNeverHangs) {
    const unsigned char bytes[] = {0x01, 0x02};
    MemoryInBuffer source(bytes, sizeof bytes);
    InStream in(&source);
    std::uint32_t value = 0xDEADBEEF;
    in >> value;
    EXPECT_TRUE(in.failed());
    EXPECT_EQ(value, 0x0201u); // the bytes that were there, the rest zero

    const unsigned char unterminated[] = {'a', 'b'};
    MemoryInBuffer source2(unterminated, sizeof unterminated);
    InStream in2(&source2);
    std::string text;
    in2 >> text;
    EXPECT_EQ(text, "ab");
    EXPECT_TRUE(in2.failed());
    EXPECT_FALSE(in2.skip(1));
}

TEST(InStream, BoundedTextReadsKeepTheLimitAndConsumeTheRest) {
    std::string long300(300, 'x');
    std::string bytes = long300 + '\0' + "tail" + '\0';
    MemoryInBuffer source(bytes.data(), bytes.size());
    InStream in(&source);
    std::string text;
    in.readTerminated(text, 255);
    EXPECT_EQ(text, std::string(255, 'x'));
    char small[3] = {'?', '?', '?'};
    in.readText(small, sizeof small);
    EXPECT_STREQ(small, "ta");
    EXPECT_EQ(std::make_tuple(in.remaining(), in.failed()), std::make_tuple(0u, false));
}

TEST(TextOutStream, FormatsValuesAsText) {
    StringOutBuffer buffer;
    TextOutStream out(&buffer);
    out << "n=" << 42u << " i=" << -5 << " f=" << 0.5f << " b=" << true
        << " big=" << std::uint64_t{12345678901ull};
    out.setFormat("0x%x");
    out << " h=" << 255u;
    out.setFormat(nullptr);
    out << " u=" << 7u;
    // Extreme values fit their formatting buffers.
    out << " " << std::numeric_limits<std::int64_t>::min() << " "
        << std::numeric_limits<double>::max();
    EXPECT_EQ(buffer.text(), "n=42 i=-5 f=0.5 b=true big=12345678901 h=0xff u=7 "
                             "-9223372036854775808 1.79769e+308");
}

TEST(FileStreams, ReopeningTruncatesAndReadsStopAtTheEnd) {
    test::TempDir dir;
    const std::string path = dir.file("data.bin");
    {
        FileOutStream out(path.c_str());
        out << std::uint64_t{1} << std::uint64_t{2}; // longer than what replaces it
    }
    {
        FileOutStream out(path.c_str());
        out << std::uint32_t{0xCAFEF00D} << 1.5f << "text";
        out.writeTerminator();
        EXPECT_EQ(std::make_tuple(out.size(), out.buffer()->name()), std::make_tuple(13u, path));
        EXPECT_TRUE(out.close());
    }
    EXPECT_TRUE(InFile::exists(path.c_str()));
    EXPECT_EQ(test::readWholeFile(path).substr(0, 5), std::string("\x0D\xF0\xFE\xCA\x00", 5));

    FileInStream in(path.c_str());
    EXPECT_EQ(in.remaining(), 13u);
    EXPECT_TRUE(in.skip(4));
    float value = 0;
    std::string text;
    in >> value >> text;
    EXPECT_EQ(std::make_tuple(value, text, in.remaining(), in.failed()),
              std::make_tuple(1.5f, "text", 0u, false));
    EXPECT_FALSE(in.skip(1));
    EXPECT_TRUE(in.failed());
}

// Rewriting over every mix of old and new lengths: closed, the file holds exactly the new
// bytes and is still the same file; open, it never begins with old bytes or a new head that
// the rest of the file does not yet follow.
TEST(FileStreams, RewritingInPlaceLeavesExactlyTheNewBytesAndHidesThemUntilClosed) {
    test::TempDir dir;
    const std::string path = dir.file("mesh.bin");
    const std::string link = dir.file("link.bin");
    const auto fill = [](std::size_t n, char first) {
        std::string bytes(n, '\0');
        for (std::size_t i = 0; i < n; ++i)
            bytes[i] = static_cast<char>(first + static_cast<char>(i % 23));
        return bytes;
    };
    for (const std::size_t oldSize : std::vector<std::size_t>{0, 1, 10, 4095, 4096, 5000, 70000}) {
        for (const std::size_t newSize : std::vector<std::size_t>{0, 3, 4096, 4097, 9000, 70001}) {
            SCOPED_TRACE(std::to_string(oldSize) + " -> " + std::to_string(newSize));
            std::remove(path.c_str());
            std::remove(link.c_str());
            if (oldSize > 0) {
                FileOutStream old(path.c_str());
                const std::string bytes = fill(oldSize, 'a');
                old.write(bytes.data(), bytes.size());
                ASSERT_TRUE(old.close());
                ASSERT_EQ(::link(path.c_str(), link.c_str()), 0);
            }
            struct stat before {};
            const bool existed = ::stat(path.c_str(), &before) == 0;

            const std::string bytes = fill(newSize, 'A');
            FileOutStream out(path.c_str());
            // Written in uneven pieces, as a writer composing a file does.
            for (std::size_t at = 0; at < bytes.size(); at += 1000)
                out.write(bytes.data() + at, std::min<std::size_t>(1000, bytes.size() - at));
            out.flush();
            EXPECT_EQ(out.size(), newSize);
            const std::string midway = test::readWholeFile(path);
            if (!midway.empty()) {
                EXPECT_EQ(midway.front(), '\0');
            }
            ASSERT_TRUE(out.close());

            EXPECT_EQ(test::readWholeFile(path), bytes);
            if (existed) {
                struct stat after {};
                ASSERT_EQ(::stat(path.c_str(), &after), 0);
                EXPECT_EQ(after.st_ino, before.st_ino);
                EXPECT_EQ(test::readWholeFile(link), bytes);
            }
        }
    }
}

TEST(FileStreams, DevicesAreWrittenAsTheBytesCome) {
    FileOutStream out("/dev/null");
    const std::vector<char> block(10000, 'x');
    out.write(block.data(), block.size());
    EXPECT_EQ(out.size(), block.size());
    EXPECT_TRUE(out.close());
}

TEST(FileStreams, AFullDeviceIsReportedNotLostSilently) {
    FileOutStream out("/dev/full");
    std::vector<char> block(1 << 16, 'x');
    out.write(block.data(), block.size());
    EXPECT_FALSE(out.close());
    EXPECT_TRUE(out.failed());
}

TEST(FileStreams, OpenFailuresAssertWithThePath) {
    test::LogCapture capture;
    const std::string missing = "/nonexistent-vornex-dir/out.bin";
    EXPECT_THROW(FileOutStream out(missing.c_str()), AssertionFailed);
    ASSERT_FALSE(capture.scriptLines().empty());
    EXPECT_EQ(capture.scriptLines().back(), "Assert: m_file != 0 : can't open file: " + missing);

    EXPECT_THROW(FileInStream in(missing.c_str()), AssertionFailed);
    EXPECT_EQ(capture.scriptLines().back(), "Assert: m_file != 0 : ");
    EXPECT_FALSE(InFile::exists(missing.c_str()));
}

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
