#pragma once

#include <algorithm>
#include <cmath>
#include <span>

namespace blachorys::core {

/**
 * True when every value is a finite number. A construction that overflows or divides by zero
 * leaves infinities or NaN behind; none of them may reach a report, a DXF or a drawing.
 */
inline bool allFinite(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace blachorys::core
