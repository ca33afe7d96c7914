// Pieces shared between threads: each runs once, and a throwing piece neither ends a helper
// thread nor hides which piece failed first; pieces placed in order stay in order, within their
// window, on the calling thread, and stop where placing fails.
#include "Shared/Base/WorkSharing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
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

// Slices cover every item once, none past the count, each as long as asked but the last; a
// slice length of 0 counts as 1.
TEST(WorkSharing, SlicesCoverEveryItemOnceInRunsOfTheGivenLength) {
    for (const auto& shape : std::vector<std::pair<std::size_t, std::size_t>>{
             {0, 4}, {1, 4}, {4, 4}, {5, 4}, {1000, 7}, {1000, 1}, {3, 0}, {10, 100}}) {
        const std::size_t count = shape.first;
        const std::size_t slice = shape.second;
        std::vector<std::atomic<int>> runs(count);
        std::atomic<bool> wrongLength{false};
        shareSlices(count, slice, [&](std::size_t begin, std::size_t end) {
            const std::size_t wanted = std::max<std::size_t>(slice, 1);
            if (begin % wanted != 0 || end - begin != std::min(wanted, count - begin))
                wrongLength = true;
            for (std::size_t i = begin; i < end; ++i)
                ++runs[i];
        });
        EXPECT_FALSE(wrongLength) << count << " by " << slice;
        for (std::size_t i = 0; i < count; ++i)
            ASSERT_EQ(runs[i], 1) << count << " by " << slice << ", item " << i;
    }
}

TEST(WorkSharing, PiecesArePlacedInOrderOnTheCallerWithinTheWindowAndStopWherePlacingFails) {
    constexpr std::size_t kPieces = 300;
    struct Case {
        std::size_t window;
        std::size_t refused;  // place returns false (or throws) here, or kPieces
        std::size_t throwing; // prepare throws here, or kPieces
        bool refusalThrows = false;
    };
    for (const Case& c :
         {Case{1, kPieces, kPieces}, Case{3, kPieces, kPieces}, Case{3, 120, kPieces},
          Case{2, kPieces, 77}, Case{4, 0, kPieces}, Case{2, 200, kPieces, true}}) {
        std::mutex mutex;
        std::vector<std::size_t> order;
        std::vector<int> prepared(kPieces, 0);
        std::atomic<std::size_t> preparedCount{0};
        std::size_t widest = 0;
        const std::thread::id caller = std::this_thread::get_id();
        bool all = false;
        std::string raised;
        try {
            all = shareInOrder(
                kPieces, c.window,
                [&](std::size_t k) {
                    if (k == c.throwing)
                        throw std::runtime_error(std::to_string(k));
                    // The first piece lags, so that the others would run ahead of the window
                    // if it let them.
                    for (int wait = 0; k == 0 && wait < 50 && preparedCount <= c.window; ++wait)
                        std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    const std::lock_guard<std::mutex> lock(mutex);
                    prepared[k] = 1;
                    ++preparedCount;
                    widest = std::max(widest, preparedCount - order.size());
                },
                [&](std::size_t k) {
                    const std::lock_guard<std::mutex> lock(mutex);
                    EXPECT_EQ(prepared[k], 1) << "piece " << k << " placed unprepared";
                    EXPECT_EQ(std::this_thread::get_id(), caller) << "piece " << k;
                    order.push_back(k);
                    if (k == c.refused && c.refusalThrows)
                        throw std::runtime_error(std::to_string(k));
                    return k != c.refused;
                });
        } catch (const std::runtime_error& e) {
            raised = e.what();
        }
        const std::size_t last = std::min(c.refused + 1, c.throwing);
        EXPECT_EQ(all, c.refused == kPieces && c.throwing == kPieces);
        const std::size_t thrown = c.refusalThrows ? c.refused : c.throwing;
        EXPECT_EQ(raised, thrown == kPieces ? "" : std::to_string(thrown));
        // Every piece before the stop in order, the one placing refused too; none after it.
        std::vector<std::size_t> expected(std::min(last, kPieces));
        for (std::size_t k = 0; k < expected.size(); ++k)
            expected[k] = k;
        EXPECT_EQ(order, expected) << "window " << c.window;
        EXPECT_LE(widest, c.window);
        EXPECT_LE(preparedCount, std::min(kPieces, last + c.window));
    }
}

} // namespace
} // namespace vx
