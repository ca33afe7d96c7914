#include "LargePageHeap.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// The setting is added to what is there, and a value that already says anything about large
// pages, whatever it says, is the user's and stays.
TEST(LargePageHeap, TheSettingJoinsOtherTunablesAndNeverOverridesOneGiven) {
    const struct {
        const char* current;
        std::optional<std::string> expected;
    } cases[] = {
        {nullptr, "glibc.malloc.hugetlb=1"},
        {"", "glibc.malloc.hugetlb=1"},
        {"glibc.malloc.arena_max=2", "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"},
        {"glibc.malloc.hugetlb=0", std::nullopt},
        {"glibc.malloc.arena_max=2:glibc.malloc.hugetlb=2", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vornexapp::tunablesWithLargePages(c.current), c.expected)
            << (c.current ? c.current : "(unset)");
}

} // namespace
