#include "Shared/Base/Log.h"
#include "Shared/Base/LogHold.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vx {
namespace {

using test::LogCapture;
using test::readWholeFile;
using test::TempDir;

// Points the process-wide log at a fresh file for one test and restores "Log.txt" after.
class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override { logChannel()->setFileName(m_logPath); }
    void TearDown() override { logChannel()->setFileName("Log.txt"); }
    std::string logText() const { return readWholeFile(m_logPath); }

    TempDir m_dir;
    std::string m_logPath = m_dir.file("x_log.txt");
    LogCapture m_capture;
};

TEST_F(LogFileTest, EveryLevelHasItsPrefixAndLevelNoneOrNoSourceFileLeaveItsPartsOut) {
    const LogLevel levels[] = {LogLevel::Debug, LogLevel::Info, LogLevel::Warning, LogLevel::Error,
                               LogLevel::Assert};
    for (LogLevel level : levels)
        LogMessage(level, "f.cpp", 1) << "m";
    // Level None: the location, then the text as a second script editor line.
    LogMessage(LogLevel::None, "f.cpp", 7) << "hello";
    // No source file: just the text.
    LogMessage(LogLevel::Warning, nullptr, 3) << "plain";
    EXPECT_EQ(logText(), "f.cpp(1) : Debug: m\r\nf.cpp(1) : Info: m\r\nf.cpp(1) : Warning: m\r\n"
                         "f.cpp(1) : Error: m\r\nf.cpp(1) : Assert: m\r\nf.cpp(7) : hello\r\n"
                         "plain\r\n");
    const std::vector<std::string>& lines = m_capture.scriptLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"f.cpp(7) : ", "hello", "plain"}));
    // The debugger sees only the texts.
    EXPECT_EQ(LogCapture::debugText(), "m\nm\nm\nm\nm\nhello\nplain\n");
}

TEST_F(LogFileTest, LongMessagesKeepTheirFirst511Characters) {
    const std::string text(600, 'a');
    LogMessage(LogLevel::Info, nullptr, 1) << text;
    EXPECT_EQ(logText(), std::string(511, 'a') + "\r\n");
    EXPECT_EQ(m_capture.scriptLines().back().size(), 511u);
}

TEST_F(LogFileTest, MacrosLogTheirSourceFileRelativeToTheRepository) {
    VX_WARNING << "count " << 3u;
    const std::string text = logText();
    EXPECT_EQ(text.rfind("tests/Shared/Base/LogTests.cpp(", 0), 0u) << text;
    EXPECT_NE(text.find(") : Warning: count 3\r\n"), std::string::npos) << text;
}

TEST_F(LogFileTest, SetFileNameMovesToANewFileAndTruncatesOnReopening) {
    LogMessage(LogLevel::Info, nullptr, 1) << "first";
    const std::string second = m_dir.file("y_log.txt");
    logChannel()->setFileName(second);
    EXPECT_EQ(logChannel()->fileName(), second);
    LogMessage(LogLevel::Info, nullptr, 1) << "second";
    logChannel()->setFileName(m_logPath);
    LogMessage(LogLevel::Info, nullptr, 1) << "third";
    EXPECT_EQ(readWholeFile(second), "second\r\n");
    EXPECT_EQ(logText(), "third\r\n");
}

TEST_F(LogFileTest, AssertionsLogTheConditionAndDetailThenStopTheOperation) {
    const int index = 7;
    bool reachedAfter = false;
    try {
        VX_ASSERT_MSG(index < 3, "index = " << index);
        reachedAfter = true;
    } catch (const AssertionFailed& failure) {
        EXPECT_STREQ(failure.what(), "index < 3 : index = 7");
        EXPECT_STREQ(failure.file(), "tests/Shared/Base/LogTests.cpp");
    }
    EXPECT_FALSE(reachedAfter);
    EXPECT_NE(logText().find(") : Assert: index < 3 : index = 7\r\n"), std::string::npos);
}

