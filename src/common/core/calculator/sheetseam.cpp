#include "common/core/calculator/sheetseam.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/fittingrange.h"
#include "common/core/geometry/point.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {

double seamWithinATurn(double degrees) {
    const double turned = std::fmod(degrees, 360.0);
    return turned < 0.0 ? turned + 360.0 : turned;
}

std::optional<std::string> turnedSeamLine(double degrees, double shift) {
    const double seam = seamWithinATurn(degrees);
    if (seam == 0.0) {
        return std::nullopt;
    }
    return "Szew plaszcza przy " + formatReport(seam) +
           " [°] od boku rury (Y=0) - otwor przesuniety o " + formatReport(shift) + " mm";
}

std::string seamThroughTheHoleMessage(const std::string& part) {
    return "Blad obliczen. Prawdopodobnie otwor przecina linie ciecia (szew) " + part +
           " - zmien szew";
}

SheetSeam turnedSheetSeam(double degrees, double girth, const std::vector<PatternPoint>& hole) {
    const double turned = seamWithinATurn(degrees);
    if (turned == 0.0 || hole.empty() || !(girth > 0.0)) {
        return {};
    }
    double lowest = hole.front().y;
    double highest = lowest;
    for (const PatternPoint p : hole) {
        lowest = std::min(lowest, p.y);
        highest = std::max(highest, p.y);
    }
    const double seam = turned / 360.0 * girth;
    const double rounding = roundingAt(girth);
    if (seam > lowest + rounding && seam < highest - rounding) {
        const double degreesPerMm = 360.0 / girth;
        return {0.0,
                fittingRangeText("szew", highest * degreesPerMm, lowest * degreesPerMm + 360.0)};
    }
    // Within rounding of the hole's edge the sheet starts at the edge itself.
    return {seam <= lowest + rounding ? -std::min(seam, lowest) : girth - std::max(seam, highest),
            std::nullopt};
}

} // namespace blachorys::core
