#include "util/ParallelFor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

// Every index is worked on exactly once, whatever the count beside the cores.
TEST(ParallelFor, CallsEveryIndexOnce) {
    for (const qsizetype count : {0, 1, 2, 3, 14, 1000}) {
        std::vector<std::atomic<int>> calls(static_cast<std::size_t>(count));
        parallelFor(count, [&](qsizetype i) { ++calls[std::size_t(i)]; });
        for (qsizetype i = 0; i < count; ++i)
            EXPECT_EQ(calls[std::size_t(i)], 1) << i << " of " << count;
    }
}

// The work is shared with other threads where the machine has more than one
// core, and everything is done when the call returns.
TEST(ParallelFor, SharesTheWorkAndWaitsForIt) {
    std::mutex mutex;
    std::set<std::thread::id> threads;
    std::atomic<int> done{0};
    parallelFor(64, [&](qsizetype) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        {
            const std::lock_guard lock(mutex);
            threads.insert(std::this_thread::get_id());
        }
        ++done;
    });
    EXPECT_EQ(done, 64);
    if (std::thread::hardware_concurrency() > 1) {
        EXPECT_GT(threads.size(), 1u);
    }
}

} // namespace
