#include "batch/ChildProcess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace vornexbatch {

ProcessEnd runChildProcess(const std::vector<std::string>& argv, const std::string& outputPath,
                           const std::string& folder) {
    ProcessEnd end;
    if (argv.empty()) {
        end.error = "no program given";
        return end;
    }
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!outputPath.empty()) {
        posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        end.error = "cannot start " + argv[0] + ": " + std::strerror(failed);
        return end;
    }
    end.started = true;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            end.error = "cannot wait for " + argv[0] + ": " + std::strerror(errno);
            return end;
        }
    }
    if (WIFEXITED(status))
        end.exitStatus = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        end.signal = WTERMSIG(status);
    return end;
}

std::string describeProcessEnd(const ProcessEnd& end) {
    if (!end.started || !end.error.empty())
        return end.error;
    if (end.signal != 0)
        return "signal " + std::to_string(end.signal) + " (" + strsignal(end.signal) + ")";
    return "exit status " + std::to_string(end.exitStatus);
}

} // namespace vornexbatch
