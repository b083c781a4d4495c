#pragma once

#include "common/core/geometry/point.h"

#include <functional>

namespace blachorys::core {

/** A closed outline on a flat pattern, at a parameter that runs once round it over 2π. */
using OutlineAt = std::function<PatternPoint(double parameter)>;

/** Whether the outline runs anticlockwise as its parameter grows (its area, from `samples`). */
bool runsAnticlockwise(const OutlineAt& outline, int samples = 64);

/**
 * The unit normal of the outline at `parameter`, on its outward side (the right of its run
 * when it runs anticlockwise); none where the outline does not move.
 */
PatternPoint outwardNormalOf(const OutlineAt& outline, double parameter, bool anticlockwise);

} // namespace blachorys::core
