#pragma once

#include "common/core/calculator/calculator.h"

#include <ostream>

namespace blachorys::core {

/** Tests parameterised over the registry name each calculator by its key, not its address. */
inline void PrintTo(const Calculator* calculator, std::ostream* out) {
    *out << calculator->definition().key;
}

} // namespace blachorys::core
