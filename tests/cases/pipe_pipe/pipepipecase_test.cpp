#include "cases/calculators.h"
#include "cases/pipe_pipe/pipepipecase.h"

#include "common/core/calculator/pointreport.h"
#include "common/core/geometry/curvesampling.h"
#include "support/casetexts.h"
#include "support/drawncut.h"
#include "support/fittingrange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using test::messageTexts;

using Status = CalculationResult::Status;

std::vector<std::string> defaults() {
    std::vector<std::string> texts;
    for (const auto& field : pipePipeCalculator().definition().fields) {
        texts.push_back(field.defaultText);
    }
    return texts;
}

CalculatorInputs changed(test::FieldChanges changes) {
    return test::changedTexts(pipePipeCalculator(), std::move(changes));
}

TEST(PipePipeCalculator, FirstPassTurnsNonNumbersIntoZero) {
    // An empty N is 0 divisions.
    const auto result = pipePipeCalculator().calculate(changed({{"N", ""}}), 0, "d");
    EXPECT_EQ(result.status, Status::Refused);
    EXPECT_EQ(messageTexts(result),
              (std::vector<std::string>{"Blad danych : N < 2", "Dane NIE OK"}));
    for (const auto& message : result.messages) {
        EXPECT_EQ(message.kind, MessageKind::Warning);
    }
    EXPECT_FALSE(result.outputs.has_value());
    // A diameter of "abc" is a branch of no diameter, which has no template.
    EXPECT_EQ(messageTexts(pipePipeCalculator().calculate(changed({{"Dm", "abc"}}), 0, "d")),
              (std::vector<std::string>{"Blad danych : Dm musi byc wieksza od 0", "Dane NIE OK"}));
    // A shell of no length has no sheet to hold the hole: no joint, whichever part is developed.
    for (const std::size_t development : {0u, 1u}) {
        EXPECT_EQ(
            messageTexts(pipePipeCalculator().calculate(changed({{"Ld", ""}}), development, "d")),
            (std::vector<std::string>{"Blad danych : Ld musi byc wieksza od 0", "Dane NIE OK"}));
    }
}

TEST(PipePipeCalculator, FractionInTheIntegerFieldIsOneError) {
    const auto result = pipePipeCalculator().calculate(changed({{"N", "24.5"}}), 0, "d");
    EXPECT_EQ(result.status, Status::Refused);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].kind, MessageKind::Error);
    EXPECT_NE(result.messages[0].text.find("'24.5'"), std::string::npos) << result.messages[0].text;
    EXPECT_FALSE(result.outputs.has_value());
}

TEST(PipePipeCalculator, RefusedInputsEndWithDaneNieOk) {
    const auto texts = changed({{"Dm", "900"}, {"Beta", "180"}});
    const auto result = pipePipeCalculator().calculate(texts, 1, "d");
    EXPECT_EQ(result.status, Status::Refused);
    EXPECT_EQ(
        messageTexts(result),
        (std::vector<std::string>{"Blad danych : Dm > Dd",
                                  "Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°",
                                  "Blad danych : Dm/2 + P > Dd/2", "Dane NIE OK"}));
}

struct OverflowCase {
    const char* what;
    CalculatorInputs texts;
    std::size_t development;
};

