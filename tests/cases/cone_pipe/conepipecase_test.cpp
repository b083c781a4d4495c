#include "cases/calculators.h"
#include "cases/cone_pipe/conepipecase.h"
#include "common/core/calculator/outputdrawings.h"

#include "support/casetexts.h"
#include "support/fittingrange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Status = CalculationResult::Status;
using Texts = std::vector<std::string>;
using Changes = std::vector<std::pair<std::string, std::string>>;
using Messages = std::vector<Message>;

constexpr std::size_t kCone = 0;
constexpr std::size_t kPipe = 1;

const std::string kMissesPipe =
    "Blad obliczen. Prawdopodobnie STOZEK nie cala powierzchnia \"wchodzi\" w RURE";

/** The defaults with these fields changed, calculated in one mode as "Licz" does. */
CalculationResult calculate(Changes changes, std::size_t development = kCone) {
    const Calculator& calculator = conePipeCalculator();
    return calculator.calculate(
        exampleInputs(calculator.definition(), {"", "", std::move(changes)}), development,
        "08-12-2026");
}

Message warning(std::string text) {
    return {MessageKind::Warning, std::move(text)};
}

Message error(std::string text) {
    return {MessageKind::Error, std::move(text)};
}

TEST(ConePipeDefinition, DiameterNotesDependOnTheMode) {
    const auto& d = conePipeCalculator().definition();
    const auto& coneNotes = d.fields[*fieldIndex(d, "Ds")].note->linesPerDevelopment;
    ASSERT_EQ(coneNotes.size(), 2u);
    EXPECT_EQ(coneNotes[kCone],
              (Texts{"Dla stozka symetrycznego", "- krócca", "", "zwijanego z arkusza",
                     "blachy - Ds= srednicy", "sredniej stozka"}));
    EXPECT_EQ(coneNotes[kPipe].size(), 10u);
    EXPECT_EQ(coneNotes[kPipe][3], "a) \"wpuszczanego\" w plaszcz");
    const auto& pipeNotes = d.fields[*fieldIndex(d, "Dr")].note->linesPerDevelopment;
    ASSERT_EQ(pipeNotes.size(), 2u);
    EXPECT_EQ(pipeNotes[kCone][4], "Dr = srednicy wewnetrznej");
    EXPECT_EQ(pipeNotes[kPipe], (Texts{"Dla rury - plaszcza", "", "a) zwijanego z arkusza blachy",
                                       "Dr = sredniej srednicy rury", "Dr = (Dr_zew + Dr_wew)/2",
                                       "", "b)  wykonego z rury wg", "szablonu owijanego na",
                                       "rurze - Dr= sredncy", "zewnetrznej rury -", "Dr=Dr_zewn"}));
    EXPECT_FALSE(d.fields[*fieldIndex(d, "P")].note.has_value());
}

TEST(ConePipeCalculator, BothModesCalculateTheDefaults) {
    const auto cone = calculate({}, kCone);
    ASSERT_EQ(cone.status, Status::Calculated);
    EXPECT_EQ(cone.outputs->report.resultLines().size(), 53u);
    EXPECT_EQ(cone.outputs->pattern.lines.size(), 145u);
    const auto pipe = calculate({}, kPipe);
    ASSERT_EQ(pipe.status, Status::Calculated);
    EXPECT_EQ(pipe.outputs->report.resultLines().size(), 60u);
    EXPECT_EQ(pipe.outputs->pattern.lines.size(), 52u);
    EXPECT_EQ(pipe.outputs->report.headerLines(), cone.outputs->report.headerLines());
}

TEST(ConePipeCalculator, ChecksShowEveryFailureInOrderAndNoClosingMessage) {
    const auto result = calculate({{"Ds", "-1"},
                                   {"Dr", "-1"},
                                   {"Gamma", "90"},
                                   {"Beta", "0"},
                                   {"Hs", "-5"},
                                   {"L", "-1"},
                                   {"Lm", "-1"},
                                   {"N", "2001"}});
    EXPECT_EQ(result.status, Status::Refused);
    EXPECT_EQ(result.messages,
              (Messages{warning("Blad danych : Ds < 0"), warning("Blad danych : Dr < 0"),
                        warning("Blad danych : P > Dr/2"),
                        warning("Blad danych : Gamma musi byc wieksza od 0 i mniejsza od 90°"),
                        warning("Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°"),
                        warning("Blad danych : Hs < 0"), warning("Blad danych : L < 0"),
                        warning("Blad danych : Lm < 0"), warning("Blad danych : N > 2000")}));
    EXPECT_FALSE(result.outputs.has_value());
    EXPECT_EQ(calculate({{"N", "1"}}).messages, Messages{warning("Blad danych : N < 2")});
    // A pipe of no length has no sheet to hold the hole: no joint, whichever part is developed.
    for (const std::size_t development : {kPipe, kCone}) {
        EXPECT_EQ(calculate({{"L", "0"}}, development).messages,
                  Messages{warning("Blad danych : L musi byc wieksza od 0")});
    }
    // A hole past the pipe's start has no place on its sheet; the refusal names where it fits.
    for (const test::FieldChanges& changes :
         {test::FieldChanges{{"Lm", "60"}}, test::FieldChanges{{"Lm", "780"}, {"Beta", "100"}},
          test::FieldChanges{{"Lm", "60"}, {"ts", "10"}, {"tr", "8"}}}) {
        const auto said = test::messageTexts(conePipeCalculator().calculate(
            test::changedTexts(conePipeCalculator(), changes), kPipe, "d"));
        ASSERT_EQ(said.size(), 1u);
        EXPECT_EQ(said[0].rfind("Blad obliczen. Prawdopodobnie STOZEK wychodzi poza koniec RURY - "
                                "sprawdz Lm i L (pasuje Lm od ",
                                0),
                  0u)
            << said[0];
        test::expectTheRangeItNamesFits(conePipeCalculator(), changes, kPipe, "Lm");
    }
}

