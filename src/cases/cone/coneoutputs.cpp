#include "cases/cone/coneoutputs.h"

#include "common/core/numbertext.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 55;

/** Colour numbers of the template lines, matching the preview's pens. */
constexpr int kDsdEdgeColour = 7;
constexpr int kDsmEdgeColour = 3;
constexpr int kSeamColour = 6;
constexpr int kGeneratrixColour = 1;

std::vector<std::string> headerLines(const ConeInputs& in) {
    return {
        "Rozwiniecie STOZKA",
        repeated('-', kRuleLength),
        "DANE :",
        "Dsm = " + formatReport(in.Dsm) + " [mm] , Dsd = " + formatReport(in.Dsd) +
            " [mm] , ALFA = " + formatReport(in.alfa) + " [°]",
        "Hs = " + formatReport(in.Hs) + " [mm] , E = " + formatReport(in.E) +
            " [mm] , N = " + std::to_string(in.N) + " [-]",
        repeated('-', kRuleLength),
        "WYNIKI :",
    };
}

std::vector<std::string> resultLines(const ConeModel& m) {
    std::vector<std::string> lines;
    for (std::size_t j = 0; j < m.Xm.size(); ++j) {
        lines.push_back(pointLine(
            static_cast<int>(j), "  ",
            {{"Xm=", m.Xm[j]}, {", Ym=", m.Ym[j]}, {", Xd=", m.Xd[j]}, {", Yd=", m.Yd[j]}}));
    }
    appendSheetSize(lines, kRuleLength, m.sheetWidth(), m.sheetHeight());
    return lines;
}

std::vector<DxfLine> dxfLines(const ConeModel& m) {
    const std::size_t n = m.Xm.size() - 1;
    std::vector<DxfLine> lines;
    lines.reserve(3 * n + 1);
    for (std::size_t j = 0; j < n; ++j) {
        lines.push_back(
            {kLayerOutlines, kDsdEdgeColour, m.Xd[j], m.Yd[j], m.Xd[j + 1], m.Yd[j + 1]});
        lines.push_back(
            {kLayerOutlines, kDsmEdgeColour, m.Xm[j], m.Ym[j], m.Xm[j + 1], m.Ym[j + 1]});
    }
    lines.push_back({kLayerOutlines, kSeamColour, m.Xm[0], m.Ym[0], m.Xd[0], m.Yd[0]});
    lines.push_back({kLayerOutlines, kSeamColour, m.Xm[n], m.Ym[n], m.Xd[n], m.Yd[n]});
    for (std::size_t j = 1; j < n; ++j) {
        lines.push_back({kLayerOutlines, kGeneratrixColour, m.Xm[j], m.Ym[j], m.Xd[j], m.Yd[j]});
    }
    return lines;
}

PreviewDrawing preview(const ConeModel& m) {
    const std::size_t n = m.Xm.size() - 1;
    PreviewDrawing drawing;
    drawing.orientation = PreviewOrientation::BoundingBox;
    drawing.xMin = m.minX;
    drawing.xMax = m.maxX;
    drawing.yMin = m.minY;
    drawing.yMax = m.maxY;
    PreviewPath path(drawing.segments);
    path.setPen(PenRole::Edge);
    path.moveTo(m.Xd[0], m.Yd[0]);
    for (std::size_t j = 1; j <= n; ++j) {
        path.lineTo(m.Xd[j], m.Yd[j]);
    }
    path.setPen(PenRole::Curve);
    path.moveTo(m.Xm[0], m.Ym[0]);
    for (std::size_t j = 1; j <= n; ++j) {
        path.lineTo(m.Xm[j], m.Ym[j]);
    }
    path.setPen(PenRole::SeamEdge);
    path.moveTo(m.Xm[0], m.Ym[0]);
    path.lineTo(m.Xd[0], m.Yd[0]);
    path.moveTo(m.Xm[n], m.Ym[n]);
    path.lineTo(m.Xd[n], m.Yd[n]);
    path.setPen(PenRole::Generator);
    for (std::size_t j = 1; j < n; ++j) {
        path.moveTo(m.Xm[j], m.Ym[j]);
        path.lineTo(m.Xd[j], m.Yd[j]);
    }
    return drawing;
}

/** Point j on both edges, as the report numbers them. */
std::vector<PointMark> marks(const ConeModel& m) {
    std::vector<PointMark> marks;
    for (std::size_t j = 0; j < m.Xm.size(); ++j) {
        marks.push_back({m.Xm[j], m.Ym[j], std::to_string(j)});
        marks.push_back({m.Xd[j], m.Yd[j], std::to_string(j)});
    }
    return marks;
}

} // namespace

CalculationOutputs coneOutputs(const ConeModel& model, std::string_view dateText) {
    return {makePointReport(headerLines(model.inputs), resultLines(model), dateText),
            dxfLines(model), preview(model), marks(model)};
}

} // namespace blachorys::core
