#pragma once

// Hostile inputs for every calculator: seeded, reproducible input sets as a pasted text, a saved
// file or the command line can carry them, and the checks every result of them must pass.
// Standard C++ only, so the core sweep, the command-line sample and the fuzzers share it.

#include "common/core/calculationresult.h"
#include "common/core/calculator.h"
#include "common/core/dxftemplatewriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace blachorys::test {

/** SplitMix64: the same numbers from the same seed on every platform and library. */
class SeededNumbers {
public:
    explicit SeededNumbers(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    /** A whole number in [0, count); count > 0. */
    std::size_t below(std::size_t count) { return static_cast<std::size_t>(next() % count); }
    /** A real number in [0, 1). */
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    bool chance(double probability) { return unit() < probability; }

private:
    std::uint64_t m_state;
};

/** One input set: the development, the fields' texts and the choices. */
struct HostileSet {
    std::size_t development = 0;
    core::CalculatorInputs inputs;
};

/**
 * The `index`-th set of the sweep of `definition` from `seed`. Each set depends only on the
 * seed, the calculator's key and the index, so any one of them can be run again alone.
 *
 * Most fields keep an example's value or one near it; the others get a hostile text: out of
 * range, zero, negative, empty, garbage ("abc", "1.2.3", "-", ".", "5-"), extreme ("1e308",
 * "1e-320", "-0", long digit strings), or what a key filter stops but a file or the command
 * line carries ("nan", "inf", "1e3", "24.5", Unicode digits, 10,000 characters). Whole-number
 * fields range from -5 to 3000, mostly small: large divisions are slow to calculate.
 */
HostileSet hostileSet(const core::CalculatorDefinition& definition, std::uint64_t seed,
                      std::uint64_t index);

/** The kinds of fault `resultProblems` finds; each problem text starts with its kind. */
inline constexpr const char* kNoMessage = "no message";
inline constexpr const char* kNotFinite = "not finite";
inline constexpr const char* kUnreadableDxf = "unreadable DXF";
inline constexpr const char* kCutReport = "report line";
inline constexpr const char* kBadTemplate = "template";

/**
 * What is wrong with a result: a kind with no message when not calculated, or outputs that
 * disagree with the kind; when calculated, any number of the outputs that is not finite
 * (geometry, report text, preview pixels, template pages), a DXF text that a reader cannot
 * read back to the same lines, a report line cut to its capacity, or a template plan
 * that is neither a plan nor a reason. Empty when all is well.
 */
std::vector<std::string> resultProblems(const core::CalculationResult& result);

/** What is wrong with the 3-D view of calculated outputs: a number of its scene, fit or frame
 * that is not finite. Empty when all is well. */
std::vector<std::string> viewProblems(const core::CalculationOutputs& outputs);

/**
 * Why `dxfText` does not read back as exactly `lines` (one LINE entity each, same layer and
 * colour, coordinates within the file's two decimals), or empty. Reads group-code and value
 * pairs as any DXF reader does, without the writer's code.
 */
std::string dxfReadBackProblem(const std::string& dxfText, const std::vector<core::DxfLine>& lines);

/** The set as a readable line for a failure message: development and field=text pairs. */
std::string describe(const core::CalculatorDefinition& definition, const HostileSet& set);

} // namespace blachorys::test
