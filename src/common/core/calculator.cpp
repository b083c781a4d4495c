#include "common/core/calculator.h"

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

double FieldValues::real(std::size_t field) const {
    return parseReal(m_texts.at(field)).value_or(0.0);
}

int FieldValues::integer(std::size_t field) const {
    return parseInteger(m_texts.at(field)).value_or(0);
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
    return {FieldValues(std::move(texts)), std::move(refusal)};
}

CalculationResult refusedResult(const std::vector<std::string>& warnings) {
    CalculationResult result;
    result.status = CalculationResult::Status::Refused;
    for (const auto& text : warnings) {
        result.messages.push_back({MessageKind::Warning, text});
    }
    return result;
}

CalculationResult refusedResult(Message message) {
    CalculationResult result;
    result.status = CalculationResult::Status::Refused;
    result.messages.push_back(std::move(message));
    return result;
}

CalculationResult failedResult(std::string errorText) {
    CalculationResult result;
    result.status = CalculationResult::Status::Failed;
    result.messages.push_back({MessageKind::Error, std::move(errorText)});
    return result;
}

CalculationResult calculatedResult(CalculationOutputs outputs) {
    CalculationResult result;
    result.status = CalculationResult::Status::Calculated;
    result.outputs = std::move(outputs);
    return result;
}

std::string shortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

std::string longHint(const std::string& hint) {
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

} // namespace blachorys::core
