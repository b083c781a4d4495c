#include "common/core/calculator/edgetexts.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/inputchecks.h"

#include <algorithm>

namespace blachorys::core {
namespace {

std::optional<double> numberIn(std::string text, double low, double high, bool lowIncluded) {
    std::replace(text.begin(), text.end(), ',', '.');
    const auto value = parseReal(text);
    if (!value || !(lowIncluded ? *value >= low : *value > low) || !(*value < high)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

EdgeReading readEdgeTexts(const EdgeTexts& texts) {
    EdgeSettings settings;
    settings.choice = texts.choice;
    const auto angle = [](const std::string& text) { return numberIn(text, 0.0, 90.0, false); };
    const auto size = [](const std::string& text) {
        return numberIn(text, 0.0, kLargestEdgeSizeMm + 1e-9, true);
    };
    const auto groove = angle(texts.grooveAngle);
    if (!groove) {
        return {std::nullopt, dataError("kat rowka '" + texts.grooveAngle + "' - od 0 do 90")};
    }
    const auto rootFace = size(texts.rootFace);
    if (!rootFace) {
        return {std::nullopt, dataError("c '" + texts.rootFace + "' - od 0 do " +
                                        formatReport(kLargestEdgeSizeMm) + " mm")};
    }
    const auto rootGap = size(texts.rootGap);
    if (!rootGap) {
        return {std::nullopt, dataError("b '" + texts.rootGap + "' - od 0 do " +
                                        formatReport(kLargestEdgeSizeMm) + " mm")};
    }
    const auto limit = angle(texts.bevelLimit);
    if (!limit) {
        return {std::nullopt, dataError("ukos glowicy '" + texts.bevelLimit + "' - od 0 do 90")};
    }
    settings.grooveAngle = *groove;
    settings.rootFace = *rootFace;
    settings.rootGap = *rootGap;
    settings.bevelLimit = *limit;
    return {settings, {}};
}

std::optional<EdgeChoice> edgeChoiceNamed(const std::string& name) {
    if (name == "square") {
        return EdgeChoice::Square;
    }
    if (name == "fit") {
        return EdgeChoice::Fit;
    }
    if (name == "groove") {
        return EdgeChoice::Groove;
    }
    return std::nullopt;
}

std::string edgeChoiceName(EdgeChoice choice) {
    switch (choice) {
    case EdgeChoice::Square:
        return "square";
    case EdgeChoice::Fit:
        return "fit";
    case EdgeChoice::Groove:
        return "groove";
    }
    return "square";
}

} // namespace blachorys::core
