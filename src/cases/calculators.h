#pragma once

#include "common/core/calculator.h"

#include <string_view>
#include <vector>

namespace blachorys::core {

/** The calculators that are built, in menu order. */
const std::vector<const Calculator*>& calculators();

/** The calculator with this lower-case name key ("rurarura"), or nullptr. */
const Calculator* findCalculator(std::string_view key);

} // namespace blachorys::core
