#pragma once

#include "common/core/calculator.h"

namespace blachorys::core {

/** A straight or oblique frustum between two parallel circles. */
class ConeCalculator final : public Calculator {
public:
    const CalculatorDefinition& definition() const override;
    CalculationResult calculate(const std::vector<std::string>& fieldTexts,
                                std::size_t developmentIndex,
                                const std::string& dateText) const override;
};

} // namespace blachorys::core
