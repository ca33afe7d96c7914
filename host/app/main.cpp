// vornex: the host program. See HostProgram.h.
#include "HostProgram.h"

#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    // A scene's arrays come and go in blocks of megabytes, step after step. malloc keeps them
    // for the next step instead of handing each back at once, so the next step reuses touched
    // pages rather than faulting in fresh ones. The exporter still hands back what it frees
    // before its peak.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    std::vector<std::string> args(argv + 1, argv + argc);
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string directory = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : ".";
    directory = directory.substr(0, directory.find_last_of('/'));
    return vornexapp::runHostProgram(args, directory);
}
