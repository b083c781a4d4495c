#include "common/core/patternlines.h"

#include <algorithm>
#include <string>

namespace blachorys::core {
namespace {

/** Colour numbers every template and cone pattern shares, matching the preview's pens. */
constexpr int kSeamColour = 6;
constexpr int kStripGeneratorColour = 2;
constexpr int kLargeArcColour = 7;
constexpr int kSmallArcColour = 3;
constexpr int kSectorGeneratorColour = 1;

} // namespace

std::vector<DxfLine> templateStripDxf(const TemplateStrip& strip, TemplateStripColours colours) {
    const auto& L = strip.L;
    const auto& h = strip.h;
    const std::size_t n = L.size() - 1;
    std::vector<DxfLine> lines;
    lines.reserve(2 * n + 2);
    lines.push_back({kLayerOutlines, kSeamColour, 0.0, 0.0, L[0], -h[0]});
    for (std::size_t i = 1; i <= n; ++i) {
        lines.push_back({kLayerOutlines, colours.curve, L[i - 1], -h[i - 1], L[i], -h[i]});
        // The generator at the far end is the closing seam edge.
        lines.push_back({kLayerGenerators, i == n ? kSeamColour : kStripGeneratorColour, L[i], 0.0,
                         L[i], -h[i]});
    }
    lines.push_back({kLayerOutlines, colours.endFace, 0.0, 0.0, L[n], 0.0});
    return lines;
}

PreviewDrawing templateStripPreview(const TemplateStrip& strip) {
    const auto& L = strip.L;
    const auto& h = strip.h;
    const std::size_t n = L.size() - 1;
    PreviewDrawing drawing;
    drawing.orientation = PreviewOrientation::Downwards;
    drawing.xMax = strip.width;
    drawing.yMax = strip.hmax;
    PreviewPath path(drawing.segments);
    path.moveTo(0.0, 0.0);
    path.setPen(PenRole::SeamEdge);
    path.lineTo(L[0], h[0]);
    path.setPen(PenRole::Curve);
    for (std::size_t i = 1; i <= n; ++i) {
        path.lineTo(L[i], h[i]);
    }
    path.setPen(PenRole::SeamEdge);
    path.lineTo(L[n], 0.0);
    path.setPen(PenRole::Edge);
    path.lineTo(0.0, 0.0);
    path.setPen(PenRole::Generator);
    for (std::size_t i = 1; i < n; ++i) {
        path.moveTo(L[i], 0.0);
        path.lineTo(L[i], h[i]);
    }
    return drawing;
}

std::vector<DxfLine> coneSectorDxf(const ConeSector& s) {
    const std::size_t n = s.Xm.size() - 1;
    std::vector<DxfLine> lines;
    lines.reserve(3 * n + 1);
    for (std::size_t j = 0; j < n; ++j) {
        lines.push_back(
            {kLayerOutlines, kLargeArcColour, s.Xd[j], s.Yd[j], s.Xd[j + 1], s.Yd[j + 1]});
        lines.push_back(
            {kLayerOutlines, kSmallArcColour, s.Xm[j], s.Ym[j], s.Xm[j + 1], s.Ym[j + 1]});
    }
    lines.push_back({kLayerOutlines, kSeamColour, s.Xm[0], s.Ym[0], s.Xd[0], s.Yd[0]});
    lines.push_back({kLayerOutlines, kSeamColour, s.Xm[n], s.Ym[n], s.Xd[n], s.Yd[n]});
    for (std::size_t j = 1; j < n; ++j) {
        lines.push_back(
            {kLayerOutlines, kSectorGeneratorColour, s.Xm[j], s.Ym[j], s.Xd[j], s.Yd[j]});
    }
    return lines;
}

SheetBox sectorBox(const ConeSector& s) {
    SheetBox box{s.Xm[0], s.Xm[0], s.Ym[0], s.Ym[0]};
    for (std::size_t j = 0; j < s.Xm.size(); ++j) {
        box.xMin = std::min({box.xMin, s.Xm[j], s.Xd[j]});
        box.xMax = std::max({box.xMax, s.Xm[j], s.Xd[j]});
        box.yMin = std::min({box.yMin, s.Ym[j], s.Yd[j]});
        box.yMax = std::max({box.yMax, s.Ym[j], s.Yd[j]});
    }
    return box;
}

PreviewDrawing coneSectorPreview(const ConeSector& s, const SheetBox& box) {
    const std::size_t n = s.Xm.size() - 1;
    PreviewDrawing drawing = centredOnBox(box.xMin, box.xMax, box.yMin, box.yMax);
    PreviewPath path(drawing.segments);
    path.setPen(PenRole::Edge);
    path.moveTo(s.Xd[0], s.Yd[0]);
    for (std::size_t j = 1; j <= n; ++j) {
        path.lineTo(s.Xd[j], s.Yd[j]);
    }
    path.setPen(PenRole::Curve);
    path.moveTo(s.Xm[0], s.Ym[0]);
    for (std::size_t j = 1; j <= n; ++j) {
        path.lineTo(s.Xm[j], s.Ym[j]);
    }
    path.setPen(PenRole::SeamEdge);
    path.moveTo(s.Xm[0], s.Ym[0]);
    path.lineTo(s.Xd[0], s.Yd[0]);
    path.moveTo(s.Xm[n], s.Ym[n]);
    path.lineTo(s.Xd[n], s.Yd[n]);
    path.setPen(PenRole::Generator);
    for (std::size_t j = 1; j < n; ++j) {
        path.moveTo(s.Xm[j], s.Ym[j]);
        path.lineTo(s.Xd[j], s.Yd[j]);
    }
    return drawing;
}

std::vector<PointMark> templateStripMarks(const TemplateStrip& strip) {
    std::vector<PointMark> marks;
    for (std::size_t i = 0; i < strip.L.size(); ++i) {
        marks.push_back({strip.L[i], -strip.h[i], std::to_string(i)});
    }
    return marks;
}

void appendNumberedMarks(std::vector<PointMark>& marks, const std::vector<double>& X,
                         const std::vector<double>& Y) {
    for (std::size_t i = 0; i < X.size(); ++i) {
        marks.push_back({X[i], Y[i], std::to_string(i)});
    }
}

std::vector<PointMark> coneSectorMarks(const ConeSector& sector) {
    std::vector<PointMark> marks;
    appendNumberedMarks(marks, sector.Xm, sector.Ym);
    appendNumberedMarks(marks, sector.Xd, sector.Yd);
    return marks;
}

} // namespace blachorys::core
