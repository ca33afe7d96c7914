#pragma once
// Large working lists: an export fills lists of tens of megabytes once, and first touching their
// pages costs more than filling them where the kernel hands out 4 KiB pages. Asking for large
// pages, where the kernel grants them on request, makes that cost a few hundred faults.
#include <cstddef>
#include <vector>

namespace vx {

// Asks for large pages over the 2 MiB-aligned part of [data, data + bytes); a hint only, with
// no effect on the contents, and nothing on systems without it or for ranges under 2 MiB.
void adviseLargePages(void* data, std::size_t bytes);

// Hands memory freed between blocks still in use back to the system (glibc), so that it no
// longer counts towards the process's peak.
void releaseFreedMemory();

// reserve(), with large pages asked for over the room not yet filled.
template <class T>
void reserveLarge(std::vector<T>& list, std::size_t count) {
    list.reserve(count);
    adviseLargePages(list.data() + list.size(), (list.capacity() - list.size()) * sizeof(T));
}

} // namespace vx
