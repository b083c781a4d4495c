#include "cases/calculators.h"
#include "cases/elbow/elbowcase.h"

#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using test::messageTexts;

using Status = CalculationResult::Status;
using Texts = std::vector<std::string>;

Texts changed(test::FieldChanges changes) {
    return test::changedTexts(elbowCalculator(), std::move(changes)).fieldTexts;
}

CalculationResult calculate(const Texts& texts) {
    return elbowCalculator().calculate(texts, 0, "08-12-2026");
}

TEST(ElbowDefinition, WindowNamesHintsAndTheNote) {
    const auto& d = elbowCalculator().definition();
    const auto& w = d.window;
    EXPECT_EQ(w.formName, "KolanoSegm");
    EXPECT_EQ(w.components.calculateButton, "KSObliczeniaButton");
    EXPECT_EQ(w.components.resultsMemo, "KSMemo_Wyniki");
    EXPECT_EQ(w.components.noteMemo, "KSMemoOpisSRednic");
    EXPECT_EQ(w.components.statusBar, "KSStatusBar");
    EXPECT_EQ(w.components.schemeButton, "KSSchematWynikow");
    EXPECT_EQ(w.components.outputPrefix, "KS");
    EXPECT_EQ(w.noteStyle, NoteStyle::RefilledUnscrolled);
    EXPECT_EQ(w.schemePicture, "w_ks");
    EXPECT_EQ(w.schemeButtonCaption, "Schemat wyników");
    EXPECT_EQ(w.previewName, "TKSWynikiRysunek");
    EXPECT_EQ(w.previewCaption, "Wyniki - Rysunek (KOLANO SEGMENTOWE)");
    EXPECT_EQ(w.previewStartupOrder, 3);

    const auto hint = [&](const char* name) { return d.fields[*fieldIndex(d, name)].hint; };
    EXPECT_EQ(hint("Dr"), "Srednica rury|Srednica rury");
    EXPECT_EQ(hint("Rk"), "Promien kolana (promien giecia)|Promien kolana (promien giecia)");
    EXPECT_EQ(hint("BETA"), "Kat kolana segmentowego|Kat kolana segmentowego - np. dla kąta 45 "
                            "stopni i 30 minut - wpisz 45.5");
    EXPECT_EQ(hint("Ns"),
              "Ilosc segmentów kolan (lacznie A i B)|Ilosc segmentów kolan (lacznie A i B)");
    // The long hint of N repeats the short one and says why a larger N helps.
    const std::string short_ = "Podzial obwodu rowiniecia na N odcinków";
    const std::string n = hint("N");
    ASSERT_EQ(n.rfind(short_ + "|" + short_, 0), 0u) << n;
    EXPECT_GT(n.size(), 2 * short_.size() + 1 + 10);

    // Only the diameter has a note: twelve lines, the second and the seventh empty.
    for (const auto& field : d.fields) {
        EXPECT_EQ(field.note.has_value(), field.name == "Dr") << field.name;
    }
    const auto& note = d.fields[*fieldIndex(d, "Dr")].note->linesPerDevelopment.at(0);
    EXPECT_EQ(note, (Texts{"Dla segmentu kolana", "", "a) zwijanego z arkusza",
                           "blachy - Dr= srednicy", "sredniej rury -", "Dr = (Dr_zew + Dr_wew)/2",
                           "", "b) wykonego z rury wg", "szablonu owijanego na",
                           "rurze - Dr= sredncy", "zewnetrznej rury -", "Dr=Dr_zew"}));
}

TEST(ElbowCalculator, DefaultsCalculate) {
    const auto result = calculate(changed({}));
    ASSERT_EQ(result.status, Status::Calculated);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.outputs->report.resultLines().size(), 28u);
    EXPECT_EQ(result.outputs->pattern.lines.size(), 124u);
}

