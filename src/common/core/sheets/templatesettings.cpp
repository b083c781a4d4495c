#include "common/core/sheets/templatesettings.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {

std::optional<std::string> settingsProblem(const TemplateSettings& settings) {
    for (double scale : {settings.scaleXPercent, settings.scaleYPercent}) {
        if (!(scale >= kMinScalePercent && scale <= kMaxScalePercent)) {
            return "korekta skali musi lezec miedzy 80 a 120 %";
        }
    }
    if (!(settings.overlapMm >= 0.0 && settings.overlapMm <= kMaxOverlapMm)) {
        return "zakladka musi lezec miedzy 0 a 50 mm";
    }
    return std::nullopt;
}

const Paper& paperOf(PaperSize size) {
    for (const Paper& paper : kPapers) {
        if (paper.size == size) {
            return paper;
        }
    }
    return kPapers.front();
}

std::optional<PaperSize> paperNamed(std::string_view name) {
    for (const Paper& paper : kPapers) {
        if (name == paper.name) {
            return paper.size;
        }
    }
    return std::nullopt;
}

std::optional<PaperSize> paperMeasuring(double widthMm, double heightMm) {
    constexpr double kToleranceMm = 1.0;
    const double shorter = std::min(widthMm, heightMm);
    const double longer = std::max(widthMm, heightMm);
    for (const Paper& paper : kPapers) {
        if (std::fabs(paper.mm.width - shorter) <= kToleranceMm &&
            std::fabs(paper.mm.height - longer) <= kToleranceMm) {
            return paper.size;
        }
    }
    return std::nullopt;
}

} // namespace blachorys::core
