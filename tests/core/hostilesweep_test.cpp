// The hostile-input sweep through the core: for every calculator of the registry, many seeded
// input sets of every sort a user, a file or the command line can give. Each must end in one of
// the three kinds with its messages, and a calculated one in outputs whose every number is
// finite and whose DXF reads back. BLACHORYS_SWEEP_SETS and BLACHORYS_SWEEP_SEED change the
// count and the seed (scripts/sweep.sh); a failure names the set, which reruns alone.
#include "cases/calculators.h"
#include "support/calculatorprinter.h"
#include "support/hostileinputs.h"
#include "support/sanitized.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace blachorys::test {
namespace {

using Clock = std::chrono::steady_clock;

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

/**
 * Every so many sets also draw their 3-D view: unrolling a cone to roll its pattern back costs
 * more than the rest of a set.
 */
constexpr std::uint64_t kViewEvery = 8;

/** One set running longer than this is a hang: the sweep stops and names the set. */
constexpr auto kHangLimit = std::chrono::seconds(60);

/** Ends the process, naming the set, when one set runs past the hang limit. */
class Watchdog {
public:
    Watchdog()
        : m_thread([this] {
              std::unique_lock lock(m_mutex);
              while (!m_stop) {
                  m_wake.wait_for(lock, std::chrono::milliseconds(200));
                  if (!m_current.empty() && Clock::now() - m_started > kHangLimit) {
                      std::fprintf(stderr, "hang: over %lld s on %s\n",
                                   static_cast<long long>(kHangLimit.count()), m_current.c_str());
                      std::abort();
                  }
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    void watch(std::string description) {
        std::lock_guard lock(m_mutex);
        m_current = std::move(description);
        m_started = Clock::now();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_current;
    Clock::time_point m_started;
    bool m_stop = false;
    std::thread m_thread;
};

/** The kind a problem of `resultProblems` names, or "other". */
std::string faultOf(const std::string& problem) {
    for (const char* kind : {kNoMessage, kNotFinite, kUnreadableDxf, kCutReport, kBadTemplate}) {
        if (problem.starts_with(kind)) {
            return kind;
        }
    }
    return "other";
}

class HostileSweep : public ::testing::TestWithParam<const core::Calculator*> {};

TEST_P(HostileSweep, EverySetEndsInOneKindWithFiniteOutputsAndAReadableDxf) {
    const core::Calculator& calculator = *GetParam();
    const auto& definition = calculator.definition();
    // Under AddressSanitizer each set takes some five times as long: a quarter of the sets
    // there looks for memory faults, the whole sweep runs in the plain build.
    const std::uint64_t sets =
        fromEnvironment("BLACHORYS_SWEEP_SETS", test::kAddressSanitized ? 5000 : 20000);
    const std::uint64_t seed = fromEnvironment("BLACHORYS_SWEEP_SEED", 17);
    Watchdog watchdog;
    using Status = core::CalculationResult::Status;
    std::map<Status, std::uint64_t> kinds;
    std::map<std::string, std::uint64_t> faults;
    double slowest = 0.0;
    std::string slowestSet;
    const auto start = Clock::now();
    std::uint64_t failingSets = 0;
    for (std::uint64_t index = 0; index < sets; ++index) {
        const HostileSet set = hostileSet(definition, seed, index);
        watchdog.watch("set " + std::to_string(index) + ": " + describe(definition, set));
        const auto begin = Clock::now();
        const core::CalculationResult result =
            calculator.calculate(set.inputs, set.development, "08-12-2026");
        std::vector<std::string> problems = resultProblems(result);
        if (index % kViewEvery == 0 && result.outputs && problems.empty()) {
            problems = viewProblems(*result.outputs);
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        if (seconds > slowest) {
            slowest = seconds;
            slowestSet = describe(definition, set);
        }
        ++kinds[result.status];
        std::set<std::string> faultsHere;
        for (const std::string& problem : problems) {
            faultsHere.insert(faultOf(problem));
        }
        for (const std::string& fault : faultsHere) {
            ++faults[fault];
        }
        if (!problems.empty() && failingSets++ < 5) {
            ADD_FAILURE() << "seed " << seed << ", set " << index << ": "
                          << describe(definition, set) << "\n  " << problems.front()
                          << (problems.size() > 1 ? " (and more)" : "");
        }
    }
    watchdog.watch({});
    const double total = std::chrono::duration<double>(Clock::now() - start).count();
    // Reaching this line, no set crashed the sweep or hung it (the watchdog ends it).
    const auto n = [](std::uint64_t count) { return static_cast<unsigned long long>(count); };
    std::printf("[sweep] %s: %llu sets (seed %llu): %llu calculated, %llu refused, %llu failed; "
                "crashes 0, hangs 0 (slowest set %.3f s); sets with non-finite numbers %llu, "
                "unreadable DXF %llu, a cut report line %llu, a template fault %llu, no message "
                "%llu, other faults %llu; %.1f s\n",
                definition.key.c_str(), n(sets), n(seed), n(kinds[Status::Calculated]),
                n(kinds[Status::Refused]), n(kinds[Status::Failed]), slowest, n(faults[kNotFinite]),
                n(faults[kUnreadableDxf]), n(faults[kCutReport]), n(faults[kBadTemplate]),
                n(faults[kNoMessage]), n(faults["other"]), total);
    std::printf("[sweep] %s: the slowest set: %s\n", definition.key.c_str(), slowestSet.c_str());
    EXPECT_EQ(kinds[Status::Calculated] + kinds[Status::Refused] + kinds[Status::Failed], sets);
    // The sweep reaches the geometry, not only the checks.
    // Random joints mostly do not fit (a branch past an end, a free end inside the pipe), and
    // are refused, whichever part is developed; enough of them still fit to try the outputs.
    EXPECT_GE(kinds[Status::Calculated] * 60, sets) << "fewer than a sixtieth calculated";
}

INSTANTIATE_TEST_SUITE_P(Registry, HostileSweep, ::testing::ValuesIn(core::calculators()),
                         [](const auto& info) { return info.param->definition().key; });

} // namespace
} // namespace blachorys::test
