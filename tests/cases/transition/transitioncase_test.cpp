#include "cases/calculators.h"
#include "cases/transition/transitioncase.h"

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
    return test::changedTexts(transitionCalculator(), std::move(changes)).fieldTexts;
}

CalculationResult calculate(const Texts& texts) {
    return transitionCalculator().calculate(texts, 0, "08-12-2026");
}

TEST(TransitionCalculator, DefaultsCalculate) {
    const auto result = calculate(changed({}));
    ASSERT_EQ(result.status, Status::Calculated);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.outputs->report.resultLines().size(), 60u);
    EXPECT_EQ(result.outputs->pattern.lines.size(), 105u);
}

TEST(TransitionCalculator, ChecksShowEveryFailureInOrderAndNoClosingMessage) {
    EXPECT_EQ(messageTexts(calculate(changed({{"N", "1"}}))), Texts{"Blad danych : N < 2"});
    EXPECT_EQ(messageTexts(calculate(changed({{"N", ""}}))), Texts{"Blad danych : N < 2"});
    EXPECT_EQ(calculate(changed({{"N", "2"}})).status, Status::Calculated);
    EXPECT_EQ(calculate(changed({{"N", "500"}})).status, Status::Calculated);
    EXPECT_EQ(messageTexts(calculate(changed({{"N", "501"}}))), Texts{"Blad danych : N > 2000"});
    // Negative values can only come pasted, from a file or the command line; each is named
    // once, in the order of the checks, not of the fields.
    const auto all = calculate(
        changed({{"H", "-1"}, {"D", "-2"}, {"B", "-3"}, {"A", "-4"}, {"N", "0"}, {"PA", "-5"}}));
    EXPECT_EQ(all.status, Status::Refused);
    EXPECT_EQ(messageTexts(all),
              (Texts{"Blad danych : N < 2", "Blad danych : A < 0", "Blad danych : B < 0",
                     "Blad danych : D < 0", "Blad danych : H < 0"}));
    for (const auto& message : all.messages) {
        EXPECT_EQ(message.kind, MessageKind::Warning);
    }
    EXPECT_FALSE(all.outputs.has_value());
}

struct InputsCase {
    const char* what;
    Texts texts;
    const char* message = "";
};

class TransitionFailure : public ::testing::TestWithParam<InputsCase> {};

TEST_P(TransitionFailure, PassesTheChecksButGivesNoResults) {
    const auto result = calculate(GetParam().texts);
    EXPECT_EQ(result.status, Status::Failed);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(result.messages[0].text, GetParam().message);
    EXPECT_FALSE(result.outputs.has_value());
}

constexpr const char* kZeroSide =
    "Blad obliczen. Prawdopodobnie A = 0 lub B = 0 - dzielenie przez zero.";
constexpr const char* kZeroDiameter =
    "Blad obliczen. Prawdopodobnie D = 0 - brak obwodu kola do rozwiniecia.";
constexpr const char* kCornerOnCircle =
    "Blad obliczen. Prawdopodobnie H = 0 i naroznik prostokata lezy na kole.";

INSTANTIATE_TEST_SUITE_P(
    Table, TransitionFailure,
    ::testing::Values(
        InputsCase{"no_width", changed({{"A", "0"}}), kZeroSide},
        InputsCase{"no_height", changed({{"B", "0"}}), kZeroSide},
        InputsCase{"no_rectangle", changed({{"A", "0"}, {"B", "0"}, {"H", "0"}}), kZeroSide},
        InputsCase{"no_circle", changed({{"D", "0"}}), kZeroDiameter},
        // Corner 1 at (150, 0), on the circle, in the circle's plane.
        InputsCase{"corner_on_the_circle", changed({{"H", "0"}, {"PA", "75"}, {"PB", "-110"}}),
                   kCornerOnCircle},
        InputsCase{"corner_a_hair_off_the_circle",
                   changed({{"H", "0"}, {"PA", "75.0000001"}, {"PB", "-110"}}), kCornerOnCircle},
        InputsCase{"lengths_overflow", changed({{"H", "1e200"}}), kNotFiniteMessage},
        InputsCase{"offset_overflows", changed({{"PA", "-1e300"}}), kNotFiniteMessage},
        InputsCase{"circle_overflows", changed({{"D", "1e308"}}), kNotFiniteMessage}),
    [](const auto& info) { return std::string(info.param.what); });

class TransitionUnusualInputs : public ::testing::TestWithParam<InputsCase> {};

TEST_P(TransitionUnusualInputs, GiveOnlyFiniteOutputs) {
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
    Table, TransitionUnusualInputs,
    ::testing::Values(InputsCase{"flat_plate", changed({{"H", "0"}, {"A", "400"}, {"B", "400"}})},
                      InputsCase{"flat_corner_near_the_circle",
                                 changed({{"H", "0"}, {"PA", "76"}, {"PB", "-110"}})},
                      InputsCase{"overhanging", changed({{"PA", "250"}, {"PB", "-60"}})},
                      InputsCase{"far_off", changed({{"PA", "-5000"}, {"PB", "3000"}})},
                      InputsCase{"tiny_circle", changed({{"D", "0.001"}})},
                      InputsCase{"rectangle_inside_circle",
                                 changed({{"A", "20"}, {"B", "10"}, {"D", "2000"}})},
                      InputsCase{"very_tall", changed({{"H", "1e7"}})}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace blachorys::core
