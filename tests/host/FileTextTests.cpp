// Whole files for the loaders: regular files (mapped) and pipes (read) give the same bytes;
// what cannot be read, or is larger than allowed, gives nothing.
#include <vornexhost/FileText.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vornexhost {
namespace {

namespace fs = std::filesystem;

// Bytes a text reader could stumble on: NULs, CR LF, no final line end; longer than one read
// block.
std::string awkwardBytes(std::size_t size) {
    std::string out;
    for (std::size_t i = 0; out.size() < size; ++i)
        out += i % 7 == 0 ? std::string("\r\n") : std::string(1, static_cast<char>(i * 31 % 256));
    out.resize(size);
    return out;
}

class FileTextFolder : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() / ("vornex-filetext-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string path = (m_folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path m_folder;
};

TEST_F(FileTextFolder, RegularFilesWholeEmptyOrRefusedBySize) {
    const std::string bytes = awkwardBytes(200000);
    const std::string path = write("scene.ma", bytes);
    FileText file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.text(), bytes);
    ASSERT_TRUE(file.open(path, bytes.size()));
    EXPECT_EQ(file.text().size(), bytes.size());
    // Refusals leave nothing behind from the file held before.
    EXPECT_FALSE(file.open(path, bytes.size() - 1));
    EXPECT_TRUE(file.text().empty());
    ASSERT_TRUE(file.open(write("empty.ma", "")));
    EXPECT_TRUE(file.text().empty());
    ASSERT_TRUE(file.open(path));
    EXPECT_FALSE(file.open((m_folder / "missing.ma").string()));
    EXPECT_TRUE(file.text().empty());
    EXPECT_FALSE(file.open(m_folder.string()));
    EXPECT_TRUE(file.text().empty());
}

TEST_F(FileTextFolder, PipesAreReadToTheirEndWithinTheLimit) {
    const std::string bytes = awkwardBytes(150000);
    const std::string fifo = (m_folder / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A writer whose reader has stopped gets an error, not a signal that ends the test.
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &previous);
    for (const bool withinLimit : {true, false}) {
        // The writer blocks until the reader opens the pipe; a refusing reader stops early,
        // and the writer's broken pipe ends it.
        std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << bytes; });
        FileText file;
        const bool opened = file.open(fifo, withinLimit ? bytes.size() : bytes.size() / 2);
        writer.join();
        EXPECT_EQ(opened, withinLimit);
        EXPECT_EQ(file.text(), withinLimit ? bytes : std::string());
    }
    ::sigaction(SIGPIPE, &previous, nullptr);
}

} // namespace
} // namespace vornexhost
