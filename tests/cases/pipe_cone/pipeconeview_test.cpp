#include "cases/pipe_cone/pipeconecase.h"
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

struct PipeOnCone {
    const char* what;
    test::FieldChanges changes;
};

class PipeConeView : public ::testing::TestWithParam<PipeOnCone> {};

double value(const CalculatorInputs& inputs, const char* name) {
    return std::stod(
        inputs.fieldTexts[fieldIndex(pipeConeCalculator().definition(), name).value()]);
}

// Rolled up, each part lies on its own surface: the cone's, its section at the apex's distance
// z (x along the axis from the small end) a circle of R(z) about the centre line, which leans
// E over the length; the pipe's, Dr/2 round its axis, which stands at BETA to the cone's, P to
// the side, through the cone's centre line Lm from the small end.
TEST_P(PipeConeView, EachPartLiesOnItsSurface) {
    const CalculatorInputs texts = test::changedTexts(pipeConeCalculator(), GetParam().changes);
    const double Dr = value(texts, "Dr"), Dsm = value(texts, "Dsm"), Dsd = value(texts, "Dsd");
    const double Hs = value(texts, "Hs"), E = value(texts, "E"), P = value(texts, "P");
    const double Lm = value(texts, "Lm"), beta = value(texts, "Beta") * kPi / 180;
    const double Zm = Dsd * Hs / (Dsd - Dsm) - Hs;
    const auto offCone = [&](Point3 p) {
        const double z = Zm + p.x;
        return std::fabs(std::hypot(p.y, p.z - z * E / Hs) - z * (Dsd - Dsm) / (2 * Hs));
    };
    const Point3 onAxis{Lm, P, (Zm + Lm) * E / Hs};
    const Point3 axis{std::cos(beta), 0.0, std::sin(beta)};
    const auto offPipe = [&](Point3 p) { return std::fabs(fromLine(p, onAxis, axis) - Dr / 2); };
    for (std::size_t development : {0U, 1U}) {
        const auto result = pipeConeCalculator().calculate(texts, development, "d");
        ASSERT_TRUE(result.outputs && result.outputs->view);
        const ViewScene scene = buildViewScene(result.outputs->pattern, result.outputs->view());
        ASSERT_FALSE(scene.empty());
        double worst = 0.0;
        for (const ViewFace& face : scene.faces) {
            const bool pipe = (face.tone == FaceTone::Sheet) == (development == 0);
            for (std::uint32_t k = 0; k < face.count; ++k) {
                const Point3 p = scene.points[face.first + k];
                worst = std::max(worst, pipe ? offPipe(p) : offCone(p));
            }
        }
        EXPECT_LT(worst, 1e-6 * (Dsd + Hs)) << development;
    }
}

// Through the walls the template's cut rests on the cone's contact surface with the layer
// that meets it first, and the mantle's hole passes the pipe at every depth of the plate, set
// on (the pipe's inside on the cone's outside) or set in (its outside on the cone's inside).
TEST(PipeConeView, BothPatternsThroughTheirWallsMeetInEitherJoint) {
    for (const char* joint : {"set-on", "set-in"}) {
        for (const std::size_t development : {0U, 1U}) {
            SCOPED_TRACE(std::string(joint) + " " + std::to_string(development));
            const auto result = pipeConeCalculator().calculate(
                test::changedTexts(
                    pipeConeCalculator(),
                    {{"tr", "8"}, {"ts", "10"}, {"P", "-120"}, {"Beta", "60"}, {"joint", joint}}),
                development, "d");
            ASSERT_TRUE(result.outputs && result.outputs->view);
            const JointView view = result.outputs->view();
            const JointFit fit = measureFit(result.outputs->pattern, view);
            ASSERT_TRUE(fit.measured);
            EXPECT_LE(fit.largestGap, kCutAllowance) << "at " << fit.nearestPoint;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PipeConeView,
    ::testing::Values(PipeOnCone{"defaults", {}},
                      PipeOnCone{"inclined_oblique",
                                 {{"P", "-120"}, {"Beta", "60"}, {"alfa", "30"}, {"E", "-150"}}},
                      PipeOnCone{"right_cone", {{"P", "0"}, {"E", "0"}, {"Dr", "400"}}}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace blachorys::core
