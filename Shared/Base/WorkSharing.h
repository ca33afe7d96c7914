#pragma once
// Shares independent pieces of work between the calling thread and a few helper threads that
// live as long as the process. The caller takes pieces too, so on a busy machine, where the
// helpers may not get a processor soon, it does the work itself rather than wait for them.
#include <cstddef>
#include <functional>

namespace vx {

// Runs work(0) ... work(count - 1), each once, in any order and on any of the threads; returns
// when all have run. When pieces throw (out of memory), the exception of the lowest-numbered
// one is raised on the calling thread once all have run, as running them in order would raise it
// first.
void shareWork(std::size_t count, const std::function<void(std::size_t)>& work);
// The helper threads there are: one fewer than the hardware threads (at most 8) or than
// VORNEX_THREADS, when that is smaller.
unsigned workHelpers();

} // namespace vx
