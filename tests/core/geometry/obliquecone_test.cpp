#include "common/core/geometry/obliquecone.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

/** Lengths of the small and the large arc, chord by chord. */
std::pair<double, double> arcLengths(const MantleOutline& o) {
    double small = 0.0;
    double large = 0.0;
    for (std::size_t j = 1; j < o.Xd.size(); ++j) {
        small += std::hypot(o.Xm[j] - o.Xm[j - 1], o.Ym[j] - o.Ym[j - 1]);
        large += std::hypot(o.Xd[j] - o.Xd[j - 1], o.Yd[j] - o.Yd[j - 1]);
    }
    return {small, large};
}

/** The point of the large end circle at section angle φ from the cut, in the cone's frame. */
struct SpacePoint {
    double x, y, z;
};
SpacePoint largeEndPoint(const ConeMantle& cone, double phi) {
    const double Zd = cone.Dsd * cone.Hs / (cone.Dsd - cone.Dsm);
    return {cone.Dsd / 2 * std::cos(phi), Zd * cone.E / cone.Hs + cone.Dsd / 2 * std::sin(phi), Zd};
}

void checkArcsAndCut(const ConeMantle& cone, int N, const MantleOutline& o, double seam) {
    const auto [small, large] = arcLengths(o);
    EXPECT_NEAR(large, kPi * cone.Dsd, 2e-5 * kPi * cone.Dsd);
    EXPECT_NEAR(small, kPi * cone.Dsm, 2e-5 * kPi * cone.Dsd);
    const double Zd = cone.Dsd * cone.Hs / (cone.Dsd - cone.Dsm);
    const double scale = cone.Dsm / cone.Dsd;
    for (std::size_t j = 0; j <= static_cast<std::size_t>(N); ++j) {
        const SpacePoint p = largeEndPoint(cone, seam + 2 * kPi * static_cast<double>(j) / N);
        const double trueLength = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        EXPECT_NEAR(std::hypot(o.Xd[j], o.Yd[j]), trueLength, 1e-9 * std::fabs(Zd)) << j;
        EXPECT_NEAR(o.Xm[j], scale * o.Xd[j], 1e-9 * std::fabs(Zd)) << j;
        EXPECT_NEAR(o.Ym[j], scale * o.Yd[j], 1e-9 * std::fabs(Zd)) << j;
    }
}

TEST(MantleOutline, FineStepsAreAWholeNumberPerDivision) {
    for (const auto& [N, K, M] :
         {std::tuple{16, 500, 8000}, std::tuple{25, 320, 8000}, std::tuple{2000, 4, 8000},
          std::tuple{24, 334, 8016}, std::tuple{2, 4000, 8000}, std::tuple{3, 2667, 8001}}) {
        const MantleOutline outline = developOutlineReference({}, N);
        EXPECT_EQ(outline.K, K) << N;
        EXPECT_EQ(outline.M, M) << N;
        EXPECT_EQ(outlineStepsPerDivision(N), K) << N;
        EXPECT_EQ(outline.Xd.size(), static_cast<std::size_t>(N) + 1);
    }
}

TEST(MantleOutline, DefaultConeGivesTheWorkedFigures) {
    const MantleOutline o = developOutlineReference({}, 24);
    // Point 0 lies on the reference generator, along +X: √(4000² + 400² + 400²).
    EXPECT_NEAR(o.Xd[0], 4039.80, 0.005);
    EXPECT_EQ(o.Yd[0], 0.0);
    EXPECT_NEAR(o.Xm[0], 3029.85, 0.005);
    EXPECT_EQ(o.Ym[0], 0.0);
    EXPECT_NEAR(std::atan2(o.Yd[24], o.Xd[24]), 0.62, 0.005);
}

class MantleOutlineOf : public ::testing::TestWithParam<ConeMantle> {};

/** The straightforward loop and the fast fan: both must give the cone back. */
const std::vector<std::pair<const char*, MantleOutline (*)(const ConeMantle&, int, double)>>
    kOutlines{{"reference", developOutlineReference}, {"fast", developOutline}};
/** The cut on the flank, and elsewhere round the cone. */
constexpr std::array kSeams{0.0, 1.1, 4.0};

