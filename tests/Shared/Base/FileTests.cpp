#include "Shared/Base/Assert.h"
#include "Shared/Base/File/Pc/InFile.h"
#include "Shared/Base/Streams/FileInStream.h"
#include "Shared/Base/Streams/FileOutStream.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vx {
namespace {

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

} // namespace
} // namespace vx
