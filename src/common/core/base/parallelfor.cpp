#include "common/core/base/parallelfor.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace blachorys::core {

void parallelFor(std::size_t count, std::size_t grain,
                 const std::function<void(std::size_t, std::size_t)>& work, unsigned threads) {
    grain = std::max<std::size_t>(grain, 1);
    const std::size_t chunks = (count + grain - 1) / grain;
    if (chunks == 0) {
        return;
    }
    if (threads == 0) {
        threads = std::max(1U, std::thread::hardware_concurrency());
    }
    const auto helpers = static_cast<unsigned>(std::min<std::size_t>(threads, chunks) - 1);
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
        for (std::size_t chunk = next++; chunk < chunks; chunk = next++) {
            const std::size_t begin = chunk * grain;
            work(begin, std::min(count, begin + grain));
        }
    };
    std::vector<std::jthread> pool;
    pool.reserve(helpers);
    try {
        for (unsigned i = 0; i < helpers; ++i) {
            pool.emplace_back(run);
        }
    } catch (const std::system_error&) {
        // No thread to be had: the chunks left over run on the threads already started.
    }
    run();
    // The helpers join as the pool goes out of scope.
}

} // namespace blachorys::core
