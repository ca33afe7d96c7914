// Whole files for the loaders: regular files (mapped) and pipes (read) give the same bytes;
// what cannot be read, or is larger than allowed, gives nothing.
#include <vornexhost/FileText.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vornexhost {
namespace {

namespace fs = std::filesystem;

TEST(FileText, WholeFilesAndPipesOrNothing) {
    const fs::path folder =
        fs::temp_directory_path() / ("vornex-filetext-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    // NULs, CR LF, no final line end, longer than one read block.
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < 200000; ++i)
        bytes += i % 7 == 0 ? std::string("\r\n") : std::string(1, static_cast<char>(i * 31));
    const std::string path = (folder / "scene.ma").string();
    std::ofstream(path, std::ios::binary) << bytes;
    std::ofstream((folder / "empty.ma").string(), std::ios::binary);

    FileText file;
    ASSERT_TRUE(file.open(path, bytes.size()));
    EXPECT_EQ(file.text(), bytes);
    // Refusals leave nothing behind from the file held before.
    EXPECT_FALSE(file.open(path, bytes.size() - 1));
    EXPECT_TRUE(file.text().empty());
    ASSERT_TRUE(file.open(path));
    EXPECT_FALSE(file.open((folder / "missing.ma").string()));
    EXPECT_TRUE(file.text().empty());
    ASSERT_TRUE(file.open(path));
    EXPECT_FALSE(file.open(folder.string()));
    EXPECT_TRUE(file.text().empty());
    ASSERT_TRUE(file.open((folder / "empty.ma").string()));
    EXPECT_TRUE(file.text().empty());

    const std::string fifo = (folder / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << bytes; });
    const bool opened = file.open(fifo);
    writer.join();
    EXPECT_TRUE(opened);
    EXPECT_EQ(file.text(), bytes);
    fs::remove_all(folder);
}

} // namespace
} // namespace vornexhost
