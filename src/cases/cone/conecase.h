#pragma once

#include "common/core/calculator/calculator.h"

namespace blachorys::core {

/** A straight or oblique frustum between two parallel circles. */
const Calculator& coneCalculator();

} // namespace blachorys::core
