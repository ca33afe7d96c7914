#pragma once
// Stable sorting of ranges that are mostly a handful of items long: those are sorted in place by
// insertion, without the heap buffer std::stable_sort takes; longer ones go to it. A stable sort
// has one result, so which of the two runs never shows.
#include <algorithm>
#include <cstddef>
#include <iterator>

namespace vx {

template <typename It, typename Less>
void stableSortFew(It first, It last, Less less, std::ptrdiff_t insertionMost) {
    if (std::distance(first, last) > insertionMost) {
        std::stable_sort(first, last, less);
        return;
    }
    for (It it = first; it != last; ++it)
        for (It at = it; at != first && less(*at, *std::prev(at)); --at)
            std::iter_swap(at, std::prev(at));
}

} // namespace vx
