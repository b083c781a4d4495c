#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/**
 * What a refusal says would fit: "(pasuje Lm od 152.3 do 847.7)", the ends rounded inward to the
 * report's tenth so that typing either one fits; "(nie pasuje zadne Lm)" when nothing between;
 * nothing when an end is not a finite number.
 */
std::string fittingRangeText(const std::string& name, double lowest, double highest);

/** "(pasuje H od 412.3)": the least value that fits, rounded up to the report's tenth. */
std::string fittingFromText(const std::string& name, double lowest);

/** The ends of the values that fit round a value that does; nothing for an end not found. */
struct FittingEnds {
    std::optional<double> lowest;
    std::optional<double> highest;
};

/**
 * Where `fits` stops holding on either side of `start`, a value that fits, by the fitting
 * search (`endOfFitting`) walking out from it each way; nothing at either end when `start` does
 * not fit. For a fit that is only a yes or a no: a range of one input over which the case's
 * checks and its construction pass, the other inputs as they are.
 */
FittingEnds endsWhereFits(const std::function<bool(double)>& fits, double start);

/**
 * The first of `starts` that fits, and the ends round it as `endsWhereFits` finds them; both
 * ends nothing when none fits.
 */
FittingEnds endsWhereFitsFromAny(const std::function<bool(double)>& fits,
                                 const std::vector<double>& starts);

/**
 * "(pasuje P od -275.0 do 275.0)" for both ends, "(pasuje H od 12.3)" for the lowest alone;
 * nothing otherwise.
 */
std::string fittingEndsText(const std::string& name, const FittingEnds& ends);

/**
 * A refusal with what would fit put before its closing full stop, or after its last word where
 * it has none; as it is when nothing fits.
 */
std::string withWhatFits(std::string refusal, const std::string& fitting);

} // namespace blachorys::core
