#include "cases/cone/conemodel.h"
#include "cases/cone/coneoutputs.h"
#include "common/core/geometry/curvesampling.h"
#include "support/conerollback.h"
#include "support/drawncut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

ConeInputs with(void (*change)(ConeInputs&)) {
    ConeInputs in;
    change(in);
    return in;
}

double radius(double x, double y) {
    return std::hypot(x, y);
}

/** Length of a developed edge, segment by segment. */
double edgeLength(const std::vector<double>& x, const std::vector<double>& y) {
    double length = 0.0;
    for (std::size_t j = 1; j < x.size(); ++j) {
        length += std::hypot(x[j] - x[j - 1], y[j] - y[j - 1]);
    }
    return length;
}

TEST(ConeModel, DefaultsGiveTheWorkedExample) {
    const ConeModel m = computeCone({});
    EXPECT_DOUBLE_EQ(m.H, 4000.0);
    EXPECT_EQ(m.F, 334);
    EXPECT_EQ(m.M, 8016);
    EXPECT_DOUBLE_EQ(m.k, 0.75);
    EXPECT_DOUBLE_EQ(m.a, 400.0);
    ASSERT_EQ(m.Xm.size(), 25u);
    // Point 0 on the positive X axis: the first seam edge is horizontal.
    EXPECT_NEAR(m.Xm[0], 3029.85, 0.005);
    EXPECT_EQ(m.Ym[0], 0.0);
    EXPECT_NEAR(m.Xd[0], 4039.80, 0.005);
    EXPECT_EQ(m.Yd[0], 0.0);
    EXPECT_NEAR(m.Xm[24], 2464.79, 0.005);
    EXPECT_NEAR(m.Ym[24], 1762.04, 0.005);
    EXPECT_NEAR(m.Xd[24], 3286.39, 0.005);
    EXPECT_NEAR(m.Yd[24], 2349.39, 0.005);
    EXPECT_NEAR(m.sheet.width(), 1590.81, 0.005);
    EXPECT_NEAR(m.sheet.height(), 2349.39, 0.005);
    EXPECT_TRUE(isFinite(m));
}

TEST(ConeModel, BoundingBoxHoldsEveryPointAndTouchesEachSide) {
    const ConeModel m = computeCone({});
    bool touches[4] = {};
    for (std::size_t j = 0; j < m.Xm.size(); ++j) {
        for (const auto& [x, y] : {std::pair{m.Xm[j], m.Ym[j]}, std::pair{m.Xd[j], m.Yd[j]}}) {
            EXPECT_TRUE(x >= m.sheet.xMin && x <= m.sheet.xMax && y >= m.sheet.yMin &&
                        y <= m.sheet.yMax)
                << j;
            touches[0] = touches[0] || x == m.sheet.xMin;
            touches[1] = touches[1] || x == m.sheet.xMax;
            touches[2] = touches[2] || y == m.sheet.yMin;
            touches[3] = touches[3] || y == m.sheet.yMax;
        }
    }
    EXPECT_TRUE(touches[0] && touches[1] && touches[2] && touches[3]);
    // The widest point is not at a seam: point 3 of the Dsd edge.
    EXPECT_EQ(m.sheet.xMax, m.Xd[3]);
}

TEST(ConeModel, RightConeIsAnAnnularSector) {
    const ConeModel m = computeCone(with([](ConeInputs& in) { in.E = 0; }));
    const double L = std::hypot(400.0, 4000.0);
    EXPECT_NEAR(L, 4019.95, 0.005);
    const double sector = 2 * kPi * 400 / L;
    for (std::size_t j = 0; j < m.Xm.size(); ++j) {
        EXPECT_NEAR(radius(m.Xd[j], m.Yd[j]), L, 1e-8 * L) << j;
        EXPECT_NEAR(radius(m.Xm[j], m.Ym[j]), 0.75 * L, 1e-8 * L) << j;
        // Equal divisions: every point at j/N of the sector's angle.
        EXPECT_NEAR(std::atan2(m.Yd[j], m.Xd[j]), sector * static_cast<double>(j) / 24, 1e-8) << j;
    }
    EXPECT_NEAR(std::atan2(m.Yd[24], m.Xd[24]), 0.62520, 5e-6);
    EXPECT_NEAR(std::atan2(m.Yd[24], m.Xd[24]), sector, 1e-8 * sector);
}

struct ObliqueCase {
    const char* what;
    ConeInputs inputs;
};

class ConeDevelopment : public ::testing::TestWithParam<ObliqueCase> {};

