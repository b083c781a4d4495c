#include "cases/pipe_pipe/pipepipemodel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

PipePipeInputs shell(PipePipeInputs in) {
    in.development = PipePipeDevelopment::LargerPipe;
    return in;
}

double degrees(double d) {
    return d * kPi / 180.0;
}

TEST(PipePipeTemplate, DefaultsGiveTheDevelopedCircumferenceAndClosedSeam) {
    const PipePipeModel m = computePipePipe({});
    ASSERT_EQ(m.L.size(), 25u);
    ASSERT_EQ(m.h.size(), 25u);
    EXPECT_TRUE(m.Xo.empty());
    EXPECT_EQ(m.L[0], 0.0);
    EXPECT_NEAR(m.L[24], 942.477796, 1e-6);
    for (std::size_t i = 1; i < m.L.size(); ++i) {
        EXPECT_NEAR(m.L[i] - m.L[i - 1], kPi * 300 / 24, 1e-9) << i;
    }
    EXPECT_NEAR(m.h[0], 700 - std::sqrt(400.0 * 400 - 200.0 * 200), 1e-9); // 353.59
    EXPECT_NEAR(m.h[24], m.h[0], 1e-9);
    // The deepest generator is the one offset farthest from the shell's top (φ = 270°).
    EXPECT_NEAR(m.hmax, 700 - std::sqrt(400.0 * 400 - 350.0 * 350), 1e-9);
    EXPECT_EQ(m.hmax, *std::max_element(m.h.begin(), m.h.end()));
}

/** An index into a table of N + 1 points. */
double at(const std::vector<double>& table, int i) {
    return table[static_cast<std::size_t>(i)];
}

class CentredSquareBranch : public ::testing::TestWithParam<PipePipeInputs> {};

