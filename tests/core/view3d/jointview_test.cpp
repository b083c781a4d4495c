// The 3-D view's joint of every calculator of the registry: its fit at the defaults, and a
// pattern broken on purpose.
#include "cases/calculators.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/view3d/jointfit.h"
#include "support/calculatorprinter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace blachorys::core {
namespace {

std::size_t developmentsOf(const CalculatorDefinition& d) {
    return std::max<std::size_t>(1, d.developments.size());
}

struct Made {
    CalculationOutputs outputs;
    JointView joint;
};

Made made(const Calculator& calculator, std::size_t development) {
    auto result = calculator.calculate(defaultInputs(calculator.definition()), development, "d");
    EXPECT_TRUE(result.outputs && result.outputs->view);
    Made m{std::move(*result.outputs), {}};
    m.joint = m.outputs.view();
    return m;
}

class EveryJoint : public ::testing::TestWithParam<const Calculator*> {};

TEST_P(EveryJoint, TheDefaultsMeetWithinACutsAllowance) {
    const auto& d = GetParam()->definition();
    for (std::size_t development = 0; development < developmentsOf(d); ++development) {
        SCOPED_TRACE(development);
        const Made m = made(*GetParam(), development);
        const JointFit fit = measureFit(m.outputs.pattern, m.joint);
        ASSERT_TRUE(fit.measured);
        EXPECT_LE(fit.largestGap, kCutAllowance) << "at " << fit.nearestPoint;
        std::printf("[fit] %s development %zu: %.4f mm at %s\n", d.key.c_str(), development,
                    fit.largestGap, fit.nearestPoint.c_str());
    }
}

// Every example the calculator offers (the walls', each way a joint is made, among them).
TEST_P(EveryJoint, EveryExampleMeetsWithinACutsAllowance) {
    const auto& d = GetParam()->definition();
    for (const ExampleInputs& example : d.examples) {
        SCOPED_TRACE(example.name);
        const std::size_t development =
            example.development.empty() ? 0 : developmentIndex(d, example.development).value();
        const auto result = GetParam()->calculate(exampleInputs(d, example), development, "d");
        ASSERT_TRUE(result.outputs && result.outputs->view);
        const JointFit fit = measureFit(result.outputs->pattern, result.outputs->view());
        ASSERT_TRUE(fit.measured);
        EXPECT_LE(fit.largestGap, kCutAllowance) << "at " << fit.nearestPoint;
        std::printf("[fit] %s %s: %.4f mm at %s\n", d.key.c_str(), example.name.c_str(),
                    fit.largestGap, fit.nearestPoint.c_str());
    }
}

// A plate 5 mm thick wherever the calculator takes one, each way its joint is made (set on,
// set in): both faces are drawn about the surface the pattern is developed on, and its edges
// still meet what they must.
TEST_P(EveryJoint, WithAWallTheDefaultsMeetWithinACutsAllowance) {
    const auto& d = GetParam()->definition();
    CalculatorInputs inputs = defaultInputs(d);
    bool walled = false;
    for (const char* name : {"t", "tm", "td", "tr", "ts"}) {
        if (const auto field = fieldIndex(d, name)) {
            inputs.fieldTexts[*field] = "5";
            walled = true;
        }
    }
    if (!walled) {
        GTEST_SKIP() << d.key << " takes no wall";
    }
    const std::optional<std::size_t> joint = selectorIndex(d, "joint");
    const std::size_t joints = joint ? d.selectors[*joint].choices.size() : 1;
    for (std::size_t way = 0; way < joints; ++way) {
        if (joint) {
            inputs.choices[*joint] = way;
        }
        for (std::size_t development = 0; development < developmentsOf(d); ++development) {
            SCOPED_TRACE("joint " + std::to_string(way) + ", development " +
                         std::to_string(development));
            const auto result = GetParam()->calculate(inputs, development, "d");
            if (way > 0 && !result.outputs) {
                // Another way of making it may not fit the defaults (a pipe set into the cone
                // at P = 230): its own tests try it where it does.
                std::printf("[fit] %s joint %zu development %zu: refused at the defaults\n",
                            d.key.c_str(), way, development);
                continue;
            }
            ASSERT_TRUE(result.outputs && result.outputs->view);
            const JointView view = result.outputs->view();
            const JointFit fit = measureFit(result.outputs->pattern, view);
            ASSERT_TRUE(fit.measured);
            EXPECT_LE(fit.largestGap, kCutAllowance) << "at " << fit.nearestPoint;
            for (const DevelopedPart& part : view.developed) {
                EXPECT_EQ(part.faces.size(), 2U);
            }
            std::printf("[fit] %s joint %zu development %zu, wall 5 mm: %.4f mm at %s\n",
                        d.key.c_str(), way, development, fit.largestGap, fit.nearestPoint.c_str());
        }
    }
}

/** The first part's longest run of an edge it is measured on: its contour and its middle point. */
std::pair<std::size_t, std::size_t> middleOfLongestMeasuredRun(const Pattern& pattern,
                                                               const DevelopedPart& part) {
    std::pair<std::size_t, std::size_t> best{0, 0};
    std::size_t longest = 0;
    for (const std::size_t c : part.contours) {
        const Contour& contour = pattern.exactContours[c];
        const auto measured = [&](std::size_t k) {
            for (const EdgeMeeting& meeting : part.meetings) {
                if (meeting.role == contour.roles[k]) {
                    return true;
                }
            }
            return false;
        };
        const std::size_t n = contour.points.size();
        for (std::size_t k = 0; k < n;) {
            std::size_t end = k;
            while (end < n && measured(end) && contour.roles[end] == contour.roles[k]) {
                ++end;
            }
            if (end - k > longest) {
                longest = end - k;
                best = {c, k + (end - k) / 2};
            }
            k = std::max(end, k + 1);
        }
    }
    EXPECT_GT(longest, 2U);
    return best;
}

// One point of an edge moved 1 mm across it, within the sheet: rolled up it lies 1 mm from
// where it was along the surface, which crosses what it meets steeply there; the figure sees
// about as much, and at that point.
TEST_P(EveryJoint, APointOfAnEdgeMovedOneMillimetreIsSeen) {
    const auto& d = GetParam()->definition();
    for (std::size_t development = 0; development < developmentsOf(d); ++development) {
        SCOPED_TRACE(development);
        Made m = made(*GetParam(), development);
        const double before = measureFit(m.outputs.pattern, m.joint).largestGap;
        const auto [c, k] = middleOfLongestMeasuredRun(m.outputs.pattern, m.joint.developed[0]);
        auto& points = m.outputs.pattern.exactContours[c].points;
        const PatternPoint a = points[k - 1];
        const PatternPoint b = points[(k + 1) % points.size()];
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        PatternPoint& moved = points[k];
        moved = {moved.x - (b.y - a.y) / chord, moved.y + (b.x - a.x) / chord};
        const JointFit fit = measureFit(m.outputs.pattern, m.joint);
        EXPECT_GT(fit.largestGap, 0.5);
        EXPECT_LE(fit.largestGap, 1.0 + before + 1e-6);
        EXPECT_EQ(fit.patternWhere, moved);
        std::printf("[moved] %s development %zu: %.4f mm at %s\n", d.key.c_str(), development,
                    fit.largestGap, fit.nearestPoint.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryJoint, ::testing::ValuesIn(calculators()),
                         [](const auto& info) { return info.param->definition().key; });

} // namespace
} // namespace blachorys::core
