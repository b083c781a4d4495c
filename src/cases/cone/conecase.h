#pragma once

#include "common/core/calculator.h"

namespace blachorys::core {

/** A straight or oblique frustum between two parallel circles. */
const Calculator& coneCalculator();

} // namespace blachorys::core
