#include "Shared/Base/File/FileReads.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace vx {

namespace {

constexpr const char* kLogVariable = "VORNEX_READS_LOG";

} // namespace

void recordFileRead(const char* path) {
    const char* log = std::getenv(kLogVariable);
    if (!log || !*log || !path || !*path)
        return;
    std::error_code ec;
    std::string line = std::filesystem::absolute(path, ec).lexically_normal().string();
    if (ec || line.find('\n') != std::string::npos)
        return;
    line += '\n';
    // One write per line on an appending descriptor: lines from several writers never mix.
    const int fd = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    [[maybe_unused]] const ssize_t written = ::write(fd, line.data(), line.size());
    ::close(fd);
}

bool startFileReadRecording(const std::string& logPath, std::string& error) {
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(logPath, ec).string();
    const int fd = ::open(absolute.c_str(), O_WRONLY | O_TRUNC | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = logPath + ": cannot create the list of files read: " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    ::setenv(kLogVariable, absolute.c_str(), 1);
    return true;
}

std::vector<std::string> finishFileReadRecording() {
    std::vector<std::string> paths;
    const char* log = std::getenv(kLogVariable);
    if (!log)
        return paths;
    const std::string logPath = log;
    ::unsetenv(kLogVariable);
    std::ifstream in(logPath);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            paths.push_back(line);
    std::remove(logPath.c_str());
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

} // namespace vx
