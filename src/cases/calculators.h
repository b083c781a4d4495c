#pragma once

#include "common/core/calculator/calculator.h"

#include <string_view>
#include <vector>

namespace blachorys::core {

/** The calculators, in the product menu's order: the one list everything iterates over. */
const std::vector<const Calculator*>& calculators();

/** The calculator with this command-line key, or nullptr. */
const Calculator* findCalculator(std::string_view key);

} // namespace blachorys::core
