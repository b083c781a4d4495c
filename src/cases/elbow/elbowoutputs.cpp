#include "cases/elbow/elbowoutputs.h"

#include "common/core/numbertext.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 55;

/** AutoCAD colours of the template: green cuts, magenta seams, a white base line, red lines. */
enum DxfColour : int { kCut = 3, kSeam = 6, kBase = 7, kMarkedLine = 1 };

/** The preview fits the patterns with half an hmax of margin below A and above B. */
constexpr double kMarginBelow = 0.5;
constexpr double kTopAboveBase = 4.0;

std::vector<std::string> headerLines(const ElbowInputs& in) {
    const std::string rule = repeated('-', kRuleLength);
    const std::string dimensions = "Dr = " + formatReport(in.Dr) +
                                   " [mm] , Rk = " + formatReport(in.Rk) +
                                   " [mm] , BETA = " + formatReport(in.BETA) + " [°]";
    const std::string counts =
        "Ns = " + std::to_string(in.Ns) + " [-] , N = " + std::to_string(in.N) + " [-]";
    return {
        "Rozwiniecie KOLANA SEGMENTOWEGO", rule, "DANE :", dimensions, counts, rule, "WYNIKI :"};
}

std::vector<std::string> resultLines(const ElbowModel& m) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < m.L.size(); ++i) {
        lines.push_back(pointLine(static_cast<int>(i), "  ",
                                  {{"L=", m.L[i]}, {", hA=", m.h[i]}, {", hB=", 2 * m.h[i]}}));
    }
    lines.push_back(repeated('-', kRuleLength));
    lines.emplace_back("Gabaryty arkusza blachy :");
    lines.push_back("A->  " + sheetSizeLine(m.Lc, m.hmax) + "  ,  B->  " +
                    sheetSizeLine(m.Lc, 2 * m.hmax));
    return lines;
}

/**
 * Both patterns on the box 0..Lc by −0.5·hmax..4·hmax, centred: the scale is the smaller of
 * 0.9·width / Lc and 0.9·height / 4.5·hmax, A's base line lies 3.5·hmax·scale / 2 below the
 * middle of the image and B's centre line 2.5·hmax·scale above it. Both seam edges are drawn
 * with h[0], which h[N] equals but for rounding.
 */
PreviewDrawing preview(const ElbowModel& m) {
    const std::size_t n = m.L.size() - 1;
    const double y0 = m.middleCentreLine();
    PreviewDrawing drawing =
        centredOnBox(0.0, m.Lc, -kMarginBelow * m.hmax, kTopAboveBase * m.hmax);
    PreviewPath path(drawing.segments);
    // A cut drawn from a line at `base`, upwards (side 1) or downwards (side −1).
    const auto cut = [&](double base, double side) {
        path.moveTo(m.L[0], base + side * m.h[0]);
        for (std::size_t i = 1; i <= n; ++i) {
            path.lineTo(m.L[i], base + side * m.h[i]);
        }
    };

    path.setPen(PenRole::Curve);
    cut(0.0, 1.0);
    path.setPen(PenRole::SeamEdge);
    path.moveTo(0.0, 0.0);
    path.lineTo(0.0, m.h[0]);
    path.moveTo(m.Lc, 0.0);
    path.lineTo(m.Lc, m.h[0]);
    path.setPen(PenRole::Edge);
    path.moveTo(0.0, 0.0);
    path.lineTo(m.Lc, 0.0);
    path.setPen(PenRole::Generator);
    for (std::size_t i = 1; i < n; ++i) {
        path.moveTo(m.L[i], 0.0);
        path.lineTo(m.L[i], m.h[i]);
    }

    path.setPen(PenRole::Curve);
    cut(y0, -1.0);
    cut(y0, 1.0);
    path.setPen(PenRole::SeamEdge);
    for (const double x : {0.0, m.Lc}) {
        path.moveTo(x, y0 - m.h[0]);
        path.lineTo(x, y0 + m.h[0]);
    }
    path.setPen(PenRole::Generator);
    for (std::size_t i = 1; i < n; ++i) {
        path.moveTo(m.L[i], y0 - m.h[i]);
        path.lineTo(m.L[i], y0 + m.h[i]);
    }
    path.setPen(PenRole::CentreLine);
    path.moveTo(0.0, y0);
    path.lineTo(m.Lc, y0);
    return drawing;
}

std::vector<DxfLine> dxfLines(const ElbowModel& m) {
    const std::size_t n = m.L.size() - 1;
    const double y0 = m.middleCentreLine();
    const auto line = [](DxfColour colour, double x1, double y1, double x2, double y2) {
        return DxfLine{kLayerOutlines, colour, x1, y1, x2, y2};
    };
    std::vector<DxfLine> lines;
    lines.reserve(5 * n + 4);
    for (std::size_t i = 0; i < n; ++i) {
        lines.push_back(line(kCut, m.L[i], m.h[i], m.L[i + 1], m.h[i + 1]));
    }
    lines.push_back(line(kSeam, m.L[0], 0.0, m.L[0], m.h[0]));
    lines.push_back(line(kSeam, m.L[n], 0.0, m.L[n], m.h[n]));
    lines.push_back(line(kBase, m.L[0], 0.0, m.L[n], 0.0));
    for (std::size_t i = 1; i < n; ++i) {
        lines.push_back(line(kMarkedLine, m.L[i], 0.0, m.L[i], m.h[i]));
    }
    for (std::size_t i = 0; i < n; ++i) {
        lines.push_back(line(kCut, m.L[i], y0 + m.h[i], m.L[i + 1], y0 + m.h[i + 1]));
        lines.push_back(line(kCut, m.L[i], y0 - m.h[i], m.L[i + 1], y0 - m.h[i + 1]));
    }
    lines.push_back(line(kSeam, m.L[0], y0 + m.h[0], m.L[0], y0 - m.h[0]));
    // The centre line marks the middle cross-section, where B's two halves meet.
    lines.push_back(line(kMarkedLine, m.L[0], y0, m.L[n], y0));
    for (std::size_t i = 1; i < n; ++i) {
        lines.push_back(line(kMarkedLine, m.L[i], y0 - m.h[i], m.L[i], y0 + m.h[i]));
    }
    lines.push_back(line(kSeam, m.L[n], y0 + m.h[n], m.L[n], y0 - m.h[n]));
    return lines;
}

/** Generator i on A's cut and on both of B's curves, numbered as the report numbers them. */
std::vector<PointMark> pointMarks(const ElbowModel& m) {
    const double centre = m.middleCentreLine();
    std::vector<PointMark> marks;
    for (std::size_t i = 0; i < m.L.size(); ++i) {
        const std::string number = std::to_string(i);
        marks.push_back({m.L[i], m.h[i], number});
        marks.push_back({m.L[i], centre + m.h[i], number});
        marks.push_back({m.L[i], centre - m.h[i], number});
    }
    return marks;
}

} // namespace

CalculationOutputs elbowOutputs(const ElbowModel& model, std::string_view dateText) {
    CalculationOutputs outputs;
    outputs.report = makePointReport(headerLines(model.inputs), resultLines(model), dateText);
    outputs.dxfLines = dxfLines(model);
    outputs.preview = preview(model);
    outputs.pointMarks = pointMarks(model);
    return outputs;
}

} // namespace blachorys::core
