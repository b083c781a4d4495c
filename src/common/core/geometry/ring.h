#pragma once

#include "common/core/geometry/point.h"

#include <vector>

namespace blachorys::core {

/** A closed ring of points, mm: its last point joins its first, which it does not repeat. */
using Ring = std::vector<PatternPoint>;

/** The area a ring encloses, mm²: positive when it runs anticlockwise (the shoelace). */
double ringArea(const Ring& ring);

/** The point lies inside the ring, counted odd-even (a point on it may fall either way). */
bool ringEncloses(const Ring& ring, PatternPoint p);

/** The length round a ring, mm. */
double ringLength(const Ring& ring);

} // namespace blachorys::core
