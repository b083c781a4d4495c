// What is cut and marked of a transition (the CNC DXF's cuts, the template's lines and point
// numbers) against an exact development made here on its own: fine triangle after fine
// triangle by the law of cosines, each point after its own triangle's turn.
#include "cases/transition/transitionoutputs.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/sheets/cncdrawing.h"
#include "common/core/sheets/templatelines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

struct Space {
    double x, y, z;
};

double length(Space a, Space b) {
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

PatternPoint turned(PatternPoint from, PatternPoint towards, double angle, double distance) {
    const double direction = std::atan2(towards.y - from.y, towards.x - from.x) + angle;
    return {from.x + distance * std::cos(direction), from.y + distance * std::sin(direction)};
}

double angleOpposite(double a, double b, double opposite) {
    return std::acos(std::clamp((a * a + b * b - opposite * opposite) / (2 * a * b), -1.0, 1.0));
}

/** The exact development: the circle's fine points and the five corners. */
struct Exact {
    std::vector<PatternPoint> circle;
    std::vector<PatternPoint> corners;
};

Exact developed(const TransitionInputs& in, int finePerQuarter) {
    const auto corner = [&in](int k) { // corners 1..4 counterclockwise, 5 is 1 again
        const double sx[] = {1, -1, -1, 1}, sy[] = {1, 1, -1, -1};
        const int c = (k - 1) % 4;
        return Space{in.PA + sx[c] * in.A / 2, in.PB + sy[c] * in.B / 2, in.H};
    };
    const auto onCircle = [&in](double phi) {
        return Space{in.D / 2 * std::cos(phi), in.D / 2 * std::sin(phi), 0.0};
    };
    const double step = kPi / 2 / finePerQuarter;
    const double arc = kPi * in.D / (4 * finePerQuarter);
    Exact e;
    e.corners.push_back({0, 0});
    e.circle.push_back({length(corner(1), onCircle(0)), 0});
    for (int k = 1; k <= 4; ++k) {
        const PatternPoint c = e.corners.back();
        for (int j = 1; j <= finePerQuarter; ++j) {
            const double phi = (k - 1) * kPi / 2 + j * step;
            const double before = length(corner(k), onCircle(phi - step));
            const double now = length(corner(k), onCircle(phi));
            e.circle.push_back(turned(c, e.circle.back(), angleOpposite(before, now, arc), now));
        }
        // The flat triangle of this corner, the next and the circle point they share.
        const Space shared = onCircle(k * kPi / 2);
        const double side = length(corner(k), corner(k + 1));
        const double toShared = length(corner(k), shared);
        e.corners.push_back(turned(c, e.circle.back(),
                                   angleOpposite(toShared, side, length(corner(k + 1), shared)),
                                   side));
    }
    return e;
}

/** How far `p` lies from the polyline, mm. */
double offPolyline(PatternPoint p, const std::vector<PatternPoint>& line) {
    double nearest = INFINITY;
    for (std::size_t k = 1; k < line.size(); ++k) {
        nearest = std::min(nearest, distanceToSegment(p, line[k - 1], line[k]));
    }
    return nearest;
}

struct CutCase {
    const char* what;
    TransitionInputs inputs;
    double leastTableOffset; ///< the table's points lie at least this far from the exact ones, mm
};

class TransitionCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(TransitionCut, WhatIsCutAndMarkedIsTheExactDevelopment) {
    const TransitionInputs& in = GetParam().inputs;
    const TransitionModel model = computeTransition(in);
    const CalculationOutputs outputs = transitionOutputs(model, "d");
    const Exact exact = developed(in, model.M);
    // The outline: the circle, the rectangle's sides and the seam edges.
    std::vector<PatternPoint> outline = exact.circle;
    outline.insert(outline.end(), exact.corners.rbegin(), exact.corners.rend());
    outline.push_back(exact.circle.front());

    const CncDrawingResult cnc = cncDrawingOf(outputs.pattern, "");
    ASSERT_TRUE(cnc.drawing);
    ASSERT_EQ(cnc.drawing->cuts.size(), 1u);
    // The file's drawing is moved clear of its origin; moved back, it is the pattern's.
    std::vector<PatternPoint> cut = cnc.drawing->cuts.front().points;
    for (PatternPoint& p : cut) {
        p = {p.x - cnc.drawing->shift.x, p.y - cnc.drawing->shift.y};
    }
    double worst = 0.0;
    for (const PatternPoint p : cut) {
        worst = std::max(worst, offPolyline(p, outline));
    }
    cut.push_back(cut.front());
    for (const PatternPoint p : outline) {
        worst = std::max(worst, offPolyline(p, cut));
    }
    // The template's bending lines run from a corner to a point of its quarter, the numbers
    // stand at the corners and the points.
    for (const TemplateLine& line : templateLinesOf(outputs.pattern)) {
        if (line.role == LineRole::BendingLine) {
            worst = std::max(worst, offPolyline({line.x2, line.y2}, exact.circle));
            const auto corner = std::min_element(
                exact.corners.begin(), exact.corners.end(), [&](PatternPoint a, PatternPoint b) {
                    return std::hypot(a.x - line.x1, a.y - line.y1) <
                           std::hypot(b.x - line.x1, b.y - line.y1);
                });
            worst = std::max(worst, std::hypot(corner->x - line.x1, corner->y - line.y1));
        }
    }
    for (int c = 0; c < 5; ++c) {
        const PointMark& mark = outputs.pattern.points[static_cast<std::size_t>(c)];
        worst = std::max(worst, std::hypot(mark.x - exact.corners[static_cast<std::size_t>(c)].x,
                                           mark.y - exact.corners[static_cast<std::size_t>(c)].y));
    }
    EXPECT_LE(worst, kCutAllowance);
    // The table keeps its own construction; the cut outputs say how far it lies beside them.
    double tableOff = 0.0;
    for (int c = 0; c < 5; ++c) {
        const auto at = static_cast<std::size_t>(c);
        tableOff = std::max(tableOff, std::hypot(model.Xp[at] - exact.corners[at].x,
                                                 model.Yp[at] - exact.corners[at].y));
    }
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i <= in.N; ++i) {
            const PatternPoint p =
                exact.circle[static_cast<std::size_t>((k - 1) * model.M + i * model.step)];
            const std::size_t at = model.pointIndex(k, i);
            tableOff = std::max(tableOff, std::hypot(model.Xk[at] - p.x, model.Yk[at] - p.y));
        }
    }
    EXPECT_NEAR(model.tableOffset, tableOff, kCutAllowance);
    EXPECT_GT(tableOff, GetParam().leastTableOffset);
    ASSERT_EQ(outputs.report.cutNotes.size(), 1u);
    EXPECT_NE(outputs.report.cutNotes[0].find("punkty tabeli do "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Table, TransitionCut,
                         ::testing::Values(CutCase{"defaults", {}, 0.25},
                                           CutCase{"defaults_most_parts", {.N = 500}, 0.25},
                                           CutCase{
                                               "large", {600, 300, 600, -200, 1200, 600, 12}, 1.0}),
                         [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace blachorys::core
