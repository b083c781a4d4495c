// Sizes far past any workshop's through every output the core makes (the report with its
// material list, the template's plan, the cutting table's drawing, the nesting, the 3-D view),
// each set in a child process of its own under a CPU budget and an address-space limit: a
// huge piece is given or refused, within a few seconds and a few hundred megabytes, never at
// a cost that grows with its size. BLACHORYS_HUGE_SETS and BLACHORYS_SWEEP_SEED change the
// count and the seed; a failure names the seed and the set.
#include "cases/calculators.h"
#include "support/calculatorprinter.h"
#include "support/hostileinputs.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "support/boundedrun.h"

#include <cstdio>
#include <cstdlib>

namespace blachorys::test {
namespace {

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

/** CPU seconds one set may take through every output. */
constexpr double kCpuSecondsPerSet = 3.0;

struct Outcome {
    std::uint64_t sets = 0;
    std::uint64_t calculated = 0;
    double slowest = 0.0;
    long largestKb = 0;
    int failures = 0;
};

/** Runs one set bounded; a failure names `name`, which reruns it. */
void runSet(const core::Calculator& calculator, const HostileSet& set, const std::string& name,
            Outcome& outcome) {
    const RunBounds bounds = boundsFor(kCpuSecondsPerSet);
    const BoundedRun run = runBounded(
        [&] {
            // The first character says whether it calculated, the problems follow.
            const OutputsCheck check = everyOutputProblems(calculator, set);
            std::string text = check.calculated ? "+" : "-";
            for (const std::string& problem : check.problems) {
                text += problem + "\n";
            }
            return text;
        },
        bounds);
    ++outcome.sets;
    const bool calculated = run.finished && run.text.starts_with('+');
    outcome.calculated += calculated ? 1 : 0;
    const std::string problems = run.finished ? run.text.substr(1) : run.text;
    outcome.slowest = std::max(outcome.slowest, run.cpuSeconds);
    outcome.largestKb = std::max(outcome.largestKb, run.peakResidentKb);
    const bool withinBounds = run.finished && run.cpuSeconds <= bounds.cpuSeconds &&
                              run.peakResidentKb <= kMostResidentKb;
    if ((!withinBounds || !problems.empty()) && outcome.failures++ < 5) {
        ADD_FAILURE() << name << ": " << describe(calculator.definition(), set) << "\n  "
                      << (run.finished ? "" : "did not finish: ") << problems.substr(0, 600)
                      << "\n  " << run.cpuSeconds << " s CPU (at most " << bounds.cpuSeconds
                      << "), " << run.peakResidentKb / 1024 << " MiB resident (at most "
                      << kMostResidentKb / 1024 << ")";
    }
}

class HugeSweep : public ::testing::TestWithParam<const core::Calculator*> {};

TEST_P(HugeSweep, EverySetGoesThroughEveryOutputWithinItsTimeAndMemory) {
    const core::Calculator& calculator = *GetParam();
    const auto& definition = calculator.definition();
    const std::uint64_t sets = fromEnvironment("BLACHORYS_HUGE_SETS", 16);
    const std::uint64_t seed = fromEnvironment("BLACHORYS_SWEEP_SEED", 17);
    Outcome outcome;
    for (const HostileSet& set : knownHugeSets(definition)) {
        runSet(calculator, set, "a known huge set", outcome);
    }
    for (std::uint64_t index = 0; index < sets; ++index) {
        runSet(calculator, hugeSet(definition, seed, index),
               "seed " + std::to_string(seed) + ", huge set " + std::to_string(index), outcome);
    }
    const auto n = [](std::uint64_t count) { return static_cast<unsigned long long>(count); };
    std::printf("[sweep] %s: %llu huge sets (seed %llu), %llu calculated, through every output; "
                "the slowest %.2f s CPU, the largest %ld MiB resident\n",
                definition.key.c_str(), n(outcome.sets), n(seed), n(outcome.calculated),
                outcome.slowest, outcome.largestKb / 1024);
    // The sets reach the outputs, not only the checks (a joint's hole past its pipe's end is
    // refused in both developments).
    EXPECT_GE(outcome.calculated * 4, outcome.sets) << "fewer than a quarter calculated";
}

INSTANTIATE_TEST_SUITE_P(Registry, HugeSweep, ::testing::ValuesIn(core::calculators()),
                         [](const auto& info) { return info.param->definition().key; });

} // namespace
} // namespace blachorys::test
#endif
