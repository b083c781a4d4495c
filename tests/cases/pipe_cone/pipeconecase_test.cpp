#include "cases/calculators.h"
#include "cases/pipe_cone/pipeconecase.h"
#include "common/core/calculator/fieldreading.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/core/sheets/dxftemplatewriter.h"

#include "support/casetexts.h"
#include "support/fittingrange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Status = CalculationResult::Status;
using Texts = std::vector<std::string>;
constexpr std::size_t kPipe = 0;
constexpr std::size_t kCone = 1;

using Changes = std::vector<std::pair<std::string, std::string>>;

/** The default field texts with some changed, in creation order. */
Texts changed(Changes changes) {
    return exampleInputs(pipeConeCalculator().definition(), {"", "", std::move(changes)})
        .fieldTexts;
}

CalculationResult calculate(const Texts& texts, std::size_t development = kPipe) {
    return pipeConeCalculator().calculate(texts, development, "08-12-2026");
}

/** What the window shows, box by box, for the defaults with some fields changed. */
Texts messagesFor(Changes changes, std::size_t development = kPipe) {
    const CalculationResult result = calculate(changed(std::move(changes)), development);
    Texts texts(result.messages.size());
    std::transform(result.messages.begin(), result.messages.end(), texts.begin(),
                   [](const Message& message) { return message.text; });
    return texts;
}

TEST(PipeConeDefinition, WindowSelectorAndScheme) {
    const auto& d = pipeConeCalculator().definition();
    const auto& w = d.window;
    EXPECT_EQ(w.formName, "RuraStozek");
    EXPECT_EQ(nameKey(d).substr(0, 7), "RURASTO");
    EXPECT_EQ(w.caption, "Połączenie : Rura - stożek");
    EXPECT_EQ(w.components.resultsMemo, "RSMemo_Wyniki");
    EXPECT_EQ(w.components.noteMemo, "RSMemoOpisSRednic");
    EXPECT_EQ(w.components.schemeButton, "SchematWynikowRS");
    EXPECT_EQ(w.components.outputPrefix, "RS"); // RSZapiszRysunek, RSZapiszWyniki, ...
    EXPECT_EQ(w.components.calculateButton, "Button1");
    EXPECT_EQ(w.previewName, "TRSWynikiRysunek");
    EXPECT_EQ(w.previewCaption, "Wyniki - Rysunek (Rura-Stożek)");
    EXPECT_EQ(w.previewStartupOrder, 1);
    EXPECT_EQ(w.jointPictureWidth, 280);
    EXPECT_EQ(w.jointPictureHeight, 286);
    ASSERT_EQ(d.developments.size(), 2u);
    EXPECT_EQ(d.developments[kPipe].objectName, "RSRadioButRozwRur");
    EXPECT_EQ(d.developments[kPipe].caption, "Rozwinięcie RURY - króćca");
    EXPECT_EQ(d.developments[kPipe].schemeButtonCaption, "Schemat wyników - Rura");
    EXPECT_EQ(d.developments[kPipe].schemePicture, "w_rs_r");
    EXPECT_EQ(d.developments[kCone].objectName, "RSRadioButRozwStoz");
    EXPECT_EQ(d.developments[kCone].caption, "Rozwinięcie STOŻKA - płaszcza");
    EXPECT_EQ(d.developments[kCone].schemeButtonCaption, "Schemat wyników - Stożek");
    EXPECT_EQ(d.developments[kCone].schemePicture, "w_rs_p");
}

TEST(PipeConeDefinition, DiameterNotesFollowTheDevelopment) {
    const auto& d = pipeConeCalculator().definition();
    const auto& branch = d.fields[*fieldIndex(d, "Dr")].note->linesPerDevelopment;
    ASSERT_EQ(branch.size(), 2u);
    EXPECT_EQ(branch[kPipe].size(), 12u);
    EXPECT_EQ(branch[kPipe][1], " ");
    EXPECT_EQ(branch[kPipe][9], "rurze - Dr= sredncy");
    EXPECT_EQ(branch[kCone],
              (Texts{"Dla rury - krócca", " ", "a) \"wpuszczanego\" w plaszcz",
                     "Dr = srednicy zewnetrznej", "rury , Dr=Dr_zew", " ",
                     "a) spawanego na plaszczu", "Dr = srednicy wewnetrznej", "rury , Dr=Dr_wew"}));
    // Dsm and Dsd share theirs; its separators are empty lines, not spaces.
    const auto& cone = d.fields[*fieldIndex(d, "Dsm")].note->linesPerDevelopment;
    EXPECT_EQ(d.fields[*fieldIndex(d, "Dsd")].note->linesPerDevelopment, cone);
    EXPECT_EQ(cone[kPipe].size(), 9u);
    EXPECT_EQ(cone[kPipe][5], "");
    EXPECT_EQ(cone[kCone], (Texts{"Dla stozka - plaszcza", "", "zwijanego z arkusza blachy",
                                  "Dsm i Dsd = srednej srednicy stozka"}));
    EXPECT_FALSE(d.fields[*fieldIndex(d, "P")].note.has_value());
}