TEST_F(LogFileTest, HeldMessagesWaitForTheirDeliveryAndKeepTheirOrderLevelsAndPlaces) {
    LogHold early;
    LogHold late;
    std::thread worker([&] {
        const LogHold::Scope first(late);
        LogMessage(LogLevel::Warning, "b.cpp", 5) << "late " << 1;
        {
            // The innermost hold takes the messages; the outer one is back after it.
            const LogHold::Scope second(early);
            LogMessage(LogLevel::Info, "a.cpp", 3) << "early";
            EXPECT_THROW(VX_ASSERT_MSG(1 > 2, "held"), AssertionFailed);
        }
        LogMessage(LogLevel::None, "b.cpp", 9) << "late 2";
    });
    worker.join();
    LogMessage(LogLevel::Info, nullptr, 1) << "direct";
    EXPECT_EQ(logText(), "direct\r\n");
    EXPECT_FALSE(early.empty());
    early.deliver();
    late.deliver();
    EXPECT_TRUE(early.empty());
    late.deliver(); // delivered once only
    const std::string text = logText();
    const std::string assertion = "tests/Shared/Base/LogTests.cpp(";
    ASSERT_NE(text.find(assertion), std::string::npos) << text;
    const std::size_t at = text.find(assertion);
    EXPECT_EQ(text.substr(0, at), "direct\r\na.cpp(3) : Info: early\r\n");
    EXPECT_NE(text.find(") : Assert: 1 > 2 : held\r\nb.cpp(5) : Warning: late 1\r\n"
                        "b.cpp(9) : late 2\r\n",
                        at),
              std::string::npos)
        << text;
    EXPECT_EQ(LogCapture::debugText(), "direct\nearly\n1 > 2 : held\nlate 1\nlate 2\n");
}

TEST(LogChannel, AnUnopenableLogFileIsReportedAndMessagesStillReachTheScriptEditor) {
    LogCapture capture;
    const std::string bad = "/nonexistent-vornex-dir/x_log.txt";
    logChannel()->setFileName(bad);
    EXPECT_NO_THROW(LogMessage(LogLevel::Warning, "f.cpp", 2) << "still shown");
    EXPECT_TRUE(logChannel()->openFailed());
    EXPECT_EQ(capture.scriptLines(),
              (std::vector<std::string>{"Assert: m_file != 0 : can't open file: " + bad,
                                        "Warning: still shown"}));
    // A caller that needs its log gets the failure as an orderly stop.
    logChannel()->setFileName(bad);
    EXPECT_THROW(logChannel()->open(), AssertionFailed);
    logChannel()->setFileName("Log.txt");
}

TEST(LogChannelDeathTest, TheFirstMessageCreatesLogTxtInTheWorkingDirectory) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDir dir;
    // Runs in a fresh process so that this is really the channel's first message.
    EXPECT_EXIT(
        {
            if (chdir(dir.path().c_str()) != 0)
                std::_Exit(2);
            VX_INFO << "started";
            const std::string text = readWholeFile("Log.txt");
            const bool ok = text.find(") : Info: started\r\n") != std::string::npos &&
                            logChannel()->fileName() == "Log.txt";
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(LogFilter, KeysComeFromTheProjectsOrSharedPartOfThePath) {
    EXPECT_EQ(LogFilter::filterKey("C:\\Projects\\Game\\Src\\A.cpp"), "projects/game/src/a.cpp");
    EXPECT_EQ(LogFilter::filterKey("x/Shared/Base/Streams/OutStream.cpp"), "shared/base/streams");
    EXPECT_EQ(LogFilter::filterKey("MeshExporter/Exporter.cpp"), "");
}

TEST(LogFilter, TheDeepestMatchingNodeGoverns) {
    LogFilter filter;
    EXPECT_EQ(filter.generation(), 1u);
    EXPECT_EQ(&filter.governingNode("Shared/Base/x.cpp"), &filter.root());
    EXPECT_EQ(filter.root().name, ".");

    filter.setThreshold("shared/base", static_cast<std::uint32_t>(LogLevel::Error));
    EXPECT_EQ(filter.generation(), 2u);
    EXPECT_FALSE(filter.isEnabled("Shared/Base/Streams/x.cpp", LogLevel::Warning));
    EXPECT_TRUE(filter.isEnabled("Shared/Base/Streams/x.cpp", LogLevel::Assert));
    EXPECT_TRUE(filter.isEnabled("Shared/Graphics/Scene/x.cpp", LogLevel::Debug));
    EXPECT_EQ(filter.governingNode("Shared/Base/Streams/x.cpp").name, "base");
}

int g_evaluations = 0;
int countEvaluation() {
    return ++g_evaluations;
}

TEST(LogFilter, ADisabledCallSiteBuildsNothingUntilTheGenerationChanges) {
    LogCapture capture;
    // This file's key is "shared/base" (tests/Shared/Base/...).
    logFilter().setThreshold("shared/base", static_cast<std::uint32_t>(LogLevel::Warning));
    g_evaluations = 0;
    for (int i = 0; i < 2; ++i)
        VX_INFO << "hidden " << countEvaluation();
    VX_WARNING << "shown";
    EXPECT_EQ(g_evaluations, 0);
    EXPECT_EQ(capture.scriptLines(), std::vector<std::string>{"Warning: shown"});

    logFilter().setThreshold("shared/base", 0);
    VX_INFO << "visible again " << countEvaluation();
    EXPECT_EQ(g_evaluations, 1);
    EXPECT_EQ(capture.scriptLines().back(), "Info: visible again 1");
}

} // namespace
} // namespace vx
