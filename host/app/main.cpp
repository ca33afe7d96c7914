// vornex: the host program. See HostProgram.h.
#include "HostProgram.h"

#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string directory = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : ".";
    directory = directory.substr(0, directory.find_last_of('/'));
    return vornexapp::runHostProgram(args, directory);
}
