#pragma once

#include "common/core/calculationresult.h"
#include "common/core/calculatordefinition.h"

#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** Backspace, the one control character the key filters let through. */
inline constexpr char32_t kBackspace = 8;

/**
 * Whether a field's key filter lets `character` through, given the field's current text
 * (not its selection: a "." typed over a selected "." is refused).
 */
bool keyFilterAccepts(FieldFilter filter, const std::string& currentText, char32_t character);

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
};

/**
 * Reads the fields as "Licz" does: the first pass makes every text that is not a real number
 * "0" (missing texts count as empty), then every integer field must convert to a whole number,
 * or the reading is refused with an error message naming the text.
 */
FieldReading readFields(const CalculatorDefinition& definition,
                        const std::vector<std::string>& fieldTexts);

/** Short part of a hint (before "|"), or the whole hint. */
std::string shortHint(const std::string& hint);
/** Long part of a hint (after "|"), or the whole hint. */
std::string longHint(const std::string& hint);

} // namespace blachorys::core
