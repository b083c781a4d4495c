#pragma once

#include "common/core/geometry/obliquecone.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace blachorys::core {

/**
 * The developed angle that a mantle point's fan of `kPointSteps` triangles gives it, for each
 * section angle of `phis` (0..2π from the cut), from far fewer fans than one a point.
 *
 * The fan's angle depends on the section angle alone, not on the point's height: every section
 * is the large end's scaled towards the apex, and so is every triangle of its fan. Over the
 * range of `phis` it is a smooth function of φ, run as the large end's fan at the Chebyshev
 * points of that range and interpolated between them; the points are doubled until two
 * interpolations agree within 1e-13 rad at every φ asked for (1e-8 mm at 100 m from the apex).
 *
 * Nothing when that takes more than `mostFans` fans (a cone whose generators pass close by
 * the apex turns its development sharply, and needs a fan for each point), when the range is
 * empty or a single angle, or when a fan gives no finite angle. The fans of the Chebyshev
 * points run on up to `threads` cores (0: all); the result does not depend on how many.
 */
std::optional<std::vector<double>> interpolatedPointAngles(const ConeMantle& cone,
                                                           std::span<const double> phis,
                                                           std::size_t mostFans,
                                                           unsigned threads = 0);

} // namespace blachorys::core
