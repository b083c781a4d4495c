#include "cases/cone_pipe/conepipecase.h"
#include "common/core/view3d/viewscene.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

double value(const CalculatorInputs& inputs, const char* name) {
    return std::stod(
        inputs.fieldTexts[fieldIndex(conePipeCalculator().definition(), name).value()]);
}

// Rolled up, the pipe lies Dr/2 round the x axis, and the cone on the right cone whose axis
// rises at BETA through (Lm, P, 0), its free end's centre Hs up, its half-angle Gamma: every
// point's distance from the axis is tan Gamma times its distance along it from the apex.
TEST(ConePipeView, EachPartLiesOnItsSurface) {
    for (const test::FieldChanges& changes :
         {test::FieldChanges{}, test::FieldChanges{{"Beta", "90"}, {"P", "-60"}, {"alfa", "45"}},
          test::FieldChanges{{"Gamma", "10"}, {"Beta", "110"}, {"Ds", "250"}}}) {
        const CalculatorInputs texts = test::changedTexts(conePipeCalculator(), changes);
        const double Dr = value(texts, "Dr"), Ds = value(texts, "Ds"), P = value(texts, "P");
        const double Hs = value(texts, "Hs"), Lm = value(texts, "Lm");
        const double gamma = value(texts, "Gamma") * kPi / 180,
                     beta = value(texts, "Beta") * kPi / 180;
        const Point3 axis{std::cos(beta), 0.0, std::sin(beta)};
        const Point3 freeEnd = Point3{Lm, P, 0.0} + (Hs / axis.z) * axis;
        const Point3 apex = freeEnd + (Ds / 2 / std::tan(gamma)) * axis;
        const auto offCone = [&](Point3 p) {
            const double along = dot(apex - p, axis);
            return std::fabs(fromLine(p, apex, axis) - along * std::tan(gamma));
        };
        for (std::size_t development : {0U, 1U}) {
            const auto result = conePipeCalculator().calculate(texts, development, "d");
            ASSERT_TRUE(result.outputs && result.outputs->view);
            const ViewScene scene = buildViewScene(result.outputs->pattern, result.outputs->view());
            ASSERT_FALSE(scene.empty());
            double worst = 0.0;
            for (const ViewFace& face : scene.faces) {
                const bool cone = (face.tone == FaceTone::Sheet) == (development == 0);
                for (std::uint32_t k = 0; k < face.count; ++k) {
                    const Point3 p = scene.points[face.first + k];
                    worst = std::max(worst,
                                     cone ? offCone(p) : std::fabs(std::hypot(p.y, p.z) - Dr / 2));
                }
            }
            EXPECT_LT(worst, 1e-6) << development;
        }
    }
}

} // namespace
} // namespace blachorys::core
