// The hole a branch needs, through a thick wall of the part it stands on: rolled back onto that
// part by the 3-D view's own model, every point of the hole as it is cut (its exact outline's
// points and points between them) must clear the branch's contact surface at every depth of the
// wall, and touch it at the depth where it comes nearest, to within a cut's allowance. A joint
// that cannot be made is refused by both developments alike.
#include "cases/calculators.h"
#include "common/core/calculator/calculatordefinition.h"
#include "common/core/geometry/curvesampling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace blachorys::core {
namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

struct JointCase {
    const char* name;
    const char* key;
    /** The branch's development and the main part's, with the hole. */
    const char* branch;
    const char* main;
    Texts inputs;
};

/** A hole may stand off the branch by less than this at its tightest depth, mm. */
constexpr double kStandsOffAtMost = kCutAllowance;
/** A hole may cut into the branch by rounding only, mm. */
constexpr double kCutsInAtMost = 0.002;
/** Points measured along each edge of the exact outline. */
constexpr int kPointsPerEdge = 8;

CalculationResult calculated(const JointCase& c, const char* development) {
    const Calculator& calculator = *findCalculator(c.key);
    const auto& d = calculator.definition();
    return calculator.calculate(exampleInputs(d, {c.name, development, c.inputs}),
                                developmentIndex(d, development).value(), "-");
}

/** The least and the greatest gap between the hole and the branch, mm, over the hole's edges. */
std::pair<double, double> holeGaps(const CalculationOutputs& outputs) {
    const JointView joint = outputs.view();
    double least = std::numeric_limits<double>::infinity();
    double greatest = -std::numeric_limits<double>::infinity();
    for (const DevelopedPart& part : joint.developed) {
        const auto meeting =
            std::find_if(part.meetings.begin(), part.meetings.end(),
                         [](const EdgeMeeting& m) { return m.role == LineRole::HoleOutline; });
        if (meeting == part.meetings.end()) {
            continue;
        }
        for (const std::size_t c : part.contours) {
            const Contour& contour = outputs.pattern.exactContours.at(c);
            if (contour.kind != OutlineKind::Hole) {
                continue;
            }
            const auto& p = contour.points;
            for (std::size_t k = 0; k < p.size(); ++k) {
                const PatternPoint a = p[k];
                const PatternPoint b = p[(k + 1) % p.size()];
                for (int s = 0; s < kPointsPerEdge; ++s) {
                    const double t = static_cast<double>(s) / kPointsPerEdge;
                    const double gap = meeting->distance(part.measuredOn(a + t * (b - a)));
                    least = std::min(least, gap);
                    greatest = std::max(greatest, gap);
                }
            }
        }
    }
    return {least, greatest};
}

class JointHoles : public testing::TestWithParam<JointCase> {};

TEST_P(JointHoles, TheHolePassesTheBranchAtEveryDepthAndTouchesItAtTheTightest) {
    const JointCase& c = GetParam();
    const CalculationResult branch = calculated(c, c.branch);
    const CalculationResult main = calculated(c, c.main);
    ASSERT_EQ(branch.status == CalculationResult::Status::Calculated,
              main.status == CalculationResult::Status::Calculated)
        << "one development made the joint, the other refused it: "
        << (branch.messages.empty() ? main.messages : branch.messages).front().text;
    if (main.status != CalculationResult::Status::Calculated) {
        EXPECT_EQ(branch.messages, main.messages);
        return;
    }
    const auto [least, greatest] = holeGaps(*main.outputs);
    std::printf("[joint] %s: the hole clears the branch by %.4f to %.4f mm\n", c.name, least,
                greatest);
    EXPECT_GE(least, -kCutsInAtMost);
    EXPECT_LE(greatest, kStandsOffAtMost);
}

Texts with(Texts texts, const Texts& more) {
    texts.insert(texts.end(), more.begin(), more.end());
    return texts;
}

const Texts kThinBranch{{"Dm", "159"}, {"Dd", "299"}, {"P", "0"}, {"Beta", "60"},
                        {"H", "400"},  {"Lm", "500"}, {"tm", "8"}};
const Texts kSteepBranch{{"Dd", "705"}, {"P", "0"},   {"Beta", "116"},
                         {"Lm", "500"}, {"tm", "10"}, {"td", "151"}};
const Texts kPipeOnCone{{"P", "0"}, {"tr", "8"}, {"ts", "33"}};
const Texts kConeOnPipe{{"Ds", "300"},  {"Gamma", "15"}, {"Dr", "800"}, {"Hs", "600"},
                        {"Beta", "60"}, {"ts", "20"},    {"tr", "30"}};

INSTANTIATE_TEST_SUITE_P(
    ThickWalls, JointHoles,
    testing::Values(
        JointCase{"pipe_td10_in", "rurarura", "mniejsza", "wieksza",
                  with(kThinBranch, {{"td", "10"}, {"joint", "set-in"}})},
        JointCase{"pipe_td20_in", "rurarura", "mniejsza", "wieksza",
                  with(kThinBranch, {{"td", "20"}, {"joint", "set-in"}})},
        JointCase{"pipe_td35_in", "rurarura", "mniejsza", "wieksza",
                  with(kThinBranch, {{"td", "35.7"}, {"joint", "set-in"}})},
        JointCase{"pipe_td35_on", "rurarura", "mniejsza", "wieksza",
                  with(kThinBranch, {{"td", "35.7"}, {"joint", "set-on"}})},
        JointCase{"pipe_steep_in", "rurarura", "mniejsza", "wieksza",
                  with(kSteepBranch, {{"joint", "set-in"}})},
        JointCase{"pipe_steep_on", "rurarura", "mniejsza", "wieksza",
                  with(kSteepBranch, {{"joint", "set-on"}})},
        JointCase{"pipe_steep_offset_on", "rurarura", "mniejsza", "wieksza",
                  with(kSteepBranch, {{"P", "200"}, {"joint", "set-on"}})},
        JointCase{"cone_ts33_in", "rurastozek", "rura", "stozek",
                  with(kPipeOnCone, {{"joint", "set-in"}})},
        JointCase{"cone_ts33_on", "rurastozek", "rura", "stozek",
                  with(kPipeOnCone, {{"joint", "set-on"}})},
        JointCase{"cone_ts33_offset_on",
                  "rurastozek",
                  "rura",
                  "stozek",
                  {{"tr", "8"}, {"ts", "33"}, {"joint", "set-on"}}},
        JointCase{"on_pipe_in", "stozekrura", "stozek", "rura",
                  with(kConeOnPipe, {{"joint", "set-in"}})},
        JointCase{"on_pipe_on", "stozekrura", "stozek", "rura",
                  with(kConeOnPipe, {{"joint", "set-on"}})},
        JointCase{"on_pipe_inclined_on",
                  "stozekrura",
                  "stozek",
                  "rura",
                  {{"Beta", "110"}, {"P", "60"}, {"alfa", "30"}, {"ts", "20"}, {"tr", "40"}}}),
    [](const testing::TestParamInfo<JointCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace blachorys::core