// Raising the cone moves every generatrix's cut away from its apex: the least Hs it names fits.
TEST(ConePipeCalculator, AFreeEndInsideThePipeNamesTheLeastHsThatFits) {
    const std::pair<test::FieldChanges, std::size_t> cases[] = {
        {{{"Hs", "300"}}, kCone},
        {{{"Hs", "200"}, {"Beta", "60"}}, kPipe},
        {{{"Hs", "300"}, {"tr", "8"}, {"ts", "10"}}, kCone},
    };
    for (const auto& [changes, development] : cases) {
        SCOPED_TRACE(changes.size());
        test::expectTheRangeItNamesFits(conePipeCalculator(), changes, development, "Hs");
    }
}

TEST(ConePipeCalculator, AnythingTypedIntoPIsReadAsANumberOrZero) {
    // P takes every key; text that is no number counts as 0, a centred cone.
    const auto typed = calculate({{"P", "4o"}}, kPipe);
    const auto zero = calculate({{"P", "0"}}, kPipe);
    ASSERT_EQ(typed.status, Status::Calculated);
    EXPECT_EQ(typed.outputs->report.resultLines(), zero.outputs->report.resultLines());
    EXPECT_EQ(calculate({{"P", "-60"}}).status, Status::Calculated);
    EXPECT_EQ(calculate({{"P", "301"}}).messages, Messages{warning("Blad danych : P > Dr/2")});
}

TEST(ConePipeCalculator, AThinPipeIsMissedAndNothingIsShown) {
    for (const char* N : {"48", "24"}) {
        for (const std::size_t development : {kCone, kPipe}) {
            const auto result = calculate({{"Dr", "100"}, {"N", N}}, development);
            EXPECT_EQ(result.status, Status::Failed);
            EXPECT_EQ(result.messages, Messages{error(kMissesPipe)});
            EXPECT_FALSE(result.outputs.has_value());
        }
    }
}

TEST(ConePipeCalculator, BoundaryValuesPassTheChecksButMayMissThePipe) {
    // P = Dr/2 passes the checks; with the cone's other defaults half of it lies past the
    // pipe's side.
    EXPECT_EQ(calculate({{"P", "300"}}).messages, Messages{error(kMissesPipe)});
    EXPECT_EQ(calculate({{"Beta", "179.9"}}).messages, Messages{error(kMissesPipe)});
    // A cone of 0.1° is nearly a cylinder of its free end's diameter: it meets the pipe.
    EXPECT_EQ(calculate({{"Gamma", "0.1"}}, kPipe).status, Status::Calculated);
}

struct InputsCase {
    const char* what;
    Changes changes;
    std::string message; ///< the error shown, or empty where the inputs calculate
};

class ConePipeFailure : public ::testing::TestWithParam<InputsCase> {};

TEST_P(ConePipeFailure, PassesTheChecksButGivesNoResults) {
    for (const std::size_t development : {kCone, kPipe}) {
        const auto result = calculate(GetParam().changes, development);
        EXPECT_EQ(result.status, Status::Failed);
        EXPECT_EQ(result.messages, Messages{error(GetParam().message)});
        EXPECT_FALSE(result.outputs.has_value());
    }
}

const std::string kNotFinite = "Blad obliczen. Prawdopodobnie dane sa zbyt duze lub zbyt male.";

