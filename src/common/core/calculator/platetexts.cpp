#include "common/core/calculator/platetexts.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/inputchecks.h"

#include <algorithm>

namespace blachorys::core {

PlateReading readPlateTexts(const PlateTexts& texts) {
    PlateSettings settings;
    const auto plate = parsePlate(texts.plate);
    if (!plate) {
        return {std::nullopt, dataError("arkusz '" + texts.plate + "' - podaj np. 1500 x 3000")};
    }
    settings.plate = *plate;
    const auto material = parseMaterial(texts.material);
    if (!material) {
        return {std::nullopt, dataError("material '" + texts.material +
                                        "' - stal, stal nierdzewna, aluminium lub gestosc "
                                        "w kg/dm3")};
    }
    settings.material = *material;
    const auto parts = parseInteger(texts.parts);
    if (!parts || *parts < 1 || *parts > kMostParts) {
        return {std::nullopt, dataError("podzial na czesci '" + texts.parts + "' - od 1 do " +
                                        std::to_string(kMostParts))};
    }
    settings.parts = *parts;
    std::string gapText = texts.gap;
    std::replace(gapText.begin(), gapText.end(), ',', '.');
    const auto gap = parseReal(gapText);
    if (!gap || !(*gap >= 0.0) || *gap > kLargestGapMm) {
        return {std::nullopt, dataError("odstep '" + texts.gap + "' - od 0 do " +
                                        formatReport(kLargestGapMm) + " mm")};
    }
    settings.gapMm = *gap;
    return {settings, {}};
}

} // namespace blachorys::core
