#pragma once

#include "common/core/calculator/calculator.h"

namespace blachorys::core {

/** A mitred pipe elbow of Ns segments: the patterns of its end and middle segments. */
const Calculator& elbowCalculator();

} // namespace blachorys::core
