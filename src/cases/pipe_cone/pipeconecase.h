#pragma once

#include "common/core/calculator.h"

namespace blachorys::core {

/** A pipe set into or welded onto the mantle of a cone, which may be oblique. */
const Calculator& pipeConeCalculator();

} // namespace blachorys::core