TEST_P(CentredSquareBranch, FollowsTheCircleOfTheShellAndIsSymmetric) {
    const PipePipeInputs in = GetParam();
    ASSERT_TRUE(validatePipePipe(in).empty());
    const PipePipeModel m = computePipePipe(in);
    const double r = in.Dm / 2;
    const double R = in.Dd / 2;
    const int n = in.N;
    for (int i = 0; i <= n; ++i) {
        const double s = std::sin(degrees(in.alfa) + 2 * kPi * i / n);
        EXPECT_NEAR(at(m.h, i), in.H - std::sqrt(R * R - r * r * s * s), 1e-9) << i;
    }
    if (in.alfa != 0.0) {
        return;
    }
    for (int i = 0; i <= n; ++i) {
        EXPECT_NEAR(at(m.h, i), at(m.h, n - i), 1e-9) << i;
        EXPECT_NEAR(at(m.h, i), at(m.h, std::abs(n / 2 - i)), 1e-9) << i;
    }
    const double lowest = *std::min_element(m.h.begin(), m.h.end());
    for (int i : {0, n / 2, n}) {
        EXPECT_NEAR(at(m.h, i), lowest, 1e-9) << i;
    }
    for (int i : {n / 4, 3 * n / 4}) {
        EXPECT_NEAR(at(m.h, i), m.hmax, 1e-9) << i;
    }
    EXPECT_GT(m.hmax, lowest + 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CentredSquareBranch,
    ::testing::Values(PipePipeInputs{.P = 0}, PipePipeInputs{.Dm = 800, .P = 0, .H = 900},
                      PipePipeInputs{.Dm = 100, .Dd = 1000, .P = 0, .H = 600, .N = 48},
                      PipePipeInputs{.P = 0, .alfa = 37.5}, PipePipeInputs{.P = 0, .N = 2000}));

struct ValidationCase {
    const char* what;
    PipePipeInputs inputs;
    std::vector<std::string> messages;
};

const char* const kBeta = "Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°";

class PipePipeValidation : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(PipePipeValidation, ReportsEveryFailingCheckInOrder) {
    EXPECT_EQ(validatePipePipe(GetParam().inputs), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PipePipeValidation,
    ::testing::Values(
        ValidationCase{"defaults", {}, {}},
        ValidationCase{"equal diameters", {.Dm = 800, .Dd = 800, .P = 0}, {}},
        ValidationCase{"branch touching the side", {.P = 250}, {}},
        ValidationCase{"most divisions", {.N = 2000}, {}},
        ValidationCase{"fewest divisions", {.N = 2}, {}},
        ValidationCase{"too many divisions", {.N = 2001}, {"Blad danych : N > 2000"}},
        ValidationCase{"one division", {.N = 1}, {"Blad danych : N < 2"}},
        ValidationCase{"flat angle", {.BETA = 180}, {kBeta}},
        ValidationCase{"zero angle", {.BETA = 0}, {kBeta}},
        ValidationCase{"offset past the side", {.P = 251}, {"Blad danych : Dm/2 + P > Dd/2"}},
        ValidationCase{
            "negative offset past the side", {.P = -251}, {"Blad danych : Dm/2 - P > Dd/2"}},
        ValidationCase{
            "shell of no diameter",
            {.Dm = 0, .Dd = 0, .P = 0},
            {"Blad danych : Dd musi byc wieksza od 0", "Blad danych : Dm musi byc wieksza od 0"}},
        ValidationCase{"all at once",
                       {.Dm = 900, .P = 500, .BETA = 200, .N = 0},
                       {"Blad danych : Dm > Dd", "Blad danych : P > Dd/2", kBeta,
                        "Blad danych : N < 2", "Blad danych : Dm/2 + P > Dd/2"}},
        ValidationCase{"too many and offset",
                       {.P = -600, .N = 5000},
                       {"Blad danych : N > 2000", "Blad danych : Dm/2 - P > Dd/2"}}),
    [](const auto& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(PipePipeModel, MostDivisionsGiveOnePointMore) {
    const PipePipeModel m = computePipePipe({.N = 2000});
    EXPECT_EQ(m.L.size(), 2001u);
    EXPECT_NEAR(m.L.back(), kPi * 300, 1e-9);
    EXPECT_NEAR(m.h.back(), m.h.front(), 1e-9);
    EXPECT_EQ(computePipePipe(shell({.N = 2000})).Xo.size(), 2001u);
}

void expectSameTables(const PipePipeModel& a, const PipePipeModel& b) {
    for (const auto& [x, y] :
         {std::pair{&a.L, &b.L}, {&a.h, &b.h}, {&a.Xo, &b.Xo}, {&a.Yo, &b.Yo}}) {
        ASSERT_EQ(x->size(), y->size());
        for (std::size_t i = 0; i < x->size(); ++i) {
            EXPECT_NEAR((*x)[i], (*y)[i], 1e-9) << i;
        }
    }
    EXPECT_NEAR(a.hmax, b.hmax, 1e-9);
}

TEST(PipePipeModel, FullTurnOfTheSeamChangesNothing) {
    const PipePipeInputs plain{.P = -80, .BETA = 70};
    const PipePipeInputs turned{.P = -80, .BETA = 70, .alfa = 360};
    expectSameTables(computePipePipe(turned), computePipePipe(plain));
    expectSameTables(computePipePipe(shell(turned)), computePipePipe(shell(plain)));
}

TEST(PipePipeHole, DefaultsCloseAtTheFirstPoint) {
    const PipePipeModel m = computePipePipe(shell({}));
    ASSERT_EQ(m.Xo.size(), 25u);
    EXPECT_TRUE(m.L.empty());
    EXPECT_EQ(m.hmax, 0.0);
    EXPECT_NEAR(m.Xo[0], 500.0, 1e-9);
    EXPECT_NEAR(m.Yo[0], 400 * kPi / 3, 1e-9); // 418.88
    EXPECT_NEAR(m.Xo[24], m.Xo[0], 1e-9);
    EXPECT_NEAR(m.Yo[24], m.Yo[0], 1e-9);
}

TEST(PipePipeHole, SquareCentredBranchGivesAMirroredOutline) {
    const PipePipeInputs in{.P = 0};
    const PipePipeModel m = computePipePipe(shell(in));
    const int n = in.N;
    for (int i = 0; i <= n; ++i) {
        // Across the plane of both axes...
        EXPECT_NEAR(at(m.Xo, i), at(m.Xo, n - i), 1e-9) << i;
        EXPECT_NEAR(at(m.Yo, i) + at(m.Yo, n - i), kPi * in.Dd / 2, 1e-9) << i;
        // ...and across the plane through the branch axis square to the shell's.
        const int mirrored = ((n / 2 - i) % n + n) % n;
        EXPECT_NEAR(at(m.Xo, i) + at(m.Xo, mirrored), 2 * in.Lm, 1e-9) << i;
        EXPECT_NEAR(at(m.Yo, i), at(m.Yo, mirrored), 1e-9) << i;
    }
}

TEST(PipePipeHole, InclinedBranchShiftsTheHoleAlongTheShell) {
    const PipePipeInputs in{.BETA = 60};
    const PipePipeModel m = computePipePipe(shell(in));
    ASSERT_TRUE(isFinite(m));
    const double r = in.Dm / 2;
    const double R = in.Dd / 2;
    for (int i = 0; i <= in.N; ++i) {
        const double phi = 2 * kPi * i / in.N;
        const double c = in.P - r * std::sin(phi);
        EXPECT_NEAR(at(m.Xo, i) - r * std::cos(phi) / std::sin(degrees(60)),
                    in.Lm + std::sqrt(R * R - c * c) / std::tan(degrees(60)), 1e-9)
            << i;
    }
}

/**
 * Both developments describe one intersection curve: a generator of the template, followed
 * from the branch's end face by h, ends on the shell's surface at the very point the hole's
 * (Xo, Yo) wraps back to.
 */
class IntersectionCurve : public ::testing::TestWithParam<PipePipeInputs> {};

TEST_P(IntersectionCurve, TemplateAndHoleMeetOnTheShell) {
    const PipePipeInputs in = GetParam();
    ASSERT_TRUE(validatePipePipe(in).empty());
    const PipePipeModel branch = computePipePipe(in);
    const PipePipeModel hole = computePipePipe(shell(in));
    ASSERT_TRUE(isFinite(branch) && isFinite(hole));
    const double r = in.Dm / 2;
    const double R = in.Dd / 2;
    // The branch axis runs in the x-z plane at y = P, reaches the shell axis's height at
    // x = Lm and has its end-face centre at height H; the shell axis is the x axis.
    const double axisX = std::cos(degrees(in.BETA));
    const double axisZ = std::sin(degrees(in.BETA));
    const double faceX = in.Lm + in.H * axisX / axisZ;
    for (int i = 0; i <= in.N; ++i) {
        const double phi = degrees(in.alfa) + 2 * kPi * i / in.N;
        const double h = at(branch.h, i);
        const double x = faceX + r * std::cos(phi) * axisZ - h * axisX;
        const double y = in.P - r * std::sin(phi);
        const double z = in.H - r * std::cos(phi) * axisX - h * axisZ;
        EXPECT_NEAR(std::hypot(y, z), R, 1e-6) << i;
        EXPECT_GE(z, -1e-6) << i;
        const double around = at(hole.Yo, i) / R;
        EXPECT_NEAR(at(hole.Xo, i), x, 1e-6) << i;
        EXPECT_NEAR(R * std::cos(around), y, 1e-6) << i;
        EXPECT_NEAR(R * std::sin(around), z, 1e-6) << i;
        EXPECT_GE(at(hole.Yo, i), 0.0) << i;
        EXPECT_LE(at(hole.Yo, i), kPi * R) << i;
        EXPECT_NEAR(at(branch.L, i), i * kPi * in.Dm / in.N, 1e-9) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntersectionCurve,
    ::testing::Values(PipePipeInputs{}, PipePipeInputs{.BETA = 60},
                      PipePipeInputs{.P = -120, .BETA = 120, .alfa = 30, .H = 900, .N = 36},
                      PipePipeInputs{.P = 250, .BETA = 45, .alfa = 10, .H = 1000},
                      PipePipeInputs{.P = -250},
                      PipePipeInputs{.Dm = 800, .P = 0, .BETA = 75, .H = 1200, .N = 48},
                      PipePipeInputs{.Dm = 0.001, .P = 100, .N = 4},
                      PipePipeInputs{.P = 0, .alfa = 90, .H = 100, .N = 2}));

TEST(PipePipeHole, BranchTouchingTheSideReachesTheShellsWaterline) {
    // Where a generator touches the side θ = ±π/2, so Yo is 0 or π·R.
    for (const auto& [in, top, bottom] : {std::tuple{PipePipeInputs{.P = 250}, 18, -1},
                                          std::tuple{PipePipeInputs{.P = -250}, -1, 6},
                                          std::tuple{PipePipeInputs{.Dm = 800, .P = 0}, 18, 6}}) {
        const PipePipeModel m = computePipePipe(shell(in));
        ASSERT_TRUE(isFinite(m));
        if (top >= 0) {
            EXPECT_NEAR(at(m.Yo, top), 0.0, 1e-3);
        }
        if (bottom >= 0) {
            EXPECT_NEAR(at(m.Yo, bottom), kPi * 400, 1e-3);
        }
    }
}

} // namespace
} // namespace blachorys::core
