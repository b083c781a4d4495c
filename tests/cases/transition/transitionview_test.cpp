#include "cases/transition/transitioncase.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/view3d/jointfit.h"
#include "common/core/view3d/viewscene.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace blachorys::core {
namespace {

double value(const CalculatorInputs& inputs, const char* name) {
    return std::stod(
        inputs.fieldTexts[fieldIndex(transitionCalculator().definition(), name).value()]);
}

// Folded up, every point of the sheet lies in one of the flat triangles between two corners and
// the circle's point at the quarter between them, or on a fan: on a line from a corner that
// reaches the circle's plane on the circle.
TEST(TransitionView, TheFoldedSheetLiesOnItsFansAndFlatTriangles) {
    for (const test::FieldChanges& changes :
         {test::FieldChanges{}, test::FieldChanges{{"PA", "-40"}, {"PB", "-35.5"}, {"N", "500"}},
          test::FieldChanges{{"A", "500"}, {"B", "400"}, {"D", "250"}, {"H", "80"}}}) {
        const CalculatorInputs texts = test::changedTexts(transitionCalculator(), changes);
        const double A = value(texts, "A"), B = value(texts, "B"), PA = value(texts, "PA");
        const double PB = value(texts, "PB"), D = value(texts, "D"), H = value(texts, "H");
        const std::array<Point3, 4> corners{
            Point3{PA + A / 2, PB + B / 2, H}, Point3{PA - A / 2, PB + B / 2, H},
            Point3{PA - A / 2, PB - B / 2, H}, Point3{PA + A / 2, PB - B / 2, H}};
        const std::array<Point3, 4> shared{Point3{0, D / 2, 0}, Point3{-D / 2, 0, 0},
                                           Point3{0, -D / 2, 0}, Point3{D / 2, 0, 0}};
        const auto result = transitionCalculator().calculate(texts, 0, "d");
        ASSERT_TRUE(result.outputs && result.outputs->view);
        const ViewScene scene = buildViewScene(result.outputs->pattern, result.outputs->view());
        ASSERT_FALSE(scene.empty());
        double worst = 0.0;
        for (const Point3 p : scene.points) {
            double off = INFINITY;
            for (std::size_t k = 0; k < 4; ++k) {
                const Point3 c = corners[k];
                const Point3 normal = unit(cross(corners[(k + 1) % 4] - c, shared[k] - c));
                off = std::min(off, std::fabs(dot(p - c, normal)));
                if (H - p.z > 1e-9 * H) {
                    const Point3 down = c + (H / (H - p.z)) * (p - c);
                    off = std::min(off, std::fabs(std::hypot(down.x, down.y) - D / 2));
                }
            }
            worst = std::max(worst, off);
        }
        EXPECT_LT(worst, 1e-6 * (A + B + D + H));
    }
}

// A rectangle wider than the circle: each fan's lines run inside another corner's angles, and
// a point of the sheet belongs to the fan only up to the circle. Folded, the pattern's edges
// meet the circle's and the rectangle's planes and the seam.
TEST(TransitionView, ARectangleWiderThanTheCircleFoldsOntoItsOwnFans) {
    for (const char* A : {"400", "600"}) {
        for (const char* B : {"300", "400"}) {
            for (const char* H : {"80", "300"}) {
                SCOPED_TRACE(std::string(A) + " x " + B + ", H " + H);
                const auto result = transitionCalculator().calculate(
                    test::changedTexts(transitionCalculator(),
                                       {{"A", A}, {"B", B}, {"D", "250"}, {"H", H}}),
                    0, "d");
                ASSERT_TRUE(result.outputs && result.outputs->view);
                const JointFit fit = measureFit(result.outputs->pattern, result.outputs->view());
                ASSERT_TRUE(fit.measured);
                EXPECT_LE(fit.largestGap, kCutAllowance) << "at " << fit.nearestPoint;
            }
        }
    }
}

/**
 * How far the scene's faces bend out of their own plane, worst of all, as a share of each
 * face's size: flat shading looks smooth only where each face is flat. Slivers (a strip a
 * grid leaves at a region's edge) have no plane to speak of, and no width to show a shade.
 */
double worstBend(const ViewScene& scene) {
    double worst = 0.0;
    for (const ViewFace& face : scene.faces) {
        double size = 0.0;
        double off = 0.0;
        Point3 twiceArea;
        const std::uint32_t first = face.first;
        for (std::uint32_t k = first; k < first + face.count; ++k) {
            const Point3 p = scene.points[k];
            const Point3 next = scene.points[k + 1 < first + face.count ? k + 1 : first];
            size = std::max(size, norm(p - face.middle));
            off = std::max(off, std::fabs(dot(p - face.middle, face.normal)));
            twiceArea = twiceArea + cross(p - face.middle, next - face.middle);
        }
        const bool sliver = norm(twiceArea) < 0.1 * size * size;
        worst = size > 0.0 && !sliver ? std::max(worst, off / size) : worst;
    }
    return worst;
}

// Each face lies on one fan between two of its lines, or on one flat triangle: none is bent
// over a fold or round a fan, where flat shading shows a checkerboard of squares.
TEST(TransitionView, NoFaceBendsOverAFoldOrRoundAFan) {
    for (const test::FieldChanges& changes :
         {test::FieldChanges{}, test::FieldChanges{{"t", "3"}},
          test::FieldChanges{{"A", "600"}, {"B", "400"}, {"D", "250"}, {"H", "80"}},
          test::FieldChanges{{"PA", "-40"}, {"PB", "-35.5"}, {"t", "12"}}}) {
        const auto result = transitionCalculator().calculate(
            test::changedTexts(transitionCalculator(), changes), 0, "d");
        ASSERT_TRUE(result.outputs && result.outputs->view);
        JointView view = result.outputs->view();
        const double bend = worstBend(buildViewScene(result.outputs->pattern, view));
        EXPECT_LT(bend, 0.01);
        // Squares over the whole sheet, as before: the measure sees them bent.
        view.developed.front().regions.clear();
        EXPECT_GT(worstBend(buildViewScene(result.outputs->pattern, view)), 10 * bend);
    }
}

} // namespace
} // namespace blachorys::core