class PipePipeOverflow : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(PipePipeOverflow, PassesTheChecksButFailsTheCalculation) {
    const auto result =
        pipePipeCalculator().calculate(GetParam().texts, GetParam().development, "d");
    EXPECT_EQ(result.status, Status::Failed);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text.rfind("Blad obliczen. Prawdopodobnie ", 0), 0u)
        << result.messages[0].text;
    EXPECT_FALSE(result.outputs.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Table, PipePipeOverflow,
    ::testing::Values(
        OverflowCase{"template_width", changed({{"Dm", "1e308"}, {"Dd", "1e308"}, {"P", "0"}}), 0},
        OverflowCase{"shell_squares", changed({{"Dm", "1e200"}, {"Dd", "1e200"}, {"P", "0"}}), 0},
        OverflowCase{"shell_circumference", changed({{"Dm", "1e308"}, {"Dd", "1e308"}, {"P", "0"}}),
                     1},
        OverflowCase{"steep_branch_height", changed({{"H", "1e308"}, {"Beta", "1e-10"}}), 0},
        OverflowCase{"steep_hole",
                     changed({{"Dm", "1e10"}, {"Dd", "1e10"}, {"P", "0"}, {"Beta", "1e-300"}}), 1}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(PipePipeCalculator, APatternThatCannotFitIsRefusedWithWhatWouldFit) {
    const std::string endInside = "Blad obliczen. Prawdopodobnie koniec RURY MNIEJSZEJ lezy "
                                  "wewnatrz RURY WIEKSZEJ (tworzaca h < 0) - zwieksz H";
    const std::string pastAnEnd = "Blad obliczen. Prawdopodobnie RURA MNIEJSZA wychodzi poza "
                                  "koniec RURY WIEKSZEJ - sprawdz Lm i Ld";
    const struct {
        test::FieldChanges changes;
        std::size_t development;
        std::string message;
        const char* fitting; ///< the field whose range the message names
    } cases[] = {
        {{{"H", "300"}}, 0, endInside, "H"},
        {{{"H", "0"}, {"Beta", "60"}}, 0, endInside, "H"},
        {{{"H", "0"}, {"Beta", "60"}}, 1, endInside, "H"},
        {{{"Lm", "100"}}, 1, pastAnEnd, "Lm"},
        {{{"Lm", "100"}}, 0, pastAnEnd, "Lm"},
        {{{"Beta", "120"}, {"P", "150"}}, 1, pastAnEnd, "Lm"},
        {{{"Lm", "950"}, {"tm", "10"}, {"td", "10"}, {"joint", "set-in"}}, 1, pastAnEnd, "Lm"},
    };
    for (const auto& c : cases) {
        const auto result = pipePipeCalculator().calculate(changed(c.changes), c.development, "d");
        EXPECT_EQ(result.status, Status::Failed) << c.message;
        ASSERT_EQ(result.messages.size(), 1u);
        EXPECT_EQ(result.messages[0].text.rfind(c.message, 0), 0u) << result.messages[0].text;
        EXPECT_FALSE(result.outputs.has_value());
        test::expectTheRangeItNamesFits(pipePipeCalculator(), c.changes, c.development, c.fitting);
    }
    // A shell too short for the hole anywhere says so.
    EXPECT_EQ(messageTexts(pipePipeCalculator().calculate(changed({{"Ld", "200"}}), 1, "d")),
              std::vector<std::string>{pastAnEnd + " (nie pasuje zadne Lm)."});
}

struct TrickyCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> changes;
};

class PipePipeTrickyInputs : public ::testing::TestWithParam<std::tuple<TrickyCase, std::size_t>> {
};

TEST_P(PipePipeTrickyInputs, GiveOnlyFiniteOutputs) {
    const auto& [tricky, development] = GetParam();
    CalculationResult result;
    // Numbers are formatted only when finite: a value that slipped through would throw here.
    ASSERT_NO_THROW(result =
                        pipePipeCalculator().calculate(changed(tricky.changes), development, "d"));
    ASSERT_EQ(result.status, Status::Calculated)
        << (result.messages.empty() ? "" : result.messages[0].text);
    ASSERT_TRUE(result.outputs.has_value());
    const Pattern& pattern = result.outputs->pattern;
    ASSERT_FALSE(pattern.lines.empty());
    EXPECT_TRUE(hasFiniteGeometry(pattern));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PipePipeTrickyInputs,
    ::testing::Combine(
        ::testing::Values(
            TrickyCase{"negative_offset", {{"P", "-249.9"}}},
            TrickyCase{"thinnest_branch", {{"Dm", "0.001"}}},
            TrickyCase{"touching_side", {{"P", "250"}}},
            TrickyCase{"touching_other_side", {{"P", "-250"}}},
            TrickyCase{"equal_diameters", {{"Dm", "800"}, {"P", "0"}, {"Lm", "500"}}},
            TrickyCase{"almost_flat", {{"Beta", "0.001"}, {"Ld", "1e9"}, {"Lm", "5e8"}}},
            TrickyCase{"almost_reversed", {{"Beta", "179.999"}, {"Ld", "1e9"}, {"Lm", "5e8"}}},
            TrickyCase{"two_divisions", {{"N", "2"}}},
            TrickyCase{"most_divisions", {{"N", "2000"}, {"alfa", "33.3"}}},
            TrickyCase{"short_branch", {{"H", "400"}}}),
        ::testing::Values(std::size_t{0}, std::size_t{1})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).what) +
               (std::get<1>(info.param) == 0 ? "_smaller" : "_larger");
    });

} // namespace
} // namespace blachorys::core

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

