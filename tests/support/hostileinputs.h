#pragma once

// Hostile inputs for every calculator: seeded, reproducible input sets as a pasted text, a saved
// file or the command line can carry them, and the checks every result of them must pass.
// Standard C++ only, so the core sweep, the command-line sample and the fuzzers share it.

#include "common/core/calculator/calculationresult.h"
#include "common/core/calculator/calculator.h"
#include "common/core/plate/platesettings.h"
#include "common/core/sheets/dxftemplatewriter.h"

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

/** One input set: the development, the fields' texts and the choices, and the plate. */
struct HostileSet {
    std::size_t development = 0;
    core::CalculatorInputs inputs;
    /** The plate, the parts and the gap the job is cut with (`--plate`, `--parts`). */
    core::PlateSettings plate;
    /** How a welded cut's edge is prepared (`--edge`). */
    core::EdgeSettings edge;
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

/**
 * The `index`-th set of sizes up to far past any workshop's: an example's inputs with all its
 * millimetre fields multiplied by one factor from 10 to 10^12 (a joint tens of metres to
 * millions of kilometres across), or some of them each by its own (a cone 2·10^11 mm across
 * and 30 cm high, an elbow's radius of 5·10^10 mm), an angle now and then of a million
 * degrees, N up to the largest, a plate thickness in most (so the material list is made), the
 * pieces split in up to kMostParts and nested on a plate up to the largest. Most of them
 * calculate: the geometry of a joint scaled up is still a joint.
 */
HostileSet hugeSet(const core::CalculatorDefinition& definition, std::uint64_t seed,
                   std::uint64_t index);

/** The inputs of `definition`'s calculator once found to take minutes and gigabytes. */
std::vector<HostileSet> knownHugeSets(const core::CalculatorDefinition& definition);

/** The kinds of fault `resultProblems` finds; each problem text starts with its kind. */
inline constexpr const char* kNoMessage = "no message";
inline constexpr const char* kNotFinite = "not finite";
inline constexpr const char* kUnreadableDxf = "unreadable DXF";
inline constexpr const char* kCutReport = "report line";
inline constexpr const char* kBadTemplate = "template";
inline constexpr const char* kBadMaterialList = "material list";
inline constexpr const char* kBadCncDrawing = "CNC drawing";
inline constexpr const char* kBadNesting = "nesting";

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
 * What is wrong with the set's every output, as the window and the command line make them from
 * it: the result as `resultProblems` sees it, then the job for the set's plate (split, with its
 * material list, whose columns must stand apart, no number run into the next), the template, the
 * cutting table's drawing and the nesting of what is cut (each made, or refused with a reason,
 * and finite), and the 3-D view.
 */
struct OutputsCheck {
    bool calculated = false;
    std::vector<std::string> problems;
};
OutputsCheck everyOutputProblems(const core::Calculator& calculator, const HostileSet& set);

/**
 * Why `dxfText` does not read back as exactly `lines` (one LINE entity each, same layer and
 * colour, coordinates within the file's two decimals), or empty. Reads group-code and value
 * pairs as any DXF reader does, without the writer's code.
 */
std::string dxfReadBackProblem(const std::string& dxfText, const std::vector<core::DxfLine>& lines);

/**
 * The set as a readable line for a failure message: development, choices and field=text pairs,
 * and the plate's options where they are not the defaults.
 */
std::string describe(const core::CalculatorDefinition& definition, const HostileSet& set);

} // namespace blachorys::test