TEST(PipeConeCalculator, ChecksShowEveryFailureInOrderAndNoClosingMessage) {
    // An empty N reads as 0 divisions.
    EXPECT_EQ(messagesFor({{"N", ""}}), Texts{"Blad danych : N < 2"});
    EXPECT_EQ(messagesFor({{"Beta", "180"}, {"N", "1"}, {"Dsm", "800"}}, kCone),
              (Texts{"Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°",
                     "Blad danych : N < 2", "Blad danych : Dsm = Dsd "}));
    // A pipe of no diameter is refused before the cone is looked at; so is, through it, a cone
    // of no large end, which no pipe can be narrower than.
    EXPECT_EQ(messagesFor({{"Dr", "0"}, {"P", "0"}}),
              Texts{"Blad danych : Dr musi byc wieksza od 0"});
    EXPECT_EQ(messagesFor({{"Dsd", "0"}, {"Dr", "0"}, {"P", "0"}}, kCone),
              Texts{"Blad danych : Dr musi byc wieksza od 0"});
    // A negative value typed past the key filter, where no check of the case refuses it.
    EXPECT_EQ(messagesFor({{"Hs", "-1000"}, {"Beta", "-5"}}),
              (Texts{"Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°",
                     "Blad danych : Hs < 0"}));
}

struct FailingCase {
    const char* what;
    Texts texts;
    std::size_t development;
};

void PrintTo(const FailingCase& failing, std::ostream* os) {
    *os << failing.what;
}

/** Inputs that pass the checks, the one error box they end in, and no results. */
struct ConstructionFailure {
    FailingCase inputs;
    std::string message;
};

void PrintTo(const ConstructionFailure& failure, std::ostream* os) {
    *os << failure.inputs.what;
}

class PipeConeFailure : public ::testing::TestWithParam<ConstructionFailure> {};

TEST(PipeConeFailure, AnEndFaceInsideTheConeNamesTheLeastHrThatFits) {
    const std::string endInside = "Blad obliczen. Prawdopodobnie koniec RURY lezy wewnatrz "
                                  "STOZKA (tworzaca h < 0) - zwieksz Hr (pasuje Hr od ";
    const test::FieldChanges walls = {{"tr", "8"}, {"ts", "10"}};
    for (const test::FieldChanges& changes :
         {test::FieldChanges{{"Hr", "300"}}, test::FieldChanges{{"Hr", "0"}, {"Beta", "70"}},
          test::FieldChanges{{"Hr", "300"}, {"tr", "8"}, {"ts", "10"}},
          test::FieldChanges{{"Hr", "300"}, {"tr", "8"}, {"ts", "10"}, {"Beta", "60"}}}) {
        const CalculationResult result = pipeConeCalculator().calculate(
            test::changedTexts(pipeConeCalculator(), changes), kPipe, "d");
        ASSERT_EQ(result.messages.size(), 1u);
        EXPECT_EQ(result.messages[0].text.rfind(endInside, 0), 0u) << result.messages[0].text;
        test::expectTheRangeItNamesFits(pipeConeCalculator(), changes, kPipe, "Hr");
    }
}