// Rolling the sheet back up must give the cone: each developed edge is as long as its circle,
// the seam edges are the same generatrix, and every generatrix keeps the ratio k.
TEST_P(ConeDevelopment, EdgesKeepTheirLengthAndTheSeamCloses) {
    const ConeInputs& in = GetParam().inputs;
    const ConeModel m = computeCone(in);
    ASSERT_TRUE(isFinite(m));
    // N = 400 keeps the chords within 1e-5 of the arcs even where the edge bends most.
    EXPECT_NEAR(edgeLength(m.Xd, m.Yd), kPi * std::fabs(in.Dsd), 2e-5 * kPi * std::fabs(in.Dsd));
    EXPECT_NEAR(edgeLength(m.Xm, m.Ym), kPi * std::fabs(in.Dsm), 2e-5 * kPi * std::fabs(in.Dsd));
    const std::size_t n = m.Xm.size() - 1;
    EXPECT_NEAR(radius(m.Xd[n], m.Yd[n]), radius(m.Xd[0], m.Yd[0]), 1e-9 * std::fabs(m.H));
    const double expectedK = in.Dsm / in.Dsd;
    for (std::size_t j = 0; j <= n; ++j) {
        EXPECT_NEAR(m.Xm[j], expectedK * m.Xd[j], 1e-9 * std::fabs(m.H));
        EXPECT_NEAR(m.Ym[j], expectedK * m.Yd[j], 1e-9 * std::fabs(m.H));
    }
    // The slant length of each stored point is the apex's distance from its edge point.
    const double Rd = in.Dsd / 2;
    for (std::size_t j = 0; j <= n; j += 50) {
        const double w = in.alfa * kPi / 180 + kPi / 2 + 2 * kPi * static_cast<double>(j) / 400;
        const double slant = std::sqrt(std::pow(Rd * std::cos(w) - m.a, 2) +
                                       std::pow(Rd * std::sin(w), 2) + m.H * m.H);
        EXPECT_NEAR(radius(m.Xd[j], m.Yd[j]), slant, 1e-7 * slant) << j;
    }
}

// Rolled back up, both drawn edges lie on their circles all along, at 24 parts and at the
// most: the apex stands H above the large edge's plane and `a` beside its centre.
TEST_P(ConeDevelopment, TheDrawnEdgesRollBackOntoTheirCircles) {
    if (GetParam().inputs.Dsm > GetParam().inputs.Dsd) {
        GTEST_SKIP() << "the apex lies beyond the small edge";
    }
    for (const int divisions : {24, 2000}) {
        ConeInputs in = GetParam().inputs;
        in.N = divisions;
        const ConeModel m = computeCone(in);
        const double Rd = in.Dsd / 2;
        const test::ConeRollBack back(Rd / m.H, m.a / m.H, in.alfa * kPi / 180);
        const auto offTheEdges = [&](PatternPoint p) {
            const test::SpacePoint q = back.rollBack(p.x, p.y);
            double off = INFINITY;
            for (const double z : {m.H, m.H - in.Hs}) {
                const double aside = std::hypot(q.x, q.y - m.a / m.H * z) - Rd / m.H * z;
                off = std::min(off, std::hypot(q.z - z, aside));
            }
            return off;
        };
        const Pattern pattern = coneOutputs(m, "d").pattern;
        double worst = 0.0;
        // The small edge of a cone to a point is the apex, drawn as nothing.
        std::vector<LineRole> edges{LineRole::EndEdge};
        if (in.Dsm > 0) {
            edges.push_back(LineRole::StartEdge);
        }
        for (const LineRole edge : edges) {
            for (const PatternPoint p : test::drawnPointsOf(pattern, edge)) {
                worst = std::max(worst, offTheEdges(p));
            }
        }
        EXPECT_LE(worst, kCutAllowance) << divisions;
    }
}

