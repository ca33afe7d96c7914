#include "Shared/Base/RadixSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

struct Item {
    std::uint64_t key;
    std::uint32_t arrival; // the order items came in, which equal keys must keep
};

// Keys of every width from one bit (every pass but one skipped) to 64, over ranges so narrow
// that most keys repeat and so wide that few do, in lists from empty to several digits' worth:
// the result is the comparison sort's that keeps equal keys in their order.
TEST(RadixSortByKey, OrdersAsAStableComparisonSortForEveryKeyWidth) {
    std::mt19937_64 random(5);
    for (const unsigned bits : {1u, 2u, 10u, 11u, 12u, 22u, 23u, 33u, 47u, 63u, 64u}) {
        for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{2},
                                        std::size_t{300}, std::size_t{5000}}) {
            for (const bool repeats : {false, true}) {
                std::vector<Item> items(count);
                for (std::size_t i = 0; i < count; ++i) {
                    std::uint64_t key = random();
                    // Repeats: a handful of keys, at the top of the range as well.
                    if (repeats && key % 5 != 0)
                        key = (key & 7) << (bits > 3 ? bits - 3 : 0);
                    if (bits < 64)
                        key &= (std::uint64_t{1} << bits) - 1;
                    items[i] = {key, static_cast<std::uint32_t>(i)};
                }
                std::vector<Item> expected = items;
                std::stable_sort(expected.begin(), expected.end(),
                                 [](const Item& a, const Item& b) { return a.key < b.key; });
                vx::radixSortByKey(items, bits, [](const Item& item) { return item.key; });
                ASSERT_EQ(items.size(), expected.size());
                for (std::size_t i = 0; i < count; ++i) {
                    ASSERT_EQ(items[i].key, expected[i].key) << bits << " bits, item " << i;
                    ASSERT_EQ(items[i].arrival, expected[i].arrival) << bits << " bits, item " << i;
                }
            }
        }
    }
}

// Sorting by the less significant key first, then by the more significant one, orders by both.
TEST(RadixSortByKey, SuccessiveSortsOrderByEveryKey) {
    std::mt19937 random(11);
    struct Pair {
        std::uint32_t major;
        std::uint32_t minor;
    };
    std::vector<Pair> pairs(4000);
    for (Pair& p : pairs)
        p = {static_cast<std::uint32_t>(random() % 40), static_cast<std::uint32_t>(random())};
    std::vector<Pair> expected = pairs;
    std::sort(expected.begin(), expected.end(), [](const Pair& a, const Pair& b) {
        return a.major != b.major ? a.major < b.major : a.minor < b.minor;
    });
    vx::radixSortByKey(pairs, 32, [](const Pair& p) { return p.minor; });
    vx::radixSortByKey(pairs, 6, [](const Pair& p) { return p.major; });
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        ASSERT_EQ(pairs[i].major, expected[i].major) << i;
        ASSERT_EQ(pairs[i].minor, expected[i].minor) << i;
    }
}

} // namespace
