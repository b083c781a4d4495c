#include "common/core/fieldreading.h"

#include "common/core/numbertext.h"

namespace blachorys::core {

std::vector<std::string> replaceNonNumbers(std::vector<std::string> fieldTexts) {
    for (auto& text : fieldTexts) {
        if (!parseReal(text)) {
            text.assign(1, '0');
        }
    }
    return fieldTexts;
}

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
    std::vector<std::string> texts = fieldTexts;
    texts.resize(definition.fields.size());
    texts = replaceNonNumbers(std::move(texts));
    std::optional<Message> refusal;
    for (std::size_t i = 0; i < texts.size() && !refusal; ++i) {
        if (definition.fields[i].kind == FieldKind::Integer && !parseInteger(texts[i])) {
            refusal = Message{MessageKind::Error,
                              "Blad danych : '" + texts[i] + "' nie jest liczba calkowita"};
        }
    }
    return {std::move(texts), std::move(refusal)};
}

std::string shortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

std::string longHint(const std::string& hint) {
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

} // namespace blachorys::core
