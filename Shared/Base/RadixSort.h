#pragma once
// Stable sorting by an unsigned integer key of known width, a digit at a time from the lowest
// (least significant digit radix sort): linear in the items for keys of a few tens of bits,
// where a comparison sort pays a logarithm and a mispredicted branch per comparison.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vx {

// Orders `items` by key(item), an unsigned value below 2^keyBits, keeping the order of items
// with equal keys. A sorting of several keys, most significant last, sorts by all of them.
template <typename T, typename Key>
void radixSortByKey(std::vector<T>& items, unsigned keyBits, Key key) {
    constexpr unsigned kDigitBits = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
    if (items.size() < 2)
        return;
    std::vector<T> scratch(items.size());
    std::vector<std::size_t> place(kBuckets);
    for (unsigned shift = 0; shift < keyBits; shift += kDigitBits) {
        std::fill(place.begin(), place.end(), 0);
        for (const T& item : items)
            ++place[static_cast<std::size_t>(key(item) >> shift) & (kBuckets - 1)];
        // A digit that every item shares leaves the order as it is.
        if (std::find(place.begin(), place.end(), items.size()) != place.end())
            continue;
        std::size_t next = 0;
        for (std::size_t& p : place)
            next += std::exchange(p, next);
        for (const T& item : items)
            scratch[place[static_cast<std::size_t>(key(item) >> shift) & (kBuckets - 1)]++] = item;
        items.swap(scratch);
    }
}

} // namespace vx
