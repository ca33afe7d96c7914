// Pieces shared between threads: each runs once, and a throwing piece neither ends a helper
// thread nor hides which piece failed first.
#include "Shared/Base/WorkSharing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

namespace vx {
namespace {

TEST(WorkSharing, EveryPieceRunsOnceAndTheFirstFailingPieceIsRaised) {
    constexpr std::size_t kPieces = 200;
    for (const std::vector<std::size_t>& failing :
         std::vector<std::vector<std::size_t>>{{}, {150}, {150, 7, 60}}) {
        std::vector<std::atomic<int>> runs(kPieces);
        std::string raised;
        try {
            shareWork(kPieces, [&](std::size_t i) {
                ++runs[i];
                for (std::size_t f : failing)
                    if (i == f)
                        throw std::runtime_error(std::to_string(i));
            });
        } catch (const std::runtime_error& e) {
            raised = e.what();
        }
        std::size_t first = kPieces;
        for (std::size_t f : failing)
            first = std::min(first, f);
        EXPECT_EQ(raised, failing.empty() ? "" : std::to_string(first));
        // One after the other, pieces after the first failure do not run; shared, every piece
        // runs, and none twice.
        for (std::size_t i = 0; i < kPieces; ++i)
            EXPECT_EQ(runs[i], workHelpers() == 0 && i > first ? 0 : 1) << "piece " << i;
    }
    // The helpers are still there for the next job.
    std::atomic<std::size_t> total{0};
    shareWork(kPieces, [&](std::size_t i) { total += i; });
    EXPECT_EQ(total, kPieces * (kPieces - 1) / 2);
}

} // namespace
} // namespace vx
