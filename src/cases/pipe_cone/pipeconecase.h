#pragma once

#include "common/core/calculator/calculator.h"

namespace blachorys::core {

/** A pipe set into or welded onto the mantle of a cone, which may be oblique. */
const Calculator& pipeConeCalculator();

/**
 * The same calculator with the mantle unrolled by the straightforward reference loops: for
 * the benchmarks and the tests that hold the fast one to it. It is in no menu.
 */
const Calculator& pipeConeReferenceCalculator();

} // namespace blachorys::core
