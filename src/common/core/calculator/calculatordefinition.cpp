#include "common/core/calculator/calculatordefinition.h"

#include <cctype>

namespace blachorys::core {

ComponentNames prefixedComponentNames(const std::string& prefix) {
    ComponentNames names;
    names.resultsMemo = prefix + "Memo_Wyniki";
    names.noteMemo = prefix + "MemoOpisSRednic";
    names.statusBar = prefix + "StatusBar";
    names.schemeButton = prefix + "SchematWynikow";
    names.outputPrefix = prefix;
    return names;
}

namespace {

/** The index of the first item whose `member` is `value`, or nothing. */
template <typename Item>
std::optional<std::size_t> indexOf(const std::vector<Item>& items, std::string Item::*member,
                                   const std::string& value) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].*member == value) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> fieldIndex(const CalculatorDefinition& definition,
                                      const std::string& name) {
    return indexOf(definition.fields, &FieldDefinition::name, name);
}

std::optional<std::size_t> developmentIndex(const CalculatorDefinition& definition,
                                            const std::string& key) {
    if (key.empty()) {
        return 0;
    }
    return indexOf(definition.developments, &DevelopmentDefinition::key, key);
}

std::optional<std::size_t> choiceIndex(const SelectorDefinition& selector, const std::string& key) {
    return indexOf(selector.choices, &ChoiceDefinition::key, key);
}

std::optional<std::size_t> selectorIndex(const CalculatorDefinition& definition,
                                         const std::string& name) {
    return indexOf(definition.selectors, &SelectorDefinition::name, name);
}

CalculatorInputs defaultInputs(const CalculatorDefinition& definition) {
    CalculatorInputs inputs;
    for (const auto& field : definition.fields) {
        inputs.fieldTexts.push_back(field.defaultText);
    }
    inputs.choices.assign(definition.selectors.size(), 0);
    return inputs;
}

CalculatorInputs exampleInputs(const CalculatorDefinition& definition,
                               const ExampleInputs& example) {
    CalculatorInputs inputs = defaultInputs(definition);
    for (const auto& [name, text] : example.fieldTexts) {
        if (const auto index = fieldIndex(definition, name)) {
            inputs.fieldTexts[*index] = text;
        } else if (const auto selector = selectorIndex(definition, name)) {
            inputs.choices[*selector] =
                choiceIndex(definition.selectors[*selector], text).value_or(0);
        }
    }
    return inputs;
}

std::string nameKey(const CalculatorDefinition& definition) {
    std::string key = definition.window.formName;
    for (char& c : key) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return key;
}

} // namespace blachorys::core
