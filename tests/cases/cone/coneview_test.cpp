#include "cases/cone/conecase.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/view3d/viewscene.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace blachorys::core {
namespace {

struct RolledCone {
    const char* what;
    test::FieldChanges changes;
};

class ConeView : public ::testing::TestWithParam<RolledCone> {};

double value(const CalculatorInputs& inputs, const char* name) {
    return std::stod(inputs.fieldTexts[fieldIndex(coneCalculator().definition(), name).value()]);
}

// Rolled up, every point of the sheet lies on the cone through both edges: at height z, on the
// circle whose centre and radius go straight from the Dsd edge's (at 0) to the Dsm edge's (at Hs,
// E along x); and between the two edges' planes, but for the chords between the exact edge's
// points.
TEST_P(ConeView, TheRolledSheetLiesOnTheCone) {
    const CalculatorInputs texts = test::changedTexts(coneCalculator(), GetParam().changes);
    const auto result = coneCalculator().calculate(texts, 0, "d");
    ASSERT_TRUE(result.outputs && result.outputs->view);
    const ViewScene scene = buildViewScene(result.outputs->pattern, result.outputs->view());
    ASSERT_FALSE(scene.empty());
    const double Rd = value(texts, "Dsd") / 2, Rm = value(texts, "Dsm") / 2;
    const double Hs = value(texts, "Hs"), E = value(texts, "E");
    double worst = 0.0;
    double outside = 0.0;
    for (const Point3 p : scene.points) {
        const double share = p.z / Hs;
        worst =
            std::max(worst, std::fabs(std::hypot(p.x - E * share, p.y) - (Rd + (Rm - Rd) * share)));
        outside = std::max({outside, -p.z, p.z - Hs});
    }
    EXPECT_LT(worst, 1e-6 * (Rd + Hs));
    EXPECT_LT(outside, kCutAllowance);
}

// A wall's edges are drawn on their own side of the plate: each knows whether it lies outside
// the mean surface or inside it, and is shown only where that side faces the one looking.
TEST(ConeView, AWallsEdgesKnowWhichSideOfThePlateTheyLieOn) {
    const CalculatorInputs texts = test::changedTexts(
        coneCalculator(), {{"t", "12"}, {"E", "0"}, {"diameters", "mean"}});
    const auto result = coneCalculator().calculate(texts, 0, "d");
    ASSERT_TRUE(result.outputs && result.outputs->view);
    const ViewScene scene = buildViewScene(result.outputs->pattern, result.outputs->view());
    const double Rd = value(texts, "Dsd") / 2, Rm = value(texts, "Dsm") / 2;
    const double Hs = value(texts, "Hs");
    int outside = 0, inside = 0;
    for (const ViewLine& line : scene.lines) {
        const Point3 m = line.middle;
        const double off = std::hypot(m.x, m.y) - (Rd + (Rm - Rd) * m.z / Hs);
        const double facing = dot(line.away, unit(Point3{m.x, m.y, 0.0}));
        EXPECT_GT(off * facing, 0.0) << "a line " << off << " mm off the mean surface";
        (off > 0 ? outside : inside) += 1;
    }
    EXPECT_GT(outside, 0);
    EXPECT_GT(inside, 0);
}

// A right cone's plate 10 mm thick, its diameters typed on either face: every point drawn lies
// on the cone parallel to the mean surface 5 mm out or in, whose radius at height z is the
// mean's plus 5 mm over the cosine of the half angle; the mean's radii are the typed ones less
// (or plus) half the plate over that cosine.
TEST(ConeView, WithAPlateBothFacesStandHalfItsThicknessFromTheMeanSurface) {
    const double Rd = 400, Rm = 300, Hs = 1000, t = 10;
    const double cosine = Hs / std::hypot(Hs, Rd - Rm);
    for (const auto& [diameters, typedOutward] :
         {std::pair{"outside", 0.5}, std::pair{"inside", -0.5}}) {
        SCOPED_TRACE(diameters);
        const auto result = coneCalculator().calculate(
            test::changedTexts(coneCalculator(),
                               {{"E", "0"}, {"t", "10"}, {"diameters", diameters}}),
            0, "d");
        ASSERT_TRUE(result.outputs && result.outputs->view);
        const ViewScene scene = buildViewScene(result.outputs->pattern, result.outputs->view());
        ASSERT_FALSE(scene.empty());
        const double meanShift = -typedOutward * t / cosine;
        double worst = 0.0;
        for (const Point3 p : scene.points) {
            const double mean = Rd + meanShift + (Rm - Rd) * p.z / Hs;
            const double radius = std::hypot(p.x, p.y);
            worst = std::max(worst, std::min(std::fabs(radius - mean - 0.5 * t / cosine),
                                             std::fabs(radius - mean + 0.5 * t / cosine)));
        }
        EXPECT_LT(worst, 1e-4);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConeView,
    ::testing::Values(RolledCone{"defaults", {}}, RolledCone{"right", {{"E", "0"}}},
                      RolledCone{"far_over", {{"E", "-450"}, {"alfa", "37"}}},
                      RolledCone{"first_edge_larger", {{"Dsm", "1000"}, {"E", "-150"}}},
                      RolledCone{"most_divisions", {{"N", "2000"}}}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace blachorys::core
