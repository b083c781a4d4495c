#include "cases/cone_pipe/conepipecase.h"
#include "cases/pipe_pipe/pipepipecase.h"
#include "common/core/view3d/jointfit.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/** Both joints develop their main pipe's sheet second. */
constexpr std::size_t kMainPipe = 1;

struct Shell {
    Pattern pattern;
    JointView view;
};

Shell shellWith(const Calculator& calculator, test::FieldChanges changes) {
    const auto result =
        calculator.calculate(test::changedTexts(calculator, changes), kMainPipe, "d");
    EXPECT_TRUE(result.outputs && result.outputs->view) << test::messageTexts(result).front();
    return {result.outputs->pattern, result.outputs->view()};
}

// The main pipe's seam turned: rolled up, every point of the hole lands where it lands with
// the seam at the side, the sheet's edge at Y = 0 lies at the angle asked, and the sheet still
// closes round the branch.
TEST(ShellSeam, ATurnedSeamMovesTheHoleRoundTheSheetNotRoundThePipe) {
    const struct {
        const char* name;
        const Calculator& calculator;
        test::FieldChanges joint;
        double seam;
    } cases[] = {
        {"below, offset branch", pipePipeCalculator(), {{"P", "-120"}}, -90.0},
        {"past the hole, walls set in",
         pipePipeCalculator(),
         {{"tm", "10"}, {"td", "10"}, {"joint", "set-in"}},
         200.0},
        {"cone on a pipe", conePipeCalculator(), {}, 40.0},
        {"cone set in a walled pipe",
         conePipeCalculator(),
         {{"tr", "8"}, {"ts", "6"}, {"joint", "set-in"}},
         250.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::FieldChanges turned = c.joint;
        turned.push_back({"szew", std::to_string(c.seam)});
        const Shell before = shellWith(c.calculator, c.joint);
        const Shell after = shellWith(c.calculator, turned);
        ASSERT_EQ(after.pattern.points.size(), before.pattern.points.size());
        const DevelopedPart& was = before.view.developed.front();
        const DevelopedPart& is = after.view.developed.front();
        double farthest = 0.0;
        for (std::size_t i = 0; i < after.pattern.points.size(); ++i) {
            const PointMark& a = after.pattern.points[i];
            const PointMark& b = before.pattern.points[i];
            ASSERT_EQ(a.text, b.text);
            if (!a.text.starts_with("Xo")) {
                continue; // the sheet's corners stay where they are
            }
            EXPECT_GT(std::fabs(a.y - b.y), 1.0) << "the hole did not move on the sheet";
            const Point3 d = is.measuredOn({a.x, a.y}) - was.measuredOn({b.x, b.y});
            farthest = std::max(farthest, std::sqrt(dot(d, d)));
        }
        EXPECT_LT(farthest, 1e-6);
        const Point3 edge = is.measuredOn({0.0, 0.0});
        const double asked = std::fmod(c.seam + 360.0, 360.0) * kPi / 180;
        const double at = std::fmod(std::atan2(edge.z, edge.y) + 2 * kPi, 2 * kPi);
        EXPECT_NEAR(at, asked, 1e-9);
        EXPECT_LT(measureFit(after.pattern, after.view).largestGap, 0.05);
    }
}

} // namespace
} // namespace blachorys::core
