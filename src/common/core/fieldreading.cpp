#include "common/core/fieldreading.h"

#include "common/core/numbertext.h"

namespace blachorys::core {

bool keyFilterAccepts(FieldFilter filter, const std::string& currentText, char32_t character) {
    if (filter == FieldFilter::Unfiltered) {
        return true;
    }
    if (character == kBackspace || (character >= U'0' && character <= U'9')) {
        return true;
    }
    if (character == U'.' && filter != FieldFilter::PositiveInteger) {
        return currentText.find('.') == std::string::npos;
    }
    if (character == U'-' && filter == FieldFilter::SignedReal) {
        // Where the "-" stands is not checked here: "12-3" fails on "Licz" instead.
        return currentText.find('-') == std::string::npos;
    }
    return false;
}

FieldReading readFields(const CalculatorDefinition& definition,
                        const std::vector<std::string>& fieldTexts) {
    FieldReading reading;
    reading.texts = fieldTexts;
    reading.texts.resize(definition.fields.size());
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

std::string shortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

std::string longHint(const std::string& hint) {
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

} // namespace blachorys::core
