#include "common/core/calculator/fittingrange.h"

#include "common/core/base/numbertext.h"
#include "common/core/geometry/fittingsearch.h"

#include <cmath>

namespace blachorys::core {
namespace {

/** A hair of rounding, so that a value that fits exactly is not moved to the next tenth. */
constexpr double kTenthRounding = 1e-9;

double upToTenth(double value) {
    return std::ceil(value * 10 - kTenthRounding) / 10;
}

double downToTenth(double value) {
    return std::floor(value * 10 + kTenthRounding) / 10;
}

} // namespace

std::string fittingRangeText(const std::string& name, double lowest, double highest) {
    const double low = upToTenth(lowest);
    const double high = downToTenth(highest);
    if (!std::isfinite(low) || !std::isfinite(high)) {
        return "";
    }
    if (!(low <= high)) {
        return "(nie pasuje zadne " + name + ")";
    }
    return "(pasuje " + name + " od " + formatReport(low) + " do " + formatReport(high) + ")";
}

std::string fittingFromText(const std::string& name, double lowest) {
    if (!std::isfinite(upToTenth(lowest))) {
        return "";
    }
    return "(pasuje " + name + " od " + formatReport(upToTenth(lowest)) + ")";
}

FittingEnds endsWhereFits(const std::function<bool(double)>& fits, double start) {
    if (!fits(start)) {
        return {};
    }
    // Level where it fits, nothing where not: the search walks out in doubling steps to the
    // first value that does not fit, then halves its way back to the end.
    const auto level = [&fits](double sign) {
        return [&fits, sign](double x) -> std::optional<double> {
            return fits(x) ? std::optional(sign) : std::nullopt;
        };
    };
    return {endOfFitting(level(1.0), start, true), endOfFitting(level(-1.0), start, false)};
}

FittingEnds endsWhereFitsFromAny(const std::function<bool(double)>& fits,
                                 const std::vector<double>& starts) {
    for (const double start : starts) {
        if (fits(start)) {
            return endsWhereFits(fits, start);
        }
    }
    return {};
}

std::string fittingEndsText(const std::string& name, const FittingEnds& ends) {
    if (ends.lowest && ends.highest) {
        return fittingRangeText(name, *ends.lowest, *ends.highest);
    }
    if (ends.lowest) {
        return fittingFromText(name, *ends.lowest);
    }
    return "";
}

std::string withWhatFits(std::string refusal, const std::string& fitting) {
    if (fitting.empty() || refusal.empty()) {
        return refusal;
    }
    if (refusal.back() != '.') {
        // "Dsm = Dsd " ends in its space.
        return refusal.back() == ' ' ? refusal + fitting : refusal + " " + fitting;
    }
    refusal.pop_back();
    return refusal + " " + fitting + ".";
}

} // namespace blachorys::core
