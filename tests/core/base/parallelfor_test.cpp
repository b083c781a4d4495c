#include "common/core/base/parallelfor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace blachorys::core {
namespace {

TEST(ParallelFor, EveryIndexOnceInChunksOfTheGrain) {
    for (const std::size_t count : {0UL, 1UL, 7UL, 64UL, 1001UL}) {
        for (const std::size_t grain : {1UL, 8UL, 100UL, 5000UL}) {
            for (const unsigned threads : {1U, 2U, 3U, 0U}) {
                std::vector<std::atomic<int>> visits(count);
                std::mutex mutex;
                std::set<std::pair<std::size_t, std::size_t>> chunks;
                parallelFor(
                    count, grain,
                    [&](std::size_t begin, std::size_t end) {
                        for (std::size_t i = begin; i < end; ++i) {
                            ++visits[i];
                        }
                        const std::lock_guard lock(mutex);
                        chunks.emplace(begin, end);
                    },
                    threads);
                for (std::size_t i = 0; i < count; ++i) {
                    ASSERT_EQ(visits[i], 1) << count << ' ' << grain << ' ' << threads << ' ' << i;
                }
                // The chunks are fixed by the count and the grain, never by the threads.
                std::set<std::pair<std::size_t, std::size_t>> expected;
                for (std::size_t begin = 0; begin < count; begin += grain) {
                    expected.emplace(begin, std::min(count, begin + grain));
                }
                EXPECT_EQ(chunks, expected) << count << ' ' << grain << ' ' << threads;
            }
        }
    }
}

TEST(ParallelFor, OneThreadIsTheCallingThread) {
    const std::thread::id caller = std::this_thread::get_id();
    std::set<std::thread::id> seen;
    parallelFor(
        100, 10, [&](std::size_t, std::size_t) { seen.insert(std::this_thread::get_id()); }, 1);
    EXPECT_EQ(seen, std::set<std::thread::id>{caller});
}

TEST(ParallelFor, ReturnsOnlyWhenEveryChunkIsDone) {
    std::atomic<int> done{0};
    parallelFor(
        16, 1,
        [&](std::size_t, std::size_t) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            ++done;
        },
        4);
    EXPECT_EQ(done, 16);
}

} // namespace
} // namespace blachorys::core
