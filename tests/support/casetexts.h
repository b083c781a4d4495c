#pragma once

#include "common/core/calculator/calculator.h"

#include <string>
#include <utility>
#include <vector>

namespace blachorys::test {

using FieldChanges = std::vector<std::pair<std::string, std::string>>;

/** A calculator's default inputs with some replaced, by field or selector name. */
inline core::CalculatorInputs changedTexts(const core::Calculator& calculator,
                                           FieldChanges changes) {
    return core::exampleInputs(calculator.definition(), {"", "", std::move(changes)});
}

/** The texts of a result's messages, in order. */
inline std::vector<std::string> messageTexts(const core::CalculationResult& result) {
    std::vector<std::string> texts;
    for (const auto& message : result.messages) {
        texts.push_back(message.text);
    }
    return texts;
}

} // namespace blachorys::test
