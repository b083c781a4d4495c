#pragma once

#include "common/core/calculator/calculator.h"

namespace blachorys::core {

/** A transition piece from a circle to a rectangle in a parallel plane, developed by triangles. */
const Calculator& transitionCalculator();

} // namespace blachorys::core