// Rolled back up, the sheet must give the cone: each arc as long as its end circle, the cut's
// two sides one generator, each point at its generator's true length from the apex.
TEST_P(MantleOutlineOf, ArcsKeepTheirLengthAndTheCutCloses) {
    const ConeMantle& cone = GetParam();
    constexpr int N = 400;
    for (const auto& [name, develop] : kOutlines) {
        for (const double seam : kSeams) {
            SCOPED_TRACE(std::string(name) + " seam " + std::to_string(seam));
            checkArcsAndCut(cone, N, develop(cone, N, seam), seam);
        }
    }
}

TEST_P(MantleOutlineOf, FastFanFollowsTheReferenceLoop) {
    const ConeMantle& cone = GetParam();
    for (const auto& [N, seam] :
         {std::pair{2, 0.0}, std::pair{3, 0.0}, std::pair{24, 0.0}, std::pair{400, 0.0},
          std::pair{1999, 0.0}, std::pair{2000, 0.0}, std::pair{24, 1.1}, std::pair{2000, 4.0}}) {
        const MantleOutline reference = developOutlineReference(cone, N, seam);
        const MantleOutline fast = developOutline(cone, N, seam);
        EXPECT_EQ(fast.K, reference.K);
        EXPECT_EQ(fast.M, reference.M);
        ASSERT_EQ(fast.Xd.size(), reference.Xd.size());
        for (std::size_t j = 0; j < fast.Xd.size(); ++j) {
            EXPECT_NEAR(fast.Xd[j], reference.Xd[j], 1e-6) << N << ' ' << j;
            EXPECT_NEAR(fast.Yd[j], reference.Yd[j], 1e-6) << N << ' ' << j;
            EXPECT_NEAR(fast.Xm[j], reference.Xm[j], 1e-6) << N << ' ' << j;
            EXPECT_NEAR(fast.Ym[j], reference.Ym[j], 1e-6) << N << ' ' << j;
        }
    }
}
TEST_P(MantleOutlineOf, AMantlePointLiesAtItsTrueDistanceOnItsOutlineGenerator) {
    // The large end's point on generator j, developed on its own in 8000 steps over its
    // section angle, falls on outline point j, reached in K·j steps round the end.
    const ConeMantle& cone = GetParam();
    const MantleOutline o = developOutlineReference(cone, 24);
    for (std::size_t j = 1; j <= 12; ++j) {
        const SpacePoint p = largeEndPoint(cone, 2 * kPi * static_cast<double>(j) / 24);
        const DevelopedPoint d = developPointReference(cone, p.x, p.y, p.z);
        EXPECT_NEAR(d.x, o.Xd[j], 1e-4) << j;
        EXPECT_NEAR(d.y, o.Yd[j], 1e-4) << j;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MantleOutlineOf,
    ::testing::Values(ConeMantle{600, 800, 1000, 100}, ConeMantle{600, 800, 1000, 0},
                      ConeMantle{600, 800, 1000, -250}, ConeMantle{900, 500, 700, 60},
                      ConeMantle{0, 800, 500, 300}, ConeMantle{200, 1200, 150, 80}));

TEST(DevelopPoint, RightConeUnrollsInProportionToTheSectionAngle) {
    // A right cone unrolls to a sector: the developed angle is φ·R/slant at every height.
    const ConeMantle cone{600, 800, 1000, 0};
    const double z = 3500;
    const double R = z * 200 / 2000;
    for (double phi : {0.0, 0.3, kPi / 2, 2.0, 3.1}) {
        const DevelopedPoint d =
            developPointReference(cone, R * std::cos(phi), R * std::sin(phi), z);
        const double slant = std::hypot(z, R);
        EXPECT_NEAR(std::hypot(d.x, d.y), slant, 1e-9 * slant) << phi;
        // Each thin triangle's base is the arc, not the chord: 1e-9 rad is some 4e-6 mm here.
        EXPECT_NEAR(std::atan2(d.y, d.x), phi * R / slant, 1e-9) << phi;
    }
}

TEST(DevelopPoint, ObliqueConeKeepsEveryPointsDistanceFromTheApex) {
    const ConeMantle cone{600, 800, 1000, 100};
    for (double z : {3000.0, 3400.0, 4000.0, 4500.0}) {
        const double R = z / 10;
        const double e = z / 10;
        for (double phi : {0.1, 1.0, 2.5}) {
            const double x = R * std::cos(phi);
            const double y = e + R * std::sin(phi);
            const DevelopedPoint d = developPointReference(cone, x, y, z);
            EXPECT_NEAR(std::hypot(d.x, d.y), std::sqrt(x * x + y * y + z * z), 1e-9 * z);
            EXPECT_GT(d.y, 0.0);
        }
    }
}

TEST(DevelopPoint, XExactlyZeroIsAQuarterTurnAndTheFarSideLandsMirrored) {
    const ConeMantle cone{600, 800, 1000, 100};
    const double z = 3600;
    const double R = 360;
    const double e = 360;
    // x exactly 0 is the generator at a quarter turn from the cut.
    const DevelopedPoint top = developPointReference(cone, 0.0, e + R, z);
    const DevelopedPoint nearTop = developPointReference(cone, 1e-9, e + R, z);
    EXPECT_NEAR(top.x, nearTop.x, 1e-6);
    EXPECT_NEAR(top.y, nearTop.y, 1e-6);
    // A point on the far side of its section centre turns from the cut the other way, but the
    // thin triangles' angles are positive whichever way the steps turn: it lands mirrored
    // across the cut, still at its true distance from the apex.
    const double x = R * std::cos(0.7);
    const double w = R * std::sin(0.7);
    const DevelopedPoint farSide = developPointReference(cone, x, e - w, z);
    EXPECT_GT(farSide.y, 0.0);
    EXPECT_NEAR(std::hypot(farSide.x, farSide.y), std::sqrt(x * x + (e - w) * (e - w) + z * z),
                1e-9 * z);
}

/** Points all over a mantle, on both sides of the cut and near the cut itself. */
std::vector<Point3> pointsOn(const ConeMantle& cone, int count) {
    std::vector<Point3> points;
    for (int i = 0; i < count; ++i) {
        const double z = cone.Zm() + cone.Hs * (i % 7) / 6.0;
        const double phi = -3.1 + 6.2 * i / (count - 1);
        const double R = cone.radiusAt(z);
        points.push_back({R * std::cos(phi), cone.centreAt(z) + R * std::sin(phi), z});
    }
    return points;
}

TEST(DevelopPoints, FollowTheReferenceLoopWhateverTheNumberOfThreads) {
    // 41 points run a fan each; 401 share theirs where their angles settle (not on the third
    // cone, whose generators pass near the apex).
    for (const auto& [cone, count] : {std::pair{ConeMantle{600, 800, 1000, 100}, 41},
                                      std::pair{ConeMantle{600, 800, 1000, 100}, 401},
                                      std::pair{ConeMantle{900, 500, 700, -60}, 401},
                                      std::pair{ConeMantle{200, 1200, 150, 480}, 401}}) {
        const std::vector<Point3> points = pointsOn(cone, count);
        const std::vector<DevelopedPoint> alone = developPoints(cone, points, 1);
        ASSERT_EQ(alone.size(), points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point3& p = points[i];
            const DevelopedPoint reference = developPointReference(cone, p.x, p.y, p.z);
            EXPECT_NEAR(alone[i].x, reference.x, 1e-6) << i;
            EXPECT_NEAR(alone[i].y, reference.y, 1e-6) << i;
        }
        // Each point is one thread's work from start to end: the same bits however many.
        for (const unsigned threads : {2U, 3U, 8U, 0U}) {
            const std::vector<DevelopedPoint> shared = developPoints(cone, points, threads);
            for (std::size_t i = 0; i < points.size(); ++i) {
                EXPECT_EQ(shared[i].x, alone[i].x) << threads << ' ' << i;
                EXPECT_EQ(shared[i].y, alone[i].y) << threads << ' ' << i;
            }
        }
    }
}

TEST(DevelopPoints, APointTheLoopCannotDevelopIsNotDevelopedEither) {
    // The apex itself: every generator is 0 long and no triangle has an angle. The reference
    // loop gives no number there, and neither does the fast one: the calculation is refused.
    const ConeMantle cone{600, 800, 1000, 100};
    const DevelopedPoint reference = developPointReference(cone, 0.0, 0.0, 0.0);
    const Point3 apex{0.0, 0.0, 0.0};
    const DevelopedPoint fast = developPoints(cone, {&apex, 1}).front();
    EXPECT_FALSE(std::isfinite(reference.x) && std::isfinite(reference.y));
    EXPECT_FALSE(std::isfinite(fast.x) && std::isfinite(fast.y));
    EXPECT_TRUE(developPoints(cone, {}).empty());
}

} // namespace
} // namespace blachorys::core
