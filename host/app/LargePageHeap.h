#pragma once
// The heap on large pages. An export fills tens of megabytes of lists once; where the kernel
// hands out 4 KiB pages, first touching them costs more than filling them (a fault per page),
// and the lists' random walks miss the address cache. glibc puts its heap on large pages only
// when told so in GLIBC_TUNABLES at start-up, so the program starts itself once more with it.
#include <optional>
#include <string>

namespace vornexapp {

// GLIBC_TUNABLES with large pages asked for, from its present value (null when unset); none
// when the value already says what glibc is to do about them, which is then left as it is.
std::optional<std::string> tunablesWithLargePages(const char* current);

// Starts the program again with large pages asked for, unless GLIBC_TUNABLES already speaks of
// them; returns only when that is not needed or not possible, and the run goes on as it is.
void restartWithLargePageHeap(char** argv);

} // namespace vornexapp
