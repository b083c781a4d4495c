#pragma once

#include "common/core/calculator/calculatordefinition.h"

#include <string>
#include <vector>

namespace blachorys::core {

/** Characters of a saved field's text that loading keeps. */
inline constexpr int kSavedTextCharacters = 20;

/**
 * The lines of a calculator's saved-input file: the first `positionalSavedFields` fields' texts
 * one per line, in creation order, as the files have always held them; then each later field
 * as "name=text" and each selector's choice as "name=key" ("joint=set-in").
 */
std::vector<std::string> savedInputLines(const CalculatorDefinition& definition,
                                         const CalculatorInputs& inputs);

/**
 * The inputs a saved-input file's lines give, each text cut to its first 20 characters and
 * "0" where it is not a real number, as the window takes it; a field or choice the file does
 * not name keeps "0" or the first choice. A file of the earlier layout, whose lines after the
 * positional fields hold the choices' indices, loads as it always has.
 */
CalculatorInputs inputsFromSavedLines(const CalculatorDefinition& definition,
                                      const std::vector<std::string>& lines);

/** The most lines a calculator's file holds: loading reads no more. */
std::size_t savedLineCount(const CalculatorDefinition& definition);

} // namespace blachorys::core
