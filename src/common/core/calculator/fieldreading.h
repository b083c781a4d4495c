#pragma once

#include "common/core/calculator/calculationresult.h"
#include "common/core/calculator/calculatordefinition.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace blachorys::core {

/** Backspace, the one control character the key filters let through. */
inline constexpr char32_t kBackspace = 8;

/**
 * The character a key enters: "," enters as ".", since the decimal key of a Polish numeric
 * keypad types a comma; every other character as it is.
 */
char32_t enteredCharacter(char32_t character);

/**
 * Whether a field's key filter lets `character` through (a "," as the "." it enters), given
 * the text the field keeps around it: its whole text, less the selection the character
 * replaces. Where in that text the character goes is not looked at.
 */
bool keyFilterAccepts(FieldFilter filter, const std::string& keptText, char32_t character);

/**
 * What of `inserted` (pasted, dropped or typed at once) enters a field that keeps `keptText`
 * round it: each character through the key filter against the text as it has become, the ones
 * it drops left out, "," entered as ".". Backspace and the other control characters never
 * enter.
 */
std::u32string filteredInsertion(FieldFilter filter, std::string keptText,
                                 std::u32string_view inserted);

/** The fields as "Licz" reads them: the one place a field's text is read as a number. */
struct FieldReading {
    /** The texts after the first pass, one per field in creation order: not a number is "0". */
    std::vector<std::string> texts;
    /** Each field's number; an integer field's is whole. */
    std::vector<double> values;
    /** Fields whose text was not a number and counts as 0, in creation order. */
    std::vector<std::size_t> notNumbers;
    /** Set when an integer field holds no whole number ("24.5"): the calculation stops. */
    std::optional<Message> refusal;
    /**
     * Each selector's choice; the first where the inputs give none. A choice past the
     * selector's list is no choice: the reading is refused.
     */
    std::vector<std::size_t> choices;
};

/**
 * Reads the fields as "Licz" does: the first pass makes every text that is not a real number
 * "0" (missing texts count as empty), then every integer field must convert to a whole number,
 * or the reading is refused with an error message naming the text; a choice past its selector's
 * list is refused too.
 */
FieldReading readFields(const CalculatorDefinition& definition, const CalculatorInputs& inputs);

/** Whether any of the fields of these names reads as a number other than 0. */
bool anyNonZero(const CalculatorDefinition& definition, const FieldReading& reading,
                const std::vector<std::string>& names);

/** Per selector, in order: whether its choice acts on the fields as read (`activeWhenNonZero`). */
std::vector<bool> activeSelectors(const CalculatorDefinition& definition,
                                  const FieldReading& reading);

/** Short part of a hint (before "|"), or the whole hint. */
std::string shortHint(const std::string& hint);
/** Long part of a hint (after "|"), or the whole hint. */
std::string longHint(const std::string& hint);

} // namespace blachorys::core
