#pragma once

#include "common/core/calculator/calculator.h"

namespace blachorys::core {

/** A smaller pipe set into or welded onto a larger one. */
const Calculator& pipePipeCalculator();

} // namespace blachorys::core