// Lm moves the pipe along the cone: the range it names is bounded by the end faces, or where
// the pipe would stop meeting the cone whole, with the cut through a wall too.
TEST(PipeConeFailure, APipePastAnEndNamesTheRangeOfLmThatFits) {
    const std::pair<test::FieldChanges, std::size_t> cases[] = {
        {{{"Lm", "950"}}, kPipe},
        {{{"Lm", "-200"}, {"P", "100"}}, kPipe},
        {{{"Lm", "950"}, {"Beta", "60"}}, kCone},
        {{{"Lm", "-200"}, {"P", "100"}, {"tr", "8"}, {"ts", "10"}}, kPipe},
        {{{"Lm", "950"}, {"Beta", "60"}, {"tr", "8"}, {"ts", "10"}}, kCone},
    };
    for (const auto& [changes, development] : cases) {
        SCOPED_TRACE(changes.front().second + (development == kPipe ? " rura" : " stozek"));
        test::expectTheRangeItNamesFits(pipeConeCalculator(), changes, development, "Lm");
    }
}

TEST_P(PipeConeFailure, EndsInOneErrorBoxAndNoResults) {
    const FailingCase& in = GetParam().inputs;
    const CalculationResult result = calculate(in.texts, in.development);
    EXPECT_EQ(result.status, Status::Failed);
    EXPECT_EQ(result.messages, (std::vector<Message>{{MessageKind::Error, GetParam().message}}));
    EXPECT_FALSE(result.outputs.has_value());
}

const std::string kNoCone =
    "Blad obliczen. Prawdopodobnie Dsd = 0 lub Hs = 0 - dzielenie przez zero.";
const std::string kMisses =
    "Blad obliczen. Prawdopodobnie RURA nie cala powierzchnia \"wchodzi\" w STOZEK";
const std::string kParallel =
    "Blad obliczen. Prawdopodobnie tworzaca RURY jest rownolegla do tworzacej STOZKA.";
const std::string kPastAnEnd =
    "Blad obliczen. Prawdopodobnie RURA wychodzi poza koniec STOZKA - sprawdz Lm, Hs i BETA";
const std::string kEndInsideTheCone =
    "Blad obliczen. Prawdopodobnie koniec RURY lezy wewnatrz STOZKA - RURA nie wychodzi ze "
    "STOZKA - zmien BETA, Hr lub Lm.";
const std::string kOverTheSeam =
    "Blad obliczen. Prawdopodobnie otwor przecina linie ciecia (szew) STOZKA - zmien P.";

INSTANTIATE_TEST_SUITE_P(
    Table, PipeConeFailure,
    ::testing::Values(
        ConstructionFailure{{"no_length", changed({{"Hs", "0"}}), kPipe}, kNoCone},
        ConstructionFailure{{"no_length_mantle", changed({{"Hs", "0"}}), kCone}, kNoCone},
        ConstructionFailure{
            {"pipe_wider_than_the_cone",
             changed({{"Dr", "600"}, {"Dsm", "300"}, {"P", "0"}, {"Lm", "300"}, {"E", "0"}}),
             kPipe},
            kMisses + " (pasuje Lm od 637.0 do 699.9)"},
        ConstructionFailure{{"pipe_wider_than_the_cone_mantle",
                             changed({{"Dr", "600"},
                                      {"Dsm", "300"},
                                      {"P", "0"},
                                      {"Lm", "300"},
                                      {"E", "0"},
                                      {"Beta", "85"}}),
                             kCone},
                            kMisses + " (pasuje Lm od 637.0 do 663.8)"},
        ConstructionFailure{
            {"along_a_cone_generator", changed({{"E", "0"}, {"Beta", "5.710593137499643"}}), kPipe},
            kParallel},
        ConstructionFailure{{"length_underflows", changed({{"Hs", "1e-320"}}), kCone},
                            kNotFiniteMessage},
        ConstructionFailure{{"huge_diameters",
                             changed({{"Dsd", "1e308"}, {"Dr", "1e308"}, {"Dsm", "1e307"}}), kPipe},
                            kNotFiniteMessage},
        ConstructionFailure{
            {"huge_height", changed({{"Hr", "1.7e308"}, {"Beta", "1e-300"}, {"E", "0"}}), kPipe},
            kNotFiniteMessage},
        ConstructionFailure{{"past_the_small_end", changed({{"Lm", "-200"}, {"P", "100"}}), kCone},
                            kPastAnEnd + " (pasuje Lm od 125.1 do 874.9)."},
        ConstructionFailure{{"past_the_large_end", changed({{"Lm", "950"}}), kCone},
                            kPastAnEnd + " (pasuje Lm od 556.3 do 874.9)."},
        ConstructionFailure{{"past_the_large_end_pipe", changed({{"Lm", "950"}}), kPipe},
                            kPastAnEnd + " (pasuje Lm od 556.3 do 874.9)."},
        ConstructionFailure{
            {"nearly_parallel_to_the_cone", changed({{"E", "0"}, {"Beta", "5.72"}}), kPipe},
            kPastAnEnd + " (nie pasuje zadne Lm)."},
        // Inclined more steeply than the wide cone's side, the pipe meets it only behind the
        // axis and its end stands inside: it was developed through the cone's inside.
        ConstructionFailure{{"steeper_than_the_cone_side",
                             changed({{"Dsd", "2865"}, {"Dsm", "185"}, {"Beta", "42.8"}}), kPipe},
                            kEndInsideTheCone},
        ConstructionFailure{{"steeper_than_the_cone_side_mantle",
                             changed({{"Dsd", "2865"}, {"Dsm", "185"}, {"Beta", "42.8"}}), kCone},
                            kEndInsideTheCone},
        ConstructionFailure{
            {"steeper_than_the_cone_side_walls",
             changed({{"Dsd", "2865"}, {"Dsm", "185"}, {"Beta", "42.8"}, {"tr", "2"}}), kPipe},
            kEndInsideTheCone},
        ConstructionFailure{
            {"hole_over_the_seam",
             changed({{"Dr", "100"}, {"P", "320"}, {"Beta", "160"}, {"E", "0"}, {"N", "12"}}),
             kCone},
            kOverTheSeam}),
    [](const auto& info) { return std::string(info.param.inputs.what); });