TEST(ElbowCalculator, EveryFailingCheckSpeaksInOrderWithNoClosingMessage) {
    // Empty fields count as 0.
    EXPECT_EQ(messageTexts(calculate(changed({{"N", ""}, {"BETA", ""}}))),
              (Texts{"Blad danych : N < 2", "Blad danych : BETA = 0"}));
    EXPECT_EQ(messageTexts(calculate(changed({{"Ns", ""}}))), Texts{"Blad danych : Ns < 3"});
    const auto all = calculate(
        changed({{"N", "1"}, {"Ns", "2"}, {"Dr", "400"}, {"Rk", "199.99"}, {"BETA", "361"}}));
    EXPECT_EQ(all.status, Status::Refused);
    EXPECT_EQ(messageTexts(all),
              (Texts{"Blad danych : N < 2", "Blad danych : Ns < 3",
                     "Blad danych : Rk < Dr/2 (pasuje Rk od 200.0)", "Blad danych : BETA > 360"}));
    for (const auto& message : all.messages) {
        EXPECT_EQ(message.kind, MessageKind::Warning);
    }
    EXPECT_FALSE(all.outputs.has_value());
    EXPECT_EQ(messageTexts(calculate(changed({{"N", "2001"}, {"BETA", "x"}}))),
              (Texts{"Blad danych : N > 2000", "Blad danych : BETA = 0"}));
    // A negative radius fails its own check after the case's.
    EXPECT_EQ(messageTexts(calculate(changed({{"Rk", "-1"}}))),
              (Texts{"Blad danych : Rk < Dr/2 (pasuje Rk od 150.0)", "Blad danych : Rk < 0"}));
}

TEST(ElbowCalculator, LimitsThatAreAccepted) {
    for (const Texts& texts :
         {changed({{"N", "2"}}), changed({{"N", "2000"}}), changed({{"Ns", "3"}}),
          changed({{"Rk", "150"}}), changed({{"BETA", "360"}}),
          changed({{"BETA", "360"}, {"Ns", "4"}})}) {
        const auto result = calculate(texts);
        EXPECT_EQ(result.status, Status::Calculated)
            << (result.messages.empty() ? "" : result.messages[0].text);
    }
    EXPECT_EQ(calculate(changed({{"N", "2000"}})).outputs->report.resultLines().size(), 2004u);
    EXPECT_EQ(calculate(changed({{"N", "2"}})).outputs->pattern.lines.size(), 14u);
}

TEST(ElbowCalculator, AFractionInNsOrNIsOneError) {
    for (const char* name : {"Ns", "N"}) {
        const auto result = calculate(changed({{name, "6.5"}}));
        EXPECT_EQ(result.status, Status::Refused) << name;
        ASSERT_EQ(result.messages.size(), 1u) << name;
        EXPECT_EQ(result.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(result.messages[0].text, "Blad danych : '6.5' nie jest liczba calkowita");
        EXPECT_FALSE(result.outputs.has_value());
    }
}

struct FailingCase {
    const char* what;
    Texts texts;
    const char* message;
};

class ElbowFailure : public ::testing::TestWithParam<FailingCase> {};

TEST_P(ElbowFailure, PassesTheChecksButGivesNoResults) {
    const auto result = calculate(GetParam().texts);
    EXPECT_EQ(result.status, Status::Failed);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(result.messages[0].text, GetParam().message);
    EXPECT_FALSE(result.outputs.has_value());
}

constexpr const char* kNoDiameter = "Blad obliczen. Prawdopodobnie Dr = 0 - dzielenie przez zero.";
constexpr const char* kCutAlongTheAxis =
    "Blad obliczen. Prawdopodobnie BETA/(2*(Ns-1)) = 90 [°] - ciecie wzdluz osi rury, wysokosci "
    "nieskonczone.";

INSTANTIATE_TEST_SUITE_P(
    Table, ElbowFailure,
    ::testing::Values(
        FailingCase{"no_diameter", changed({{"Dr", "0"}}), kNoDiameter},
        FailingCase{"empty_diameter", changed({{"Dr", ""}}), kNoDiameter},
        FailingCase{"no_diameter_no_radius", changed({{"Dr", "0"}, {"Rk", "0"}}), kNoDiameter},
        FailingCase{"full_turn_in_three", changed({{"BETA", "360"}, {"Ns", "3"}}),
                    kCutAlongTheAxis},
        FailingCase{"circumference_overflows", changed({{"Dr", "1e308"}, {"Rk", "1e308"}}),
                    kNotFiniteMessage},
        FailingCase{"heights_overflow", changed({{"Rk", "1e308"}, {"BETA", "359.9"}, {"Ns", "3"}}),
                    kNotFiniteMessage}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace blachorys::core
