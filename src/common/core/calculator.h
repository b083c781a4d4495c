#pragma once

#include "common/core/calculationresult.h"
#include "common/core/calculatordefinition.h"

#include <cstddef>
#include <string>
#include <vector>

namespace blachorys::core {

/** One calculator: its definition and its calculation from field texts. */
class Calculator {
public:
    virtual ~Calculator() = default;
    virtual const CalculatorDefinition& definition() const = 0;
    /**
     * Runs the calculation on the fields' texts (in creation order) for the development at
     * `developmentIndex`. Texts that are not numbers count as "0", as the window's first pass
     * makes them. `dateText` goes into the report's footer.
     */
    virtual CalculationResult calculate(const std::vector<std::string>& fieldTexts,
                                        std::size_t developmentIndex,
                                        const std::string& dateText) const = 0;
};

} // namespace blachorys::core
