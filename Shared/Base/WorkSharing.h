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
// Runs work(begin, end) for consecutive slices of `slice` items (at least 1) that together cover
// 0 .. count - 1, through shareWork: for many small items that are worth sharing only in bulk.
void shareSlices(std::size_t count, std::size_t slice,
                 const std::function<void(std::size_t, std::size_t)>& work);
// Runs prepare(0) ... prepare(count - 1) on any of the threads, each begun in order, and
// place(k) after prepare(k), in increasing k, on the calling thread, so that what placing
// reports comes from the thread that asked. At most
// `window` pieces (at least 1) are prepared and not yet placed at any time, which bounds what
// they hold. Placing stops at the first piece whose place returns false or throws, or whose
// prepare threw: the pieces before it are placed, the pieces not yet begun are neither prepared
// nor placed. Returns whether every piece was placed; raises the exception of the
// lowest-numbered piece that threw once the running pieces have ended.
bool shareInOrder(std::size_t count, std::size_t window,
                  const std::function<void(std::size_t)>& prepare,
                  const std::function<bool(std::size_t)>& place);
// The helper threads there are: one fewer than the hardware threads (at most 8) or than
// VORNEX_THREADS, when that is smaller.
unsigned workHelpers();

} // namespace vx
