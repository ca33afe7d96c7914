#pragma once
// Running another program and waiting for it.
#include <string>
#include <vector>

namespace vornexbatch {

struct ProcessEnd {
    bool started = false; // false: the program could not be started (`error` says why)
    int exitStatus = -1;  // when it exited
    int signal = 0;       // when a signal ended it
    std::string error;
};

// Runs `argv` (argv[0] looked up in PATH when it has no '/') with this process's environment
// and waits for it. Its output and errors go to `outputPath` (created or emptied) when given,
// else to this process's. It runs in `folder` when given.
ProcessEnd runChildProcess(const std::vector<std::string>& argv, const std::string& outputPath = {},
                           const std::string& folder = {});

// "exit status 3", "signal 11 (Segmentation fault)", or why it did not start.
std::string describeProcessEnd(const ProcessEnd& end);

} // namespace vornexbatch
