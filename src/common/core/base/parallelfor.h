#pragma once

#include <cstddef>
#include <functional>

namespace blachorys::core {

/**
 * Runs `work(begin, end)` over [0, count) in chunks of `grain` indices, on the calling thread
 * and on up to `threads` − 1 others (0: one per hardware thread). A thread takes the next
 * chunk when it finishes one, so a slow chunk does not hold the others up. The chunks depend
 * on `count` and `grain` alone: work that writes only its own indices gives the same result
 * whatever the number of threads. `work` must not throw.
 */
void parallelFor(std::size_t count, std::size_t grain,
                 const std::function<void(std::size_t, std::size_t)>& work, unsigned threads = 0);

} // namespace blachorys::core
