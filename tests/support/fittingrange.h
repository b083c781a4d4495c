#pragma once

#include "common/core/calculator/calculator.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <regex>
#include <string>

namespace blachorys::test {

/**
 * A refusal that says what would fit, "(pasuje Lm od 150.0 do 850.0)" or "(pasuje H od 396.9)",
 * tried: the ends it names calculate, a fifth of a millimetre beyond them is refused again.
 * The refusal's messages (a construction's one, or the failed checks') name it once.
 */
inline void expectTheRangeItNamesFits(const core::Calculator& calculator, FieldChanges changes,
                                      std::size_t development, const std::string& field) {
    const auto refused = calculator.calculate(changedTexts(calculator, changes), development, "d");
    ASSERT_NE(refused.status, core::CalculationResult::Status::Calculated);
    std::string said;
    for (const auto& message : refused.messages) {
        said += message.text + "\n";
    }
    const std::regex named("\\(pasuje " + field + " od (-?[0-9.]+)(?: do (-?[0-9.]+))?\\)");
    std::smatch range;
    ASSERT_TRUE(std::regex_search(said, range, named)) << said;
    EXPECT_EQ(std::distance(std::sregex_iterator(said.begin(), said.end(), named),
                            std::sregex_iterator()),
              1)
        << said;
    const auto withField = [&](double value) {
        FieldChanges tried = changes;
        tried.push_back({field, std::to_string(value)});
        return calculator.calculate(changedTexts(calculator, tried), development, "d").status;
    };
    const double low = std::stod(range[1]);
    EXPECT_EQ(withField(low), core::CalculationResult::Status::Calculated) << said;
    EXPECT_NE(withField(low - 0.2), core::CalculationResult::Status::Calculated) << said;
    if (range[2].matched) {
        const double high = std::stod(range[2]);
        EXPECT_EQ(withField(high), core::CalculationResult::Status::Calculated) << said;
        EXPECT_NE(withField(high + 0.2), core::CalculationResult::Status::Calculated) << said;
    }
}

} // namespace blachorys::test
