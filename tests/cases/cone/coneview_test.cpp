#include "cases/cone/conecase.h"
#include "common/core/curvesampling.h"
#include "common/core/viewscene.h"
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
        worst = std::max(worst, std::fabs(std::hypot(p.x - E * share, p.y) - (Rd + (Rm - Rd) * share)));
        outside = std::max({outside, -p.z, p.z - Hs});
    }
    EXPECT_LT(worst, 1e-6 * (Rd + Hs));
    EXPECT_LT(outside, kCutAllowance);
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
