#include "cases/transition/transitionoutputs.h"

#include "common/core/numbertext.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 59;
constexpr int kPointNumberWidth = 3;

/** Colour numbers of the template lines, matching the preview's pens. */
enum DxfColour : int {
    kBendingLineColour = 1,
    kStraightEdgeColour = 3,
    kSeamColour = 6,
    kCurvedEdgeColour = 7
};

struct PatternPoint {
    double x = 0.0;
    double y = 0.0;
};

PatternPoint circlePoint(const TransitionModel& m, int k, int i) {
    const std::size_t index = m.pointIndex(k, i);
    return {m.Xk[index], m.Yk[index]};
}

PatternPoint corner(const TransitionModel& m, int c) {
    const auto index = static_cast<std::size_t>(c);
    return {m.Xp[index], m.Yp[index]};
}

std::vector<std::string> headerLines(const TransitionInputs& in) {
    const std::string rule = repeated('-', kRuleLength);
    // PB has no unit after it; the report has always ended the line so.
    std::string rectangle = "A = " + formatReport(in.A) + " [mm] , PA = " + formatReport(in.PA) +
                            " [mm] , B = " + formatReport(in.B) +
                            " [mm] , PB = " + formatReport(in.PB);
    std::string circle = "D = " + formatReport(in.D) + " [mm] , H = " + formatReport(in.H) +
                         " [mm] , N = " + std::to_string(in.N) + " [-]";
    return {"Rozwiniecie Przejsciowki KOLO - PROSTOKAT",
            rule,
            "DANE :",
            std::move(rectangle),
            std::move(circle),
            rule,
            "WYNIKI :"};
}

/** "  1-  0": the fan's corner number, then the point's index in its quarter. */
std::string fanPointGap(int index) {
    return "-" + alignRight(std::to_string(index), kPointNumberWidth);
}

std::vector<std::string> resultLines(const TransitionModel& m) {
    const int n = m.inputs.N;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(4 * (n + 2) + 4));
    for (int k = 1; k <= 4; ++k) {
        const PatternPoint c = corner(m, k - 1);
        for (int i = 0; i <= n; ++i) {
            const PatternPoint p = circlePoint(m, k, i);
            lines.push_back(
                pointLine(k, fanPointGap(i),
                          {{", Xp=", c.x}, {", Yp=", c.y}, {", Xk=", p.x}, {", Yk=", p.y}}));
        }
        lines.push_back(repeated('-', kRuleLength));
    }
    const PatternPoint last = corner(m, 4);
    lines.push_back(pointLine(5, fanPointGap(0), {{", Xp=", last.x}, {", Yp=", last.y}}));
    appendSheetSize(lines, kRuleLength, m.W, m.Hs);
    return lines;
}

DxfLine dxfLine(const char* layer, int colour, PatternPoint from, PatternPoint to) {
    return {layer, colour, from.x, from.y, to.x, to.y};
}

std::vector<DxfLine> dxfLines(const TransitionModel& m) {
    const int n = m.inputs.N;
    std::vector<DxfLine> lines;
    lines.reserve(static_cast<std::size_t>(8 * n + 9));
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i < n; ++i) {
            lines.push_back(dxfLine(kLayerOutlines, kCurvedEdgeColour, circlePoint(m, k, i),
                                    circlePoint(m, k, i + 1)));
        }
    }
    for (int c = 0; c < 4; ++c) {
        lines.push_back(
            dxfLine(kLayerOutlines, kStraightEdgeColour, corner(m, c), corner(m, c + 1)));
    }
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i <= n; ++i) {
            // The fans' very first line is the seam edge; all the others are bent along.
            const bool seam = k == 1 && i == 0;
            lines.push_back(dxfLine(seam ? kLayerOutlines : kLayerGenerators,
                                    seam ? kSeamColour : kBendingLineColour, corner(m, k - 1),
                                    circlePoint(m, k, i)));
        }
    }
    lines.push_back(dxfLine(kLayerOutlines, kSeamColour, corner(m, 4), circlePoint(m, 4, n)));
    return lines;
}

PreviewDrawing preview(const TransitionModel& m) {
    const int n = m.inputs.N;
    // Corner 1 stays at the origin: the preview centres the bounding box instead.
    PreviewDrawing drawing = centredOnBox(m.xmin, m.xmax, m.ymin, m.ymax);
    PreviewPath path(drawing.segments);
    const auto moveTo = [&path](PatternPoint p) { path.moveTo(p.x, p.y); };
    const auto lineTo = [&path](PatternPoint p) { path.lineTo(p.x, p.y); };

    // One polyline: from the last point of a quarter it goes on to point 1 of the next, the
    // next quarter's point 0 being the same place.
    path.setPen(PenRole::Edge);
    moveTo(circlePoint(m, 1, 0));
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i < n; ++i) {
            lineTo(circlePoint(m, k, i + 1));
        }
    }
    path.setPen(PenRole::Curve);
    moveTo(corner(m, 0));
    for (int c = 1; c <= 4; ++c) {
        lineTo(corner(m, c));
    }
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i <= n; ++i) {
            path.setPen(k == 1 && i == 0 ? PenRole::SeamEdge : PenRole::Generator);
            moveTo(corner(m, k - 1));
            lineTo(circlePoint(m, k, i));
        }
    }
    path.setPen(PenRole::SeamEdge);
    moveTo(corner(m, 4));
    lineTo(circlePoint(m, 4, n));
    return drawing;
}

/** The corners 1 to 5 and the circle points "k-i", as the report names them. */
std::vector<PointMark> pointMarks(const TransitionModel& m) {
    std::vector<PointMark> marks;
    for (std::size_t corner = 0; corner < m.Xp.size(); ++corner) {
        marks.push_back({m.Xp[corner], m.Yp[corner], std::to_string(corner + 1)});
    }
    const int n = m.inputs.N;
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i <= n; ++i) {
            const std::size_t at = m.pointIndex(k, i);
            marks.push_back({m.Xk[at], m.Yk[at], std::to_string(k) + "-" + std::to_string(i)});
        }
    }
    return marks;
}

} // namespace

CalculationOutputs transitionOutputs(const TransitionModel& model, std::string_view dateText) {
    CalculationOutputs outputs{
        .dxfLines = dxfLines(model), .preview = preview(model), .pointMarks = pointMarks(model)};
    outputs.report = makePointReport(headerLines(model.inputs), resultLines(model), dateText);
    return outputs;
}

} // namespace blachorys::core
