#include "cases/calculators.h"
#include "cases/cone/conecase.h"

#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using test::messageTexts;

using Status = CalculationResult::Status;
using Texts = std::vector<std::string>;

Texts changed(test::FieldChanges changes) {
    return test::changedTexts(coneCalculator(), std::move(changes)).fieldTexts;
}

CalculationResult calculate(const Texts& texts) {
    return coneCalculator().calculate(texts, 0, "08-12-2026");
}

TEST(ConeCalculator, DefaultsCalculate) {
    const auto result = calculate(changed({}));
    ASSERT_EQ(result.status, Status::Calculated);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.outputs->report.resultLines().size(), 28u);
    EXPECT_EQ(result.outputs->pattern.lines.size(), 73u);
}

TEST(ConeCalculator, ChecksShowEveryFailureAndNoClosingMessage) {
    EXPECT_EQ(messageTexts(calculate(changed({{"N", "1"}}))), Texts{"Blad danych : N < 2"});
    EXPECT_EQ(messageTexts(calculate(changed({{"N", "0"}}))), Texts{"Blad danych : N < 2"});
    // An empty or non-numeric N is 0 divisions.
    EXPECT_EQ(messageTexts(calculate(changed({{"N", ""}}))), Texts{"Blad danych : N < 2"});
    EXPECT_EQ(messageTexts(calculate(changed({{"N", "2001"}}))), Texts{"Blad danych : N > 2000"});
    const auto both = calculate(changed({{"N", "1"}, {"Dsm", "800"}}));
    EXPECT_EQ(both.status, Status::Refused);
    EXPECT_EQ(messageTexts(both), (Texts{"Blad danych : N < 2", "Blad danych : Dsm = Dsd "}));
    for (const auto& message : both.messages) {
        EXPECT_EQ(message.kind, MessageKind::Warning);
    }
    EXPECT_FALSE(both.outputs.has_value());
    // "5-" is not a number: it counts as 0, as the window's first pass makes it.
    EXPECT_EQ(messageTexts(calculate(changed({{"Dsd", "5-"}, {"Dsm", "0"}}))),
              Texts{"Blad danych : Dsm = Dsd "});
}

TEST(ConeCalculator, FractionInNIsOneError) {
    const auto result = calculate(changed({{"N", "24.5"}}));
    EXPECT_EQ(result.status, Status::Refused);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(result.messages[0].text, "Blad danych : '24.5' nie jest liczba calkowita");
}

struct FailingCase {
    const char* what;
    Texts texts;
};

class ConeFailure : public ::testing::TestWithParam<FailingCase> {};

TEST_P(ConeFailure, PassesTheChecksButGivesNoResults) {
    const auto result = calculate(GetParam().texts);
    EXPECT_EQ(result.status, Status::Failed);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(result.messages[0].text.rfind("Blad obliczen. Prawdopodobnie ", 0), 0u)
        << result.messages[0].text;
    EXPECT_FALSE(result.outputs.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConeFailure,
    ::testing::Values(FailingCase{"no_dsd_edge", changed({{"Dsd", "0"}})},
                      FailingCase{"no_length", changed({{"Hs", "0"}})},
                      FailingCase{"no_length_no_dsd", changed({{"Hs", "0"}, {"Dsd", "0"}})},
                      FailingCase{"length_underflows",
                                  changed({{"Hs", "1e-320"}, {"Dsd", "1e-10"}})},
                      FailingCase{"apex_overflows", changed({{"Dsd", "1e308"}, {"Hs", "1e308"}})},
                      FailingCase{"offset_overflows", changed({{"E", "1e300"}, {"Dsm", "799.9"}})},
                      FailingCase{"huge_diameters", changed({{"Dsd", "1e307"}, {"Dsm", "1e306"}})}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ConeCalculator, FailureMessageNamesTheZeroDivisor) {
    EXPECT_EQ(messageTexts(calculate(changed({{"Hs", "0"}}))),
              Texts{"Blad obliczen. Prawdopodobnie Dsd = 0 lub Hs = 0 - dzielenie przez zero."});
}

class ConeUnusualInputs : public ::testing::TestWithParam<FailingCase> {};

TEST_P(ConeUnusualInputs, GiveOnlyFiniteOutputs) {
    CalculationResult result;
    // Numbers are formatted only when finite: a value that slipped through would throw here.
    ASSERT_NO_THROW(result = calculate(GetParam().texts));
    ASSERT_EQ(result.status, Status::Calculated)
        << (result.messages.empty() ? "" : result.messages[0].text);
    EXPECT_TRUE(hasFiniteGeometry(result.outputs->pattern));
    const PreviewFrame& p = result.outputs->look.frame;
    EXPECT_GT(p.xMax - p.xMin, 0.0);
    EXPECT_GT(p.yMax - p.yMin, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConeUnusualInputs,
    ::testing::Values(FailingCase{"first_edge_larger", changed({{"Dsm", "1200"}})},
                      FailingCase{"to_a_point", changed({{"Dsm", "0"}})},
                      FailingCase{"negative_seam_and_offset",
                                  changed({{"alfa", "-45.5"}, {"E", "-300"}})},
                      FailingCase{"offset_far_out", changed({{"E", "50000"}})},
                      FailingCase{"very_short", changed({{"Hs", "0.001"}})},
                      FailingCase{"very_long", changed({{"Hs", "1e9"}})},
                      FailingCase{"nearly_a_cylinder", changed({{"Dsm", "799.999"}})},
                      FailingCase{"two_divisions", changed({{"N", "2"}})},
                      FailingCase{"most_divisions", changed({{"N", "2000"}, {"alfa", "33.3"}})}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace blachorys::core
