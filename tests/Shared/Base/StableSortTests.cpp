#include "Shared/Base/StableSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace {

// Few distinct keys, so most items tie: the order of ties shows whether a sort is stable. Ranges
// below, at and above the insertion limit all give std::stable_sort's order.
TEST(StableSortFew, GivesTheStableOrderOnEitherSideOfTheInsertionLimit) {
    std::mt19937 random(7);
    const auto byKey = [](const std::pair<int, int>& a, const std::pair<int, int>& b) {
        return a.first < b.first;
    };
    for (const std::size_t size : {0u, 1u, 2u, 7u, 8u, 9u, 40u}) {
        for (int round = 0; round < 50; ++round) {
            std::vector<std::pair<int, int>> items(size);
            for (std::size_t i = 0; i < size; ++i)
                items[i] = {static_cast<int>(random() % 4), static_cast<int>(i)};
            std::vector<std::pair<int, int>> expected = items;
            std::stable_sort(expected.begin(), expected.end(), byKey);
            vx::stableSortFew(items.begin(), items.end(), byKey, 8);
            ASSERT_EQ(items, expected) << size << " items, round " << round;
        }
    }
}

} // namespace
