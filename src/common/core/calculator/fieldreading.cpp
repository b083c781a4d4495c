#include "common/core/calculator/fieldreading.h"

#include "common/core/base/numbertext.h"

#include <algorithm>
#include <cstddef>

namespace blachorys::core {

namespace {

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

} // namespace

char32_t enteredCharacter(char32_t character) {
    return character == U',' ? U'.' : character;
}

bool keyFilterAccepts(FieldFilter filter, const std::string& keptText, char32_t character) {
    character = enteredCharacter(character);
    if (filter == FieldFilter::Unfiltered) {
        return true;
    }
    if (character == kBackspace || (character >= U'0' && character <= U'9')) {
        return true;
    }
    if (character == U'.' && filter != FieldFilter::PositiveInteger) {
        return keptText.find('.') == std::string::npos;
    }
    if (character == U'-' && filter == FieldFilter::SignedReal) {
        // Where the "-" stands is not checked here: "12-3" fails on "Licz" instead.
        return keptText.find('-') == std::string::npos;
    }
    return false;
}

std::u32string filteredInsertion(FieldFilter filter, std::string keptText,
                                 std::u32string_view inserted) {
    std::u32string entered;
    for (const char32_t character : inserted) {
        if (isControl(character) || !keyFilterAccepts(filter, keptText, character)) {
            continue;
        }
        const char32_t c = enteredCharacter(character);
        entered += c;
        // The filters judge only by "." and "-"; a field that takes every key judges nothing.
        if (c < 0x80) {
            keptText += static_cast<char>(c);
        }
    }
    return entered;
}

FieldReading readFields(const CalculatorDefinition& definition, const CalculatorInputs& inputs) {
    FieldReading reading;
    const std::size_t fieldCount = definition.fields.size();
    for (std::size_t k = 0; k < definition.selectors.size(); ++k) {
        const SelectorDefinition& selector = definition.selectors[k];
        const bool given = k < inputs.choices.size();
        const bool named = given && inputs.choices[k] < selector.choices.size();
        if (given && !named) {
            reading.refusal = Message{MessageKind::Error, "Blad danych : " + selector.name +
                                                              " nie ma wyboru " +
                                                              std::to_string(inputs.choices[k])};
        }
        reading.choices.push_back(named ? inputs.choices[k] : 0);
    }
    reading.texts.assign(inputs.fieldTexts.begin(),
                         inputs.fieldTexts.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                         inputs.fieldTexts.size(), fieldCount)));
    reading.texts.resize(fieldCount);
    reading.values.assign(definition.fields.size(), 0.0);
    for (std::size_t i = 0; i < reading.texts.size(); ++i) {
        std::string& text = reading.texts[i];
        const std::optional<double> real = parseReal(text);
        if (!real) {
            text.assign(1, '0');
            reading.notNumbers.push_back(i);
            continue;
        }
        reading.values[i] = *real;
        if (definition.fields[i].kind != FieldKind::Integer) {
            continue;
        }
        if (const std::optional<int> whole = parseInteger(text)) {
            reading.values[i] = *whole;
        } else if (!reading.refusal) {
            reading.refusal = Message{MessageKind::Error,
                                      "Blad danych : '" + text + "' nie jest liczba calkowita"};
        }
    }
    return reading;
}

bool anyNonZero(const CalculatorDefinition& definition, const FieldReading& reading,
                const std::vector<std::string>& names) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        const auto index = fieldIndex(definition, name);
        return index && *index < reading.values.size() && reading.values[*index] != 0.0;
    });
}

std::vector<bool> activeSelectors(const CalculatorDefinition& definition,
                                  const FieldReading& reading) {
    std::vector<bool> active;
    for (const SelectorDefinition& selector : definition.selectors) {
        active.push_back(selector.activeWhenNonZero.empty() ||
                         anyNonZero(definition, reading, selector.activeWhenNonZero));
    }
    return active;
}

std::string shortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

std::string longHint(const std::string& hint) {
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

} // namespace blachorys::core
