#include "cases/pipe_pipe/pipepipecase.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/view3d/jointfit.h"
#include "common/core/view3d/viewscene.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

// Walls 10 and 12 mm thick, each joint and each way of making either pipe, square and inclined:
// the figure stays within a cut's allowance, and every face the view draws lies on a face of
// its pipe's wall (the branch's round its axis, the shell's round the x axis).
TEST(PipePipeView, WithWallsEveryFaceLiesOnItsPipeAndTheJointFits) {
    const double Dm = 300, Dd = 800, tm = 10, td = 12, H = 700, Lm = 350, P = 150;
    for (int k = 0; k < 16; ++k) {
        const bool setOn = (k & 1) == 0;
        const double beta = (k & 8) != 0 ? 60 : 90;
        SCOPED_TRACE(k);
        const auto texts = test::changedTexts(pipePipeCalculator(),
                                              {{"tm", std::to_string(tm)},
                                               {"td", std::to_string(td)},
                                               {"P", std::to_string(P)},
                                               {"Beta", std::to_string(beta)},
                                               {"joint", setOn ? "set-on" : "set-in"},
                                               {"branch-made", (k & 2) == 0 ? "rolled" : "pipe"},
                                               {"shell-made", (k & 4) == 0 ? "rolled" : "pipe"}});
        const double ax = std::cos(beta * kPi / 180), az = std::sin(beta * kPi / 180);
        const Point3 endFace{Lm + H * ax / az, P, H};
        const Point3 axis{ax, 0.0, az};
        for (std::size_t development : {0U, 1U}) {
            const auto result = pipePipeCalculator().calculate(texts, development, "d");
            ASSERT_TRUE(result.outputs && result.outputs->view);
            const JointView joint = result.outputs->view();
            // Inclined at 60° through a 12 mm shell, the hole's exact outline has chords some
            // 17 mm long beside Xo22 whose middles stand 0.055 mm off the branch: the figure
            // says so, and is held to a hundredth more there.
            const double allowed = beta != 90 && development == 1 ? 0.06 : kCutAllowance;
            EXPECT_LE(measureFit(result.outputs->pattern, joint).largestGap, allowed);
            const ViewScene scene = buildViewScene(result.outputs->pattern, joint);
            ASSERT_FALSE(scene.empty());
            double worst = 0.0;
            for (const ViewFace& face : scene.faces) {
                const bool branch = (face.tone == FaceTone::Sheet) == (development == 0);
                for (std::uint32_t i = 0; i < face.count; ++i) {
                    const Point3 p = scene.points[face.first + i];
                    const double from = branch ? fromLine(p, endFace, axis) : std::hypot(p.y, p.z);
                    const double outside = branch ? Dm / 2 : Dd / 2;
                    const double thickness = branch ? tm : td;
                    worst = std::max(worst, std::min(std::fabs(from - outside),
                                                     std::fabs(from - outside + thickness)));
                }
            }
            EXPECT_LT(worst, 1e-6) << development;
        }
    }
}

} // namespace
} // namespace blachorys::core
