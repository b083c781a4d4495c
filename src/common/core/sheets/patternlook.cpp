#include "common/core/sheets/patternlook.h"

#include "common/core/sheets/dxftemplatewriter.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {
namespace {

/** Colour numbers every template and cone pattern shares. */
constexpr int kSeamColour = 6;
constexpr int kStripGeneratorColour = 2;
constexpr int kRedColour = 1;
constexpr int kEndEdgeColour = 7;
constexpr int kGreenColour = 3;

} // namespace

const LineStyle* styleOf(const LineStyles& styles, LineRole role) {
    const auto found = std::find_if(styles.begin(), styles.end(),
                                    [role](const LineStyle& style) { return style.role == role; });
    return found == styles.end() ? nullptr : &*found;
}

LineStyles standardStyles() {
    return {
        {LineRole::SeamEdge, kLayerOutlines, kSeamColour, PenRole::SeamEdge},
        {LineRole::CutCurve, kLayerOutlines, kGreenColour, PenRole::Curve},
        {LineRole::HoleOutline, kLayerOutlines, kGreenColour, PenRole::Curve},
        {LineRole::StartEdge, kLayerOutlines, kGreenColour, PenRole::Curve},
        {LineRole::EndEdge, kLayerOutlines, kEndEdgeColour, PenRole::Edge},
        {LineRole::Generator, kLayerOutlines, kRedColour, PenRole::Generator},
        {LineRole::BendingLine, kLayerGenerators, kRedColour, PenRole::Generator},
        {LineRole::CentreLine, kLayerOutlines, kRedColour, PenRole::CentreLine},
    };
}

PatternLook templateStripLook(const TemplateStrip& strip, TemplateStripColours colours) {
    return {{
                {LineRole::SeamEdge, kLayerOutlines, kSeamColour, PenRole::SeamEdge},
                {LineRole::CutCurve, kLayerOutlines, colours.curve, PenRole::Curve},
                {LineRole::Generator, kLayerGenerators, kStripGeneratorColour, PenRole::Generator},
                {LineRole::ClosingSeam, kLayerGenerators, kSeamColour, PenRole::SeamEdge},
                {LineRole::EndEdge, kLayerOutlines, colours.endFace, PenRole::Edge},
            },
            downwardsOver(strip.width, strip.hmax)};
}

bool hasFiniteFrame(const PatternLook& look) {
    const PreviewFrame& f = look.frame;
    return std::isfinite(f.xMin) && std::isfinite(f.xMax) && std::isfinite(f.yMin) &&
           std::isfinite(f.yMax);
}

} // namespace blachorys::core
