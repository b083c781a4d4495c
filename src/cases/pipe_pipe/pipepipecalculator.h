#pragma once

#include "common/core/calculator.h"

namespace blachorys::core {

/** A smaller pipe set into or welded onto a larger one. */
class PipePipeCalculator final : public Calculator {
public:
    const CalculatorDefinition& definition() const override;
    CalculationResult calculate(const std::vector<std::string>& fieldTexts,
                                std::size_t developmentIndex,
                                const std::string& dateText) const override;
};

} // namespace blachorys::core