INSTANTIATE_TEST_SUITE_P(
    Table, ConePipeFailure,
    ::testing::Values(
        InputsCase{"no_free_end",
                   {{"Ds", "0"}},
                   "Blad obliczen. Prawdopodobnie Ds = 0 - dzielenie przez zero."},
        InputsCase{"no_pipe",
                   {{"Dr", "0"}, {"P", "0"}},
                   "Blad obliczen. Prawdopodobnie Dr = 0 - dzielenie przez zero."},
        InputsCase{"no_pipe_negative_offset",
                   {{"Dr", "0"}, {"P", "-10"}},
                   "Blad obliczen. Prawdopodobnie Dr = 0 - dzielenie przez zero."},
        InputsCase{"parallel_generatrix",
                   {{"Beta", "162"}},
                   "Blad obliczen. Prawdopodobnie tworzaca STOZKA jest rownolegla do osi RURY."},
        InputsCase{"rising_generatrix", {{"Beta", "170"}}, kMissesPipe},
        InputsCase{"apex_inside_the_pipe", {{"Hs", "0"}, {"P", "0"}}, kMissesPipe},
        InputsCase{"from_beside_below_the_axis",
                   {{"Ds", "50"}, {"P", "-400"}, {"Gamma", "5"}, {"Beta", "30"}, {"alfa", "270"}},
                   "Blad obliczen. Prawdopodobnie STOZEK wchodzi w RURE ponizej jej osi."},
        InputsCase{"height_overflows", {{"Hs", "1e200"}}, kNotFinite},
        InputsCase{"pipe_overflows", {{"Dr", "1e308"}, {"P", "0"}}, kNotFinite},
        InputsCase{"huge_free_end", {{"Ds", "1e308"}}, kNotFinite},
        InputsCase{"apex_too_far_to_draw",
                   {{"Gamma", "1e-12"}},
                   "Blad obliczen. Prawdopodobnie kat Gamma jest zbyt maly - wierzcholek STOZKA "
                   "lezy zbyt daleko, by narysowac rozwiniecie - zwieksz Gamma (pasuje Gamma od "
                   "0.1)."},
        InputsCase{
            "touching_the_side_between_generatrices", {{"P", "300"}, {"N", "2"}}, kMissesPipe},
        InputsCase{"touching_the_other_side", {{"P", "-300"}, {"N", "2"}}, kMissesPipe},
        InputsCase{"free_end_inside_the_pipe",
                   {{"Hs", "300"}},
                   "Blad obliczen. Prawdopodobnie wolny koniec STOZKA lezy wewnatrz RURY - "
                   "zwieksz Hs (pasuje Hs od 324.8)."}),
    [](const auto& info) { return std::string(info.param.what); });

class ConePipeUnusualInputs : public ::testing::TestWithParam<InputsCase> {};

// Inputs at the edges of what the checks let through still give whole patterns: the cone's
// seam edges are one generatrix (equally long), the hole's outline closes, and every hole
// point lies on the sheet's lower half (the cone enters from above).
TEST_P(ConePipeUnusualInputs, GiveClosedPatterns) {
    const auto cone = calculate(GetParam().changes, kCone);
    ASSERT_EQ(cone.status, Status::Calculated)
        << (cone.messages.empty() ? "" : cone.messages[0].text);
    const auto edges = dxfLinesOf(*cone.outputs);
    const std::size_t N = (edges.size() - 1) / 3;
    const DxfLine& firstSeam = edges[2 * N];
    const DxfLine& lastSeam = edges[2 * N + 1];
    ASSERT_EQ(firstSeam.colour, 6);
    ASSERT_EQ(lastSeam.colour, 6);
    EXPECT_NEAR(std::hypot(firstSeam.x2, firstSeam.y2), std::hypot(lastSeam.x2, lastSeam.y2), 1e-6);

    const auto pipe = calculate(GetParam().changes, kPipe);
    ASSERT_EQ(pipe.status, Status::Calculated);
    const auto hole = dxfLinesOf(*pipe.outputs);
    ASSERT_EQ(hole.size(), N + 4);
    // Within 0.1 µm: where a generatrix only touches the pipe, a rounding error in the sine of
    // the cut's angle moves the point round the pipe by its square root.
    EXPECT_NEAR(hole.back().x2, hole[4].x1, 1e-4);
    EXPECT_NEAR(hole.back().y2, hole[4].y1, 1e-4);
    const double halfRound = hole[1].y2 / 2; // the rectangle's right edge is π·Dr long
    for (std::size_t i = 4; i < hole.size(); ++i) {
        EXPECT_TRUE(hole[i].y1 >= 0.0 && hole[i].y1 <= halfRound + 1e-9) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConePipeUnusualInputs,
    ::testing::Values(
        InputsCase{"nearly_a_cylinder", {{"Gamma", "0.1"}}, ""},
        InputsCase{"wide",
                   {{"Gamma", "30"}, {"Hs", "1400"}, {"Dr", "2000"}, {"L", "3000"}, {"Lm", "1500"}},
                   ""},
        InputsCase{"nearly_along_the_pipe",
                   {{"Beta", "10"}, {"Hs", "600"}, {"Gamma", "5"}, {"Dr", "1000"}, {"L", "6000"}},
                   ""},
        InputsCase{
            "reversed", {{"Beta", "150"}, {"Gamma", "10"}, {"L", "1500"}, {"Lm", "800"}}, ""},
        InputsCase{"seam_turned", {{"alfa", "-725.5"}}, ""},
        InputsCase{"most_divisions", {{"N", "2000"}}, ""}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace blachorys::core
