#include "common/core/calculator/savedinputformat.h"

#include "common/core/base/numbertext.h"

#include <algorithm>

namespace blachorys::core {
namespace {

/** A field's text as loading takes it: its first 20 characters, "0" when not a number. */
std::string loadedText(std::string_view text) {
    std::string kept = truncateCharacters(text, kSavedTextCharacters);
    return parseReal(kept) ? kept : "0";
}

std::size_t positionalFields(const CalculatorDefinition& definition) {
    return std::min(definition.positionalSavedFields, definition.fields.size());
}

} // namespace

std::vector<std::string> savedInputLines(const CalculatorDefinition& definition,
                                         const CalculatorInputs& inputs) {
    std::vector<std::string> lines;
    for (std::size_t f = 0; f < definition.fields.size(); ++f) {
        const std::string text = f < inputs.fieldTexts.size() ? inputs.fieldTexts[f] : "";
        lines.push_back(f < positionalFields(definition) ? text
                                                         : definition.fields[f].name + "=" + text);
    }
    for (std::size_t k = 0; k < definition.selectors.size(); ++k) {
        const SelectorDefinition& selector = definition.selectors[k];
        const std::size_t choice = k < inputs.choices.size() ? inputs.choices[k] : 0;
        lines.push_back(selector.name + "=" +
                        selector.choices.at(choice < selector.choices.size() ? choice : 0).key);
    }
    return lines;
}

CalculatorInputs inputsFromSavedLines(const CalculatorDefinition& definition,
                                      const std::vector<std::string>& lines) {
    CalculatorInputs inputs;
    inputs.fieldTexts.assign(definition.fields.size(), "0");
    inputs.choices.assign(definition.selectors.size(), 0);
    const std::size_t positional = positionalFields(definition);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (i < positional) {
            inputs.fieldTexts[i] = loadedText(line);
            continue;
        }
        const auto equals = line.find('=');
        const std::string name = equals == std::string::npos ? "" : line.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        const auto field = fieldIndex(definition, name);
        if (field && *field >= positional) {
            inputs.fieldTexts[*field] = loadedText(value);
        } else if (const auto selector = selectorIndex(definition, name)) {
            inputs.choices[*selector] =
                choiceIndex(definition.selectors[*selector], value).value_or(0);
        } else if (const auto legacy = i - positional;
                   equals == std::string::npos && legacy < definition.selectors.size()) {
            // The earlier layout: the choices' indices, one per line, after the fields.
            const auto index = parseInteger(line);
            const bool named =
                index && *index >= 0 &&
                static_cast<std::size_t>(*index) < definition.selectors[legacy].choices.size();
            inputs.choices[legacy] = named ? static_cast<std::size_t>(*index) : 0;
        }
    }
    return inputs;
}

std::size_t savedLineCount(const CalculatorDefinition& definition) {
    return savedInputLines(definition, defaultInputs(definition)).size();
}

} // namespace blachorys::core