ConeInputs cone(double Dsm, double Dsd, double alfa, double Hs, double E) {
    return {Dsm, Dsd, alfa, Hs, E, 400};
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConeDevelopment,
    ::testing::Values(ObliqueCase{"defaults", cone(600, 800, 0, 1000, 100)},
                      ObliqueCase{"seam_elsewhere", cone(600, 800, 137.5, 1000, 100)},
                      ObliqueCase{"negative_offset", cone(600, 800, -30, 1000, -250)},
                      ObliqueCase{"larger_first", cone(900, 500, 10, 700, 60)},
                      ObliqueCase{"to_a_point", cone(0, 800, 0, 500, 300)},
                      ObliqueCase{"short_and_wide", cone(200, 1200, 45, 150, 80)},
                      ObliqueCase{"far_offset", cone(300, 600, 0, 400, 900)}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ConeModel, TurningTheSeamOnceRoundOrMirroringTheOffsetGivesTheSamePattern) {
    const ConeModel base = computeCone(cone(600, 800, 20, 1000, 100));
    const ConeModel turned = computeCone(cone(600, 800, 380, 1000, 100));
    // The whole cone turned half round: E points the other way and so does the seam.
    const ConeModel flipped = computeCone(cone(600, 800, 200, 1000, -100));
    for (std::size_t j = 0; j < base.Xd.size(); ++j) {
        EXPECT_NEAR(turned.Xd[j], base.Xd[j], 1e-6);
        EXPECT_NEAR(turned.Yd[j], base.Yd[j], 1e-6);
        EXPECT_NEAR(flipped.Xd[j], base.Xd[j], 1e-6);
        EXPECT_NEAR(flipped.Ym[j], base.Ym[j], 1e-6);
    }
}

TEST(ConeModel, SeamInTheSymmetryPlaneGivesASymmetricPattern) {
    // alfa = −90° puts the seam in the direction of E, the cone's plane of symmetry.
    ConeInputs in = cone(600, 800, -90, 1000, 100);
    in.N = 24;
    const ConeModel m = computeCone(in);
    const double total = std::atan2(m.Yd[24], m.Xd[24]);
    for (std::size_t j = 0; j <= 24; ++j) {
        const double angle = std::atan2(m.Yd[j], m.Xd[j]);
        const double mirrored = std::atan2(m.Yd[24 - j], m.Xd[24 - j]);
        EXPECT_NEAR(angle + mirrored, total, 1e-9) << j;
        EXPECT_NEAR(radius(m.Xd[j], m.Yd[j]), radius(m.Xd[24 - j], m.Yd[24 - j]), 1e-7) << j;
    }
}

TEST(ConeModel, FineStepsPerDivisionRoundUp) {
    EXPECT_EQ(fineStepsPerDivision(24), 334);
    EXPECT_EQ(fineStepsPerDivision(2000), 4);
    EXPECT_EQ(fineStepsPerDivision(16), 500);
    EXPECT_EQ(fineStepsPerDivision(3), 2667);
    EXPECT_EQ(fineStepsPerDivision(2), 4000);
    EXPECT_EQ(fineStepsPerDivision(1999), 5);
}

TEST(ConeModel, MostDivisionsStartWithAFullFirstDivision) {
    ConeInputs in;
    in.E = 0;
    in.N = 2000;
    const ConeModel m = computeCone(in);
    EXPECT_EQ(m.F, 4);
    EXPECT_EQ(m.M, 8000);
    ASSERT_EQ(m.Xd.size(), 2001u);
    const double first = std::atan2(m.Yd[1], m.Xd[1]);
    const double second = std::atan2(m.Yd[2], m.Xd[2]) - first;
    EXPECT_NEAR(first, second, 1e-12);
    EXPECT_NEAR(first, 2 * kPi * 400 / std::hypot(400.0, 4000.0) / 2000, 1e-12);
}

TEST(ConeModel, LargerFirstEdgeLiesOutsideTheOther) {
    const ConeModel m = computeCone(with([](ConeInputs& in) { in.Dsm = 1000; }));
    EXPECT_LT(m.H, 0.0);
    EXPECT_GT(m.k, 1.0);
    ASSERT_TRUE(isFinite(m));
    for (std::size_t j = 0; j < m.Xm.size(); ++j) {
        EXPECT_GT(radius(m.Xm[j], m.Ym[j]), radius(m.Xd[j], m.Yd[j]));
    }
}

TEST(ConeModel, ShortConeTurnsPastAHalfTurnIntoNegativeY) {
    // A nearly flat ring: the sector is almost a full circle.
    const ConeModel m = computeCone(with([](ConeInputs& in) { in.Hs = 50; }));
    ASSERT_TRUE(isFinite(m));
    EXPECT_LT(m.sheet.yMin, 0.0);
    EXPECT_LT(m.sheet.xMin, 0.0);
    EXPECT_LT(m.Yd[24], 0.0);
}

TEST(ConeValidation, MessagesInOrder) {
    using Messages = std::vector<std::string>;
    EXPECT_EQ(validateCone({}), Messages{});
    EXPECT_EQ(validateCone(with([](ConeInputs& in) { in.N = 1; })),
              Messages{"Blad danych : N < 2"});
    EXPECT_EQ(validateCone(with([](ConeInputs& in) { in.N = 0; })),
              Messages{"Blad danych : N < 2"});
    EXPECT_EQ(validateCone(with([](ConeInputs& in) { in.N = 2001; })),
              Messages{"Blad danych : N > 2000"});
    EXPECT_EQ(validateCone(with([](ConeInputs& in) { in.N = 2; })), Messages{});
    EXPECT_EQ(validateCone(with([](ConeInputs& in) { in.N = 2000; })), Messages{});
    EXPECT_EQ(validateCone(with([](ConeInputs& in) {
                  in.N = 1;
                  in.Dsm = 800;
              })),
              (Messages{"Blad danych : N < 2", "Blad danych : Dsm = Dsd "}));
    // Negative offsets and seam angles, and a first edge larger than the second, are legal.
    EXPECT_EQ(validateCone(with([](ConeInputs& in) {
                  in.E = -100;
                  in.alfa = -45;
                  in.Dsm = 900;
              })),
              Messages{});
}

TEST(ConeValidation, ApexHeightIsZeroWithoutADsdEdgeOrALength) {
    EXPECT_EQ(apexHeight({}), 4000.0);
    EXPECT_EQ(apexHeight(with([](ConeInputs& in) { in.Dsd = 0; })), 0.0);
    EXPECT_EQ(apexHeight(with([](ConeInputs& in) { in.Hs = 0; })), 0.0);
    EXPECT_EQ(apexHeight(with([](ConeInputs& in) { in.Dsm = 1000; })), -4000.0);
}

} // namespace
} // namespace blachorys::core
