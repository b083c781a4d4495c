#include "cases/transition/transitionoutputs.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/wallchoices.h"
#include "common/core/pattern/patternlines.h"

#include <cmath>
#include <string>

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 59;
constexpr int kPointNumberWidth = 3;

PatternPoint circlePoint(const TransitionModel& m, int k, int i) {
    const std::size_t index = m.pointIndex(k, i);
    return {m.Xk[index], m.Yk[index]};
}

PatternPoint corner(const TransitionModel& m, int c) {
    const auto index = static_cast<std::size_t>(c);
    return {m.Xp[index], m.Yp[index]};
}

/** The plate and the sizes developed, named only where the plate has a thickness. */
std::vector<std::string> wallLines(const TransitionModel& m) {
    const TransitionInputs& in = m.inputs;
    if (in.t == 0.0) {
        return {};
    }
    return {"t = " + formatReport(in.t) + " [mm] (A, B, D - wymiary " +
                typedSurfaceWords(in.sizes) + ")",
            "rozwiniecie " + developedSurfaceWords(transitionWall(in).developed()) + " : A' = " +
                formatReport(m.developed.A) + " , B' = " + formatReport(m.developed.B) +
                " , D' = " + formatReport(m.developed.D)};
}

ReportHeading heading(const TransitionModel& m) {
    const TransitionInputs& in = m.inputs;
    // PB has no unit after it; the report has always ended the line so.
    std::string rectangle = "A = " + formatReport(in.A) + " [mm] , PA = " + formatReport(in.PA) +
                            " [mm] , B = " + formatReport(in.B) +
                            " [mm] , PB = " + formatReport(in.PB);
    std::string circle = "D = " + formatReport(in.D) + " [mm] , H = " + formatReport(in.H) +
                         " [mm] , N = " + std::to_string(in.N) + " [-]";
    return {.title = "Rozwiniecie Przejsciowki KOLO - PROSTOKAT",
            .titleRule = kRuleLength,
            .inputLines = {std::move(rectangle), std::move(circle)},
            .wallLines = wallLines(m),
            .inputsRule = kRuleLength};
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
    return lines;
}

/** The table's points beside the exact development's: what the worker should know when cutting. */
constexpr double kTableOffsetNoted = 0.1;

PatternPoint exactCirclePoint(const TransitionModel& m, int k, int i) {
    return m.exactPoints[m.pointIndex(k, i)];
}

/** Between two fans, a flat triangle may be cut at this many places along its side, less one. */
constexpr int kTriangleCutSteps = 8;

double triangleArea(PatternPoint a, PatternPoint b, PatternPoint c) {
    return std::fabs(cross(b - a, c - a)) / 2;
}

/**
 * The places the piece may be cut at, round it from the seam (the fan's first line at corner 1)
 * to the seam's other side, each with the area before it: each fan's lines from its corner to
 * the points of its quarter, and each flat triangle's lines from its circle point to its side
 * at eighths of it (the middle among them). A split takes those that leave parts of about equal
 * area; the part at the seam's end is joined to the part at its start.
 */
SplitPlan fanSplit(const TransitionModel& m) {
    const int n = m.inputs.N;
    const auto exactCorner = [&m](int c) { return m.exactCorners[static_cast<std::size_t>(c)]; };
    SplitPlan plan{SplitKind::AlongLines,
                   {},
                   {exactCorner(0), exactCirclePoint(m, 1, 0)},
                   {exactCorner(4), exactCirclePoint(m, 4, n)}};
    double area = 0.0;
    const auto place = [&plan, &area](PatternPoint from, PatternPoint to, double before) {
        plan.lines.push_back({from, to});
        plan.areaBefore.push_back(area + before);
    };
    for (int k = 1; k <= 4; ++k) {
        const PatternPoint c = exactCorner(k - 1);
        for (int i = 0; i <= n; ++i) {
            if (i > 0) {
                area += triangleArea(c, exactCirclePoint(m, k, i - 1), exactCirclePoint(m, k, i));
            }
            if (k > 1 || i > 0) {
                place(c, exactCirclePoint(m, k, i), 0.0);
            }
        }
        const PatternPoint apex = exactCirclePoint(m, k, n);
        const PatternPoint next = exactCorner(k);
        const double flat = triangleArea(c, next, apex);
        for (int s = 1; s < kTriangleCutSteps; ++s) {
            const double t = static_cast<double>(s) / kTriangleCutSteps;
            place(c + ((next - c) * t), apex, flat * t);
        }
        area += flat;
    }
    plan.area = area;
    return plan;
}