struct Point3 {
    double x, y, z;
};

/**
 * How far a hole point, wrapped onto a shell of radius `R` round the x axis, lies from the
 * branch's axis through `face` (its end face's centre) along the unit vector `axis`.
 */
double fromBranchAxis(PatternPoint q, double R, Point3 face, Point3 axis) {
    const double around = q.y / R;
    const Point3 d{q.x - face.x, R * std::cos(around) - face.y, R * std::sin(around) - face.z};
    // The part of d across the axis.
    const double along = d.x * axis.x + d.y * axis.y + d.z * axis.z;
    return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z - along * along);
}

struct DrawnJoint {
    const char* what;
    test::FieldChanges changes;
};

class PipePipeDrawnCut : public ::testing::TestWithParam<DrawnJoint> {};

// The template's cut line, rolled back onto the branch, meets the shell; the hole's outline,
// wrapped back onto the shell, lies on the branch: everywhere along the drawn line, at the
// fewest parts and the most.
TEST_P(PipePipeDrawnCut, LiesOnTheTrueIntersection) {
    for (const char* divisions : {"24", "2000"}) {
        SCOPED_TRACE(divisions);
        test::FieldChanges changes = GetParam().changes;
        changes.push_back({"N", divisions});
        const auto branch = pipePipeCalculator().calculate(changed(changes), 0, "d");
        const auto shell = pipePipeCalculator().calculate(changed(changes), 1, "d");
        ASSERT_TRUE(branch.outputs && shell.outputs);
        const auto value = [&](const char* name) {
            const auto& fields = pipePipeCalculator().definition().fields;
            for (std::size_t f = 0; f < fields.size(); ++f) {
                if (fields[f].name == name) {
                    return std::stod(changed(changes).fieldTexts[f]);
                }
            }
            return 0.0;
        };
        const double r = value("Dm") / 2;
        const double R = value("Dd") / 2;
        const double P = value("P");
        const double H = value("H");
        const double alfa = value("alfa") * kPi / 180;
        const double axisX = std::cos(value("Beta") * kPi / 180);
        const double axisZ = std::sin(value("Beta") * kPi / 180);
        const double faceX = value("Lm") + H * axisX / axisZ;

        double worst = 0.0;
        for (const PatternPoint p :
             test::drawnPointsOf(branch.outputs->pattern, LineRole::CutCurve)) {
            const double phi = alfa + p.x / r;
            const double y = P - r * std::sin(phi);
            const double h = (H - r * std::cos(phi) * axisX - std::sqrt(R * R - y * y)) / axisZ;
            worst = std::max(worst, std::fabs(-p.y - h));
        }
        for (const PatternPoint p :
             test::drawnPointsOf(shell.outputs->pattern, LineRole::HoleOutline)) {
            worst = std::max(worst,
                             std::fabs(fromBranchAxis(p, R, {faceX, P, H}, {axisX, 0, axisZ}) - r));
        }
        EXPECT_LE(worst, kCutAllowance);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PipePipeDrawnCut,
    ::testing::Values(
        DrawnJoint{"defaults", {}}, DrawnJoint{"inclined", {{"Beta", "60"}}},
        DrawnJoint{"leaning_back",
                   {{"P", "-120"}, {"Beta", "120"}, {"alfa", "30"}, {"H", "900"}, {"Lm", "600"}}},
        DrawnJoint{"touching_the_side",
                   {{"P", "250"}, {"Beta", "45"}, {"alfa", "10"}, {"H", "1000"}, {"Lm", "300"}}}),
    [](const auto& info) { return std::string(info.param.what); });

// Walls 10 mm thick, each joint and each way of making either pipe: the template, rolled back
// onto the branch's development surface and each point carried along its generator to the
// contact surface, lies on the shell's contact surface; the hole, wrapped onto the shell's
// development surface, lies on the branch's contact surface; each sheet is as wide as its
// development surface's circumference.
TEST(PipePipeWalls, TheWallRestsOnTheShellAndTheHolePassesTheBranchAtEveryDepth) {
    const double Dm = 300, Dd = 800, t = 10, H = 700, Lm = 350;
    const double wallIn = Dm / 2 - t, wallOut = Dm / 2, shellIn = Dd / 2 - t, shellOut = Dd / 2;
    constexpr int kLayers = 40;
    // Bits of `k`: set in, branch from a pipe, shell from a pipe, Beta 60; then P 0, 100, 200.
    for (int k = 0; k < 48; ++k) {
        const bool setOn = (k & 1) == 0, branchRolled = (k & 2) == 0, shellRolled = (k & 4) == 0;
        const double beta = (k & 8) != 0 ? 60 : 90, p = 100.0 * (k / 16);
        SCOPED_TRACE(k);
        const auto texts = changed({{"tm", "10"},
                                    {"td", "10"},
                                    {"P", std::to_string(p)},
                                    {"Beta", std::to_string(beta)},
                                    {"joint", setOn ? "set-on" : "set-in"},
                                    {"branch-made", branchRolled ? "rolled" : "pipe"},
                                    {"shell-made", shellRolled ? "rolled" : "pipe"}});
        const double branchContact = setOn ? wallIn : wallOut;
        const double shellContact = setOn ? shellOut : shellIn;
        const double branchDeveloped = branchRolled ? (Dm - t) / 2 : Dm / 2;
        const double shellDeveloped = shellRolled ? (Dd - t) / 2 : Dd / 2;
        const auto branch = pipePipeCalculator().calculate(texts, 0, "d");
        const auto shell = pipePipeCalculator().calculate(texts, 1, "d");
        ASSERT_TRUE(branch.outputs && shell.outputs);
        // The branch's axis runs up from the shell to the end face's centre C.
        const double ax = std::cos(beta * kPi / 180), az = std::sin(beta * kPi / 180);
        const double cx = Lm + H * ax / az, cy = p, cz = H;

        const auto cut = test::drawnPointsOf(branch.outputs->pattern, LineRole::CutCurve);
        const auto [left, right] =
            std::minmax_element(cut.begin(), cut.end(), [](auto a, auto b) { return a.x < b.x; });
        EXPECT_NEAR(right->x - left->x, 2 * kPi * branchDeveloped, 1e-6);
        EXPECT_EQ(shell.outputs->report.sheet.size, sheetSizeText(1000, 2 * kPi * shellDeveloped));
        // Every layer of the wall, inside to outside, stops at the shell's contact surface or
        // short of it (the weld's gap); the first to meet it touches it.
        double deepest = 0.0, furthest = 0.0;
        for (const PatternPoint q : cut) {
            const double phi = q.x / branchDeveloped;
            double nearest = INFINITY;
            for (int layer = 0; layer <= kLayers; ++layer) {
                const double rho = wallIn + (wallOut - wallIn) * layer / kLayers;
                // Round the axis from (sin b, 0, -cos b) at φ = 0 towards -y, -q.y down from the
                // end face; the shell's axis is the x axis.
                const double y = cy - rho * std::sin(phi);
                const double z = cz - rho * std::cos(phi) * ax + q.y * az;
                nearest = std::min(nearest, std::hypot(y, z) - shellContact);
            }
            deepest = std::max(deepest, -nearest);
            furthest = std::max(furthest, nearest);
        }
        EXPECT_LE(deepest, kCutAllowance) << "a layer of the branch's wall enters the shell";
        EXPECT_LE(furthest, kCutAllowance) << "no layer of the branch's wall touches the shell";
        // Cut square to the rolled plate, the hole is the same outline at every depth of the
        // shell's wall: there it holds the branch's contact surface, and at some depth it
        // touches it.
        double inside = 0.0, clear = 0.0;
        for (const PatternPoint q :
             test::drawnPointsOf(shell.outputs->pattern, LineRole::HoleOutline)) {
            double tightest = INFINITY;
            for (int layer = 0; layer <= kLayers; ++layer) {
                const double depth = shellIn + (shellOut - shellIn) * layer / kLayers;
                const PatternPoint atDepth{q.x, q.y * depth / shellDeveloped};
                const double gap =
                    fromBranchAxis(atDepth, depth, {cx, cy, cz}, {ax, 0, az}) - branchContact;
                tightest = std::min(tightest, gap);
            }
            inside = std::max(inside, -tightest);
            clear = std::max(clear, tightest);
        }
        EXPECT_LE(inside, kCutAllowance) << "the branch does not pass the hole at some depth";
        EXPECT_LE(clear, kCutAllowance) << "the hole is larger than the branch needs";
    }
}

TEST(PipePipeWalls, WithoutThicknessTheChoicesChangeNothing) {
    for (std::size_t development : {0u, 1u}) {
        const auto plain = pipePipeCalculator().calculate(defaults(), development, "d");
        const auto chosen = pipePipeCalculator().calculate(
            changed({{"joint", "set-in"}, {"branch-made", "pipe"}, {"shell-made", "pipe"}}),
            development, "d");
        ASSERT_TRUE(plain.outputs && chosen.outputs);
        EXPECT_EQ(plain.outputs->report.allLines(), chosen.outputs->report.allLines());
    }
}

TEST(PipePipeWalls, SurfacesThatDoNotFitAreRefusedByName) {
    // Outside diameters equal: the set-in branch's outside does not fit the shell's inside.
    EXPECT_EQ(
        messageTexts(pipePipeCalculator().calculate(
            changed({{"Dm", "800"}, {"P", "0"}, {"tm", "10"}, {"td", "10"}, {"joint", "set-in"}}),
            0, "d")),
        (std::vector<std::string>{"Blad danych : Dm > Dd - 2*td",
                                  "Blad danych : Dm/2 + P > Dd/2 - td",
                                  "Blad danych : Dm/2 - P > Dd/2 - td", "Dane NIE OK"}));
    // The set-on bore fits the shell's outside but passes its inside face: the hole cut square
    // through the wall would open the shell's side. A joint is made whole or not at all: the
    // branch's template is refused alike.
    const auto tooWide = changed({{"P", "255"}, {"tm", "10"}, {"td", "10"}});
    for (const std::size_t development : {0U, 1U}) {
        EXPECT_EQ(messageTexts(pipePipeCalculator().calculate(tooWide, development, "d")),
                  (std::vector<std::string>{"Blad danych : Dm/2 - tm + |P| > Dd/2 - td - otwor "
                                            "nie przechodzi przez scianke plaszcza",
                                            "Dane NIE OK"}));
    }
}

} // namespace
} // namespace blachorys::core
