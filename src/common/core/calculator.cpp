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

std::string shortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

std::string longHint(const std::string& hint) {
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

} // namespace blachorys::core