class PipeConeUnusualInputs : public ::testing::TestWithParam<FailingCase> {};

TEST_P(PipeConeUnusualInputs, GiveOnlyFiniteOutputs) {
    CalculationResult result;
    // Numbers are formatted only when finite: a value that slipped through would throw here.
    ASSERT_NO_THROW(result = calculate(GetParam().texts, GetParam().development));
    ASSERT_EQ(result.status, Status::Calculated)
        << (result.messages.empty() ? "" : result.messages[0].text);
    EXPECT_TRUE(hasFiniteGeometry(result.outputs->pattern));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PipeConeUnusualInputs,
    ::testing::Values(
        FailingCase{"larger_small_end", changed({{"Dsm", "1000"}, {"P", "100"}}), kCone},
        FailingCase{"cone_to_a_point", changed({{"Dsm", "0"}, {"P", "0"}, {"Lm", "700"}}), kCone},
        FailingCase{"negative_offsets", changed({{"P", "-150"}, {"E", "-300"}}), kCone},
        FailingCase{"thinnest_pipe", changed({{"Dr", "0.001"}}), kPipe},
        FailingCase{"thinnest_pipe_mantle", changed({{"Dr", "0.001"}}), kCone},
        FailingCase{"steep_both_ways", changed({{"Beta", "150"}, {"alfa", "400"}}), kCone},
        FailingCase{
            "far_side_of_the_section",
            changed({{"Dr", "100"}, {"P", "-320"}, {"Beta", "160"}, {"E", "0"}, {"N", "12"}}),
            kCone},
        FailingCase{"nearly_a_cylinder", changed({{"Dsm", "799.999"}}), kCone}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(PipeConeReferenceCalculator, EveryExampleGivesTheSameTextsAsTheFastOne) {
    // The committed report and DXF files were made by the straightforward loops; the fast fans
    // must give them byte for byte, N = 2000 included.
    const auto& definition = pipeConeCalculator().definition();
    EXPECT_EQ(pipeConeReferenceCalculator().definition().key, definition.key);
    for (const ExampleInputs& example : definition.examples) {
        const CalculatorInputs texts = exampleInputs(definition, example);
        const std::size_t development = developmentIndex(definition, example.development).value();
        const CalculationResult fast =
            pipeConeCalculator().calculate(texts, development, "08-12-2026");
        const CalculationResult reference =
            pipeConeReferenceCalculator().calculate(texts, development, "08-12-2026");
        ASSERT_TRUE(fast.outputs && reference.outputs) << example.name;
        EXPECT_EQ(fast.outputs->report.allLines(), reference.outputs->report.allLines())
            << example.name;
        EXPECT_EQ(DxfTemplateWriter::documentText(dxfLinesOf(*fast.outputs)),
                  DxfTemplateWriter::documentText(dxfLinesOf(*reference.outputs)))
            << example.name;
    }
}

} // namespace
} // namespace blachorys::core
