#pragma once

#include "common/core/calculator/calculator.h"

namespace blachorys::core {

/** A symmetric cone entering a pipe: the cone's pattern and the pipe's sheet with the hole. */
const Calculator& conePipeCalculator();

} // namespace blachorys::core
