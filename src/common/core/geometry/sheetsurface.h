#pragma once

#include "common/core/geometry/point.h"
#include "common/core/geometry/space.h"

#include <functional>

namespace blachorys::core {

/**
 * Where a point of the flat pattern lies once the sheet is formed, on one surface of its wall:
 * the pattern's millimetres rolled (or bent) back into the joint's space, z up.
 */
using SheetSurface = std::function<Point3(PatternPoint)>;

/** How far a point of space lies from a surface or a plane, mm. */
using DistanceTo = std::function<double(Point3)>;

} // namespace blachorys::core
