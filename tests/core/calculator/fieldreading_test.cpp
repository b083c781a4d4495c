#include "common/core/calculator/fieldreading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Texts = std::vector<std::string>;

/** The text a field holds after `keys` are typed into it one by one, through its filter. */
std::string typed(FieldFilter filter, std::u32string_view keys) {
    std::string text;
    for (char32_t key : keys) {
        if (!keyFilterAccepts(filter, text, key)) {
            continue;
        }
        if (key == kBackspace) {
            if (!text.empty()) {
                text.pop_back();
            }
        } else {
            text += static_cast<char>(enteredCharacter(key));
        }
    }
    return text;
}

TEST(KeyFilter, EachFilterTakesItsOwnCharacters) {
    EXPECT_EQ(typed(FieldFilter::PositiveReal, U"1.2.3"), "1.23");
    // A comma is the decimal point of a Polish keypad: it enters as ".", and counts as one.
    EXPECT_EQ(typed(FieldFilter::PositiveReal, U"-12,5e3 x"), "12.53");
    EXPECT_EQ(typed(FieldFilter::PositiveInteger, U"24,5"), "245");
    EXPECT_EQ(typed(FieldFilter::SignedReal, U"--5"), "-5");
    EXPECT_EQ(typed(FieldFilter::SignedReal, U"12-3.4.5"), "12-3.45");
    EXPECT_EQ(typed(FieldFilter::PositiveInteger, U"2.4-a5"), "245");
    EXPECT_EQ(typed(FieldFilter::Unfiltered, U"-1.2.x"), "-1.2.x");
}

TEST(KeyFilter, BackspaceAlwaysPassesOtherControlCharactersNever) {
    for (FieldFilter filter :
         {FieldFilter::PositiveReal, FieldFilter::SignedReal, FieldFilter::PositiveInteger}) {
        EXPECT_TRUE(keyFilterAccepts(filter, "12", kBackspace));
        // Ctrl+C, Ctrl+V, tab, escape, delete and a letter beyond Latin-1.
        for (char32_t control : {U'\x03', U'\x16', U'\t', U'\x1b', U'\x7f', U'ł', U'٣'}) {
            EXPECT_FALSE(keyFilterAccepts(filter, "12", control)) << static_cast<int>(control);
        }
    }
    EXPECT_EQ(typed(FieldFilter::PositiveReal, U"12\b\b7"), "7");
}

TEST(KeyFilter, LooksAtTheWholeTextNotWhereTheCharacterGoes) {
    // A "." or "-" anywhere in the text stops another, wherever the caret stands.
    EXPECT_FALSE(keyFilterAccepts(FieldFilter::PositiveReal, "1.5", U'.'));
    EXPECT_FALSE(keyFilterAccepts(FieldFilter::SignedReal, "5-", U'-'));
    EXPECT_TRUE(keyFilterAccepts(FieldFilter::SignedReal, "5.", U'-'));
}

TEST(KeyFilter, APastedTextLosesWhatTypingItWouldLoseJudgedAsItBecomes) {
    EXPECT_EQ(filteredInsertion(FieldFilter::PositiveInteger, "", U"24Xm"), U"24");
    EXPECT_EQ(filteredInsertion(FieldFilter::PositiveReal, "", U" 1 234,5,6 mm\n"), U"1234.56");
    EXPECT_EQ(filteredInsertion(FieldFilter::PositiveReal, "7.5", U".25"), U"25");
    EXPECT_EQ(filteredInsertion(FieldFilter::SignedReal, "", U"\b--5,5"), U"-5.5");
    EXPECT_EQ(filteredInsertion(FieldFilter::Unfiltered, "", U"a,b\x03"), U"a.b");
}

FieldReading read(const CalculatorDefinition& definition, Texts texts) {
    return readFields(definition, {std::move(texts), {}});
}

CalculatorDefinition twoFields() {
    CalculatorDefinition definition;
    definition.fields.resize(2);
    definition.fields[0].name = "D";
    definition.fields[1].name = "N";
    definition.fields[1].kind = FieldKind::Integer;
    return definition;
}

TEST(ReadFields, TextsThatAreNotRealNumbersBecomeZeroAndAreNamed) {
    const Texts given{"", "5-", "abc", "12.5", "-3", "1e2", " 7", "1,5", ".5", "-"};
    CalculatorDefinition definition;
    definition.fields.resize(given.size());
    const FieldReading reading = read(definition, given);
    EXPECT_EQ(reading.texts, (Texts{"0", "0", "0", "12.5", "-3", "1e2", "0", "0", ".5", "0"}));
    EXPECT_EQ(reading.values, (std::vector<double>{0, 0, 0, 12.5, -3, 100, 0, 0, 0.5, 0}));
    EXPECT_EQ(reading.notNumbers, (std::vector<std::size_t>{0, 1, 2, 6, 7, 9}));
}

TEST(ReadFields, MissingTextsCountAsEmptyAndBecomeZero) {
    const FieldReading reading = read(twoFields(), {"x"});
    EXPECT_EQ(reading.texts, (Texts{"0", "0"}));
    EXPECT_FALSE(reading.refusal);
    // Extra texts beyond the fields are dropped.
    EXPECT_EQ(read(twoFields(), {"1", "2", "3"}).texts, (Texts{"1", "2"}));
}

TEST(ReadFields, AnIntegerFieldWithAFractionIsRefusedByItsText) {
    const FieldReading reading = read(twoFields(), {"12.5", "24.5"});
    ASSERT_TRUE(reading.refusal);
    EXPECT_EQ(reading.refusal->kind, MessageKind::Error);
    EXPECT_EQ(reading.refusal->text, "Blad danych : '24.5' nie jest liczba calkowita");
    // A real field may hold a fraction; an integer field a whole number written plainly.
    EXPECT_FALSE(read(twoFields(), {"12.5", "-24"}).refusal);
    // Out of the integer range, or in exponent form, it is no whole number either.
    EXPECT_TRUE(read(twoFields(), {"1", "99999999999"}).refusal);
    EXPECT_TRUE(read(twoFields(), {"1", "2e1"}).refusal);
}

TEST(ReadFields, AChoicePastItsSelectorsListIsRefusedAMissingOneIsTheFirst) {
    CalculatorDefinition definition = twoFields();
    definition.selectors = {{"joint", "", "", {{"set-on"}, {"set-in"}}}};
    EXPECT_EQ(readFields(definition, {{"1", "2"}, {1}}).choices, (std::vector<std::size_t>{1}));
    EXPECT_EQ(readFields(definition, {{"1", "2"}, {}}).choices, (std::vector<std::size_t>{0}));
    const FieldReading past = readFields(definition, {{"1", "2"}, {2}});
    ASSERT_TRUE(past.refusal);
    EXPECT_EQ(past.refusal->text, "Blad danych : joint nie ma wyboru 2");
}

TEST(Hints, ShortAndLongPartsSplitAtTheBar) {
    EXPECT_EQ(shortHint("Srednica rury | Srednica rury (krócca)"), "Srednica rury ");
    EXPECT_EQ(longHint("Srednica rury | Srednica rury (krócca)"), " Srednica rury (krócca)");
    EXPECT_EQ(shortHint("Podzial obwodu"), "Podzial obwodu");
    EXPECT_EQ(longHint("Podzial obwodu"), "Podzial obwodu");
}

} // namespace
} // namespace blachorys::core
