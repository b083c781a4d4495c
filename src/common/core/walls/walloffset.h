#pragma once

#include "common/core/geometry/sheetsurface.h"

namespace blachorys::core {

/**
 * The face of a wall `outward` mm from `surface` along its normal, away from the line through
 * `axisPoint` along `axisDirection` (a cone's or a transition's axis): the plate's other faces
 * drawn about the surface its pattern is developed on. The normal is taken across a hundredth
 * of a millimetre of the pattern, so that across a sharp fold it is the two sides' mean.
 */
SheetSurface offsetAlongNormal(SheetSurface surface, double outward, Point3 axisPoint,
                               Point3 axisDirection);

} // namespace blachorys::core
