#pragma once

#include "common/core/geometry/ring.h"

#include <optional>
#include <vector>

namespace blachorys::core {

/**
 * Coordinates the clipping takes at most, mm: it works to a nanometre in 64-bit whole numbers,
 * which hold a million kilometres.
 */
inline constexpr double kLargestClippedCoordinateMm = 1e12;

/**
 * The regions the rings enclose, each ring's by itself whichever way round it runs (so a hole
 * ring given back in is filled), joined into one: its outer rings anticlockwise, the holes left
 * in it clockwise. Nothing when
 * a coordinate is not finite or beyond kLargestClippedCoordinateMm.
 */
std::optional<std::vector<Ring>> unionOf(const std::vector<Ring>& rings);

/** The region of `from` less that of `minus`, as rings; nothing as `unionOf`. */
std::optional<std::vector<Ring>> differenceOf(const std::vector<Ring>& from,
                                              const std::vector<Ring>& minus);

/**
 * The piece `rings` enclose, filled odd-even (an outline and its holes, whichever way each
 * runs), within the region of `within`; nothing as `unionOf`.
 */
std::optional<std::vector<Ring>> intersectionOf(const std::vector<Ring>& rings,
                                                const std::vector<Ring>& within);

/**
 * The region the rings enclose grown outward by `distance`, mm, its corners rounded to within
 * `arcTolerance` of the true arc; nothing as `unionOf`.
 */
std::optional<std::vector<Ring>> grownBy(const std::vector<Ring>& rings, double distance,
                                         double arcTolerance);

} // namespace blachorys::core
