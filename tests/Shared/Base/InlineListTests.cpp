#include "Shared/Base/InlineList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace {

using List = vx::InlineList<std::int32_t, 4>;

std::vector<std::int32_t> asVector(const List& list) {
    return std::vector<std::int32_t>(list.begin(), list.end());
}

// Random edits applied to a list and to a std::vector side by side, across the move from inline
// values to the heap and back through copies, moves and assignments: both always hold the same.
TEST(InlineList, EveryEditLeavesWhatAVectorWouldHold) {
    std::mt19937 random(3);
    for (int round = 0; round < 200; ++round) {
        List list;
        std::vector<std::int32_t> expected;
        for (int step = 0; step < 40; ++step) {
            const auto value = static_cast<std::int32_t>(random() % 1000) - 500;
            const std::size_t count = random() % 11;
            switch (random() % 8) {
            case 0:
            case 1:
                list.push_back(value);
                expected.push_back(value);
                break;
            case 2:
                list.resize(count, value);
                expected.resize(count, value);
                break;
            case 3: {
                const std::vector<std::int32_t> source(count, value);
                list.assign(source.begin(), source.end());
                expected = source;
                break;
            }
            case 4: { // a copy, then the original dropped
                List copy(list);
                list = List();
                list = copy;
                break;
            }
            case 5: { // moved out and back
                List moved(std::move(list));
                EXPECT_TRUE(list.empty());
                list = std::move(moved);
                break;
            }
            case 6:
                if (!list.empty()) { // pushing a value that lives in the list itself
                    list.push_back(list[0]);
                    expected.push_back(expected[0]);
                }
                break;
            default:
                list.reserve(count);
                break;
            }
            ASSERT_EQ(asVector(list), expected) << "round " << round << ", step " << step;
            ASSERT_GE(list.capacity(), list.size());
        }
        const List copy = list;
        EXPECT_TRUE(copy == list);
        if (!expected.empty()) {
            List changed = list;
            changed.back() += 1;
            EXPECT_FALSE(changed == list);
        }
    }
}

// Up to four values live in the object itself, which is no larger than a std::vector.
TEST(InlineList, AFewValuesStayInsideTheObject) {
    static_assert(sizeof(List) == sizeof(std::vector<std::int32_t>));
    List list = {1, 2, 3, 4};
    const auto* inside = reinterpret_cast<const unsigned char*>(&list);
    const auto* at = reinterpret_cast<const unsigned char*>(list.data());
    EXPECT_TRUE(at >= inside && at < inside + sizeof list);
    list.push_back(5);
    EXPECT_EQ(asVector(list), (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
    at = reinterpret_cast<const unsigned char*>(list.data());
    EXPECT_FALSE(at >= inside && at < inside + sizeof list);
}

} // namespace
