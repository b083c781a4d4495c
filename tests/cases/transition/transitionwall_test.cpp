// A transition from plate with a thickness: what is cut, rolled back, is the plate's mean
// surface between the same planes: the corners A' and B' apart, the circle edge as long as
// π·D' within the fans' fine arc, every bending line as long as its line in space, A', B' and
// D' being the sizes typed less t (outside), plus t (inside), or as typed (on the axis).
#include "cases/transition/transitionoutputs.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/sheets/cncdrawing.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(TransitionWall, WhatIsCutIsTheMeanSurfaceAtEveryThicknessAndMeaning) {
    for (const double t : {0.0, 5.0, 12.0}) {
        for (const WallSurface typed :
             {WallSurface::Outside, WallSurface::Inside, WallSurface::Mean}) {
            TransitionInputs in{150, 15, 220, 20, 300, 230, 24};
            in.t = t;
            in.sizes = typed;
            SCOPED_TRACE("t " + std::to_string(t) + " meaning " + std::to_string(int(typed)));
            const double change = typed == WallSurface::Outside  ? -t
                                  : typed == WallSurface::Inside ? t
                                                                 : 0.0;
            const double A = in.A + change, B = in.B + change, D = in.D + change;
            const TransitionModel m = computeTransition(in);
            const CalculationOutputs outputs = transitionOutputs(m, "d");
            // The corners, numbered 1 to 5 where they are cut, A' and B' apart.
            const auto corner = [&](int c) {
                return outputs.pattern.points[static_cast<std::size_t>(c)];
            };
            const double sides[] = {A, B, A, B};
            for (int c = 0; c < 4; ++c) {
                EXPECT_NEAR(
                    std::hypot(corner(c + 1).x - corner(c).x, corner(c + 1).y - corner(c).y),
                    sides[c], 1e-6);
            }
            // Every bending line as long as its line in space, corner to circle point.
            const auto cornerInSpace = [&](int k) {
                const double sx[] = {1, -1, -1, 1}, sy[] = {1, 1, -1, -1};
                return std::array{in.PA + sx[(k - 1) % 4] * A / 2, in.PB + sy[(k - 1) % 4] * B / 2};
            };
            double worst = 0.0;
            for (std::size_t mark = 5; mark < outputs.pattern.points.size(); ++mark) {
                const PointMark& p = outputs.pattern.points[mark];
                const int k = p.text[0] - '0';
                const int i = std::stoi(p.text.substr(2));
                const double phi = (k - 1) * kPi / 2 + i * kPi / 2 / in.N;
                const auto c = cornerInSpace(k);
                const double inSpace =
                    std::hypot(c[0] - D / 2 * std::cos(phi), c[1] - D / 2 * std::sin(phi), in.H);
                worst = std::max(
                    worst,
                    std::fabs(std::hypot(p.x - corner(k - 1).x, p.y - corner(k - 1).y) - inSpace));
            }
            EXPECT_LE(worst, kCutAllowance);
            // The circle edge, as the CNC DXF cuts it, from point 1-0 round to point 4-N.
            const CncDrawingResult cnc = cncDrawingOf(outputs.pattern, "");
            ASSERT_TRUE(cnc.drawing);
            const auto& cut = cnc.drawing->cuts.front().points;
            double circle = 0.0;
            for (std::size_t k = 0; k < cut.size(); ++k) {
                const PatternPoint a = cut[k], b = cut[(k + 1) % cut.size()];
                circle += std::hypot(b.x - a.x, b.y - a.y);
            }
            const double seams = 2 * std::hypot(corner(0).x - outputs.pattern.points[5].x,
                                                corner(0).y - outputs.pattern.points[5].y);
            EXPECT_NEAR(circle - seams - 2 * (A + B), kPi * D, 1.5 * kPi * D / (4 * m.M));
        }
    }
}

TEST(TransitionWall, APlateThatLeavesASizeNoInsideIsRefused) {
    // A = 150 and B = 220 typed outside: 75 mm of plate leaves A no inside, B and D still one.
    TransitionInputs in;
    in.t = 75;
    EXPECT_EQ(
        validateTransition(in),
        std::vector<std::string>{"Blad danych : t zbyt duze dla A - brak wnetrza prostokata"});
    in.sizes = WallSurface::Inside;
    EXPECT_TRUE(validateTransition(in).empty());
}

} // namespace
} // namespace blachorys::core
