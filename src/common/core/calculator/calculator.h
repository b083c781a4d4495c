#pragma once

#include "common/core/calculator/calculationresult.h"
#include "common/core/calculator/calculatordefinition.h"
#include "common/core/calculator/fieldreading.h"

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
     * Runs the calculation on the fields as read (`readFields`) for the development at
     * `developmentIndex`. `dateText` goes into the report's footer.
     */
    virtual CalculationResult calculate(const FieldReading& fields, std::size_t developmentIndex,
                                        const std::string& dateText) const = 0;
    /** The same on the inputs' texts and choices. */
    CalculationResult calculate(const CalculatorInputs& inputs, std::size_t developmentIndex,
                                const std::string& dateText) const {
        return calculate(readFields(definition(), inputs), developmentIndex, dateText);
    }
    /** The same on the fields' texts alone, every selector at its first choice. */
    CalculationResult calculate(const std::vector<std::string>& fieldTexts,
                                std::size_t developmentIndex, const std::string& dateText) const {
        return calculate(CalculatorInputs{fieldTexts, {}}, developmentIndex, dateText);
    }
};

} // namespace blachorys::core