/**
 * One outline: the developed circle through the quarters' points, the developed rectangle
 * corner to corner, the two seam edges; the fans' bending lines from each corner to the points
 * of its quarter. The lines are the point table's, as the document's DXF and the preview draw
 * them; each names its line in the exact development, which is what is cut and marked, and the
 * points are numbered where the exact development has them. The corners are numbered 1 to 5
 * and the circle points "k-i", as the report names them. Corner 1 stays at the origin: the
 * preview centres the bounding box instead.
 */
Pattern pattern(const TransitionModel& m) {
    const int n = m.inputs.N;
    PatternBuilder b;
    const int outline =
        b.newPiece({"przejscie", 1, transitionWall(m.inputs).thickness, fanSplit(m)});
    const int circle = b.exactCurve(LineRole::EndEdge, m.exactCircle);
    const auto exactLine = [&](LineRole role, PatternPoint from, PatternPoint to) {
        return b.exactCurve(role, {from, to});
    };
    const auto exactCorner = [&m](int c) { return m.exactCorners[static_cast<std::size_t>(c)]; };
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i < n; ++i) {
            b.line(LineRole::EndEdge, circlePoint(m, k, i), circlePoint(m, k, i + 1),
                   {outline, 0, circle});
        }
    }
    for (int c = 0; c < 4; ++c) {
        b.line(LineRole::StartEdge, corner(m, c), corner(m, c + 1),
               {outline, 0, exactLine(LineRole::StartEdge, exactCorner(c), exactCorner(c + 1))});
    }
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i <= n; ++i) {
            // The fans' very first line is the seam edge; all the others are bent along.
            const LineRole role = k == 1 && i == 0 ? LineRole::SeamEdge : LineRole::BendingLine;
            const int exact = exactLine(role, exactCorner(k - 1), exactCirclePoint(m, k, i));
            b.line(role, corner(m, k - 1), circlePoint(m, k, i),
                   {role == LineRole::SeamEdge ? outline : kNoOutline, 0, exact});
        }
    }
    b.line(LineRole::SeamEdge, corner(m, 4), circlePoint(m, 4, n),
           {outline, 0, exactLine(LineRole::SeamEdge, exactCorner(4), exactCirclePoint(m, 4, n))});

    for (int c = 0; c <= 4; ++c) {
        b.mark(exactCorner(c), std::to_string(c + 1));
    }
    for (int k = 1; k <= 4; ++k) {
        // Each quarter's points are a run of their own.
        b.newMarkRun();
        for (int i = 0; i <= n; ++i) {
            b.mark(exactCirclePoint(m, k, i), std::to_string(k) + "-" + std::to_string(i));
        }
    }
    return std::move(b).finish();
}

std::vector<std::string> cutNotes(const TransitionModel& m) {
    if (!(m.tableOffset >= kTableOffsetNoted)) {
        return {};
    }
    return {"linia ciecia wg dokladnego rozwiniecia; punkty tabeli do " +
            formatReport(m.tableOffset) + " mm obok"};
}

} // namespace

CalculationOutputs transitionOutputs(const TransitionModel& model, std::string_view dateText) {
    PointReport report = makePointReport(heading(model), resultLines(model),
                                         sheetOf(kRuleLength, model.W, model.Hs), dateText);
    report.cutNotes = cutNotes(model);
    return {std::move(report),
            pattern(model),
            {standardStyles(), centredOnBox(model.xmin, model.xmax, model.ymin, model.ymax)}};
}

} // namespace blachorys::core
