#include "common/core/fittingrange.h"

#include "common/core/numbertext.h"

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

std::string withWhatFits(std::string refusal, const std::string& fitting) {
    if (fitting.empty() || refusal.empty() || refusal.back() != '.') {
        return refusal;
    }
    refusal.pop_back();
    return refusal + " " + fitting + ".";
}

} // namespace blachorys::core
