#include "cases/pipe_cone/pipeconemodel.h"
#include "cases/pipe_cone/pipeconeoutputs.h"
#include "common/core/geometry/curvesampling.h"
#include "support/conerollback.h"
#include "support/drawncut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
using Messages = std::vector<std::string>;

PipeConeInputs with(void (*change)(PipeConeInputs&)) {
    PipeConeInputs in;
    change(in);
    return in;
}

PipeConeModel compute(const PipeConeInputs& in) {
    Construction<PipeConeModel> construction = computePipeCone(in);
    EXPECT_TRUE(construction.model) << construction.failure;
    return construction.model ? *construction.model : PipeConeModel{};
}

PipeConeInputs mantleOf(PipeConeInputs in) {
    in.development = PipeConeDevelopment::Cone;
    return in;
}

double maxDifference(const std::vector<double>& a, const std::vector<double>& b) {
    double most = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        most = std::max(most, std::fabs(a[i] - b[i]));
    }
    return most;
}

struct Point3 {
    double x, y, z;
};

double norm(const Point3& p) {
    return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
}

/**
 * The joint as the fitter sees it, in the cone's frame (apex at the origin, z along the
 * axis): the cone's section at z has radius R(z) about (0, e(z)); the pipe stands on the
 * side of positive y, its axis along (0, sin β, cos β) through (P, e(zA), zA).
 */
struct Joint {
    explicit Joint(const PipeConeInputs& in) : in(in) {
        Zd = in.Dsd * in.Hs / (in.Dsd - in.Dsm);
        zA = Zd - in.Hs + in.Lm;
        beta = in.BETA * kPi / 180;
    }
    double R(double z) const { return z * (in.Dsd - in.Dsm) / 2 / in.Hs; }
    double e(double z) const { return z * in.E / in.Hs; }
    Point3 axis() const { return {0, std::sin(beta), std::cos(beta)}; }
    /** The template point (L, h) put back on the pipe: h below the end face on generator L. */
    Point3 rebuild(double L, double h) const {
        const double theta = in.alfa * kPi / 180 + 2 * L / in.Dr;
        const double r = in.Dr / 2;
        const double t = in.Hr / std::sin(beta); // from the axis point A to the end face
        const Point3 a = axis();
        const Point3 end{in.P - r * std::sin(theta),
                         e(zA) + t * a.y - r * std::cos(theta) * std::cos(beta),
                         zA + t * a.z + r * std::cos(theta) * std::sin(beta)};
        return {end.x - h * a.x, end.y - h * a.y, end.z - h * a.z};
    }
    /** How far a point lies outside the cone's mantle (negative: inside), mm. */
    double outside(const Point3& p) const {
        return std::hypot(p.x, p.y - e(p.z)) - std::fabs(R(p.z));
    }

    PipeConeInputs in;
    double Zd = 0, zA = 0, beta = 0;
};

TEST(PipeConeValidation, SevenChecksInOrderWithTheirExactTexts) {
    EXPECT_EQ(validatePipeCone({}), Messages{});
    const PipeConeInputs all = with([](PipeConeInputs& in) {
        in.Dr = 900;
        in.P = 401;
        in.BETA = 180;
        in.N = 1;
        in.Dsm = 800;
    });
    EXPECT_EQ(validatePipeCone(all),
              (Messages{"Blad danych : Dr > Dsd", "Blad danych : P > Dsd/2",
                        "Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°",
                        "Blad danych : N < 2", "Blad danych : Dr/2 + P > Dsd/2",
                        "Blad danych : Dsm = Dsd "}));
    EXPECT_EQ(validatePipeCone(with([](PipeConeInputs& in) { in.N = 2001; })),
              Messages{"Blad danych : N > 2000"});
    EXPECT_EQ(validatePipeCone(with([](PipeConeInputs& in) { in.BETA = 0; })),
              Messages{"Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°"});
    // P = 0 fits the other inputs, so the refusal names the offsets round it that do.
    EXPECT_EQ(validatePipeCone(with([](PipeConeInputs& in) { in.P = 300; })),
              Messages{"Blad danych : Dr/2 + P > Dsd/2 (pasuje P od -234.3 do 234.3)"});
}

TEST(PipeConeValidation, EqualitiesAndALargerSmallEndPass) {
    // Comparisons are strict: touching the limit passes.
    EXPECT_EQ(validatePipeCone(with([](PipeConeInputs& in) {
                  in.Dr = 800;
                  in.P = 0;
              })),
              Messages{});
    EXPECT_EQ(validatePipeCone(with([](PipeConeInputs& in) {
                  in.Dr = 200;
                  in.P = 300;
              })),
              Messages{});
    EXPECT_EQ(validatePipeCone(with([](PipeConeInputs& in) { in.P = 275; })), Messages{});
    EXPECT_EQ(validatePipeCone(with([](PipeConeInputs& in) { in.N = 2000; })), Messages{});
    EXPECT_EQ(validatePipeCone(with([](PipeConeInputs& in) { in.N = 2; })), Messages{});
    // Dsm is only compared for equality; Dr only with Dsd.
    EXPECT_EQ(validatePipeCone(with([](PipeConeInputs& in) {
                  in.Dsm = 800;
                  in.Dsd = 600;
                  in.Dr = 590;
                  in.P = 0;
              })),
              Messages{});
}

TEST(PipeConeModel, DefaultTemplateGivesTheWorkedFigures) {
    const PipeConeModel m = compute({});
    EXPECT_DOUBLE_EQ(m.Zd, 4000.0);
    EXPECT_DOUBLE_EQ(m.Zm, 3000.0);
    ASSERT_EQ(m.L.size(), 25u);
    EXPECT_EQ(m.L[0], 0.0);
    EXPECT_NEAR(m.L[24], 785.40, 0.005);
    // Generator 0 stands at 3725 with a section radius of 372.5, 230 off the centre line.
    EXPECT_NEAR(m.h[0], 700 - 125.0 * 100 / 1000 - std::sqrt(372.5 * 372.5 - 230 * 230), 1e-9);
    EXPECT_NEAR(m.h[0], 394.49, 0.005);
    EXPECT_NEAR(m.hmax, 640.21, 0.005);
    EXPECT_EQ(m.hmax, *std::max_element(m.h.begin(), m.h.end()));
    EXPECT_NEAR(m.h[24], m.h[0], 1e-9);
    // The template alone: no mantle.
    EXPECT_TRUE(m.Xo.empty());
    EXPECT_TRUE(m.outline.Xd.empty());
    EXPECT_TRUE(isFinite(m));
}

TEST(PipeConeModel, DefaultMantleGivesTheWorkedFigures) {
    const PipeConeModel m = compute(mantleOf({}));
    EXPECT_EQ(m.outline.K, 334);
    EXPECT_EQ(m.outline.M, 8016);
    EXPECT_NEAR(m.outline.Xd[0], 4039.80, 0.005);
    EXPECT_NEAR(m.outline.Xm[0], 3029.85, 0.005);
    EXPECT_EQ(m.outline.Yd[0], 0.0);
    EXPECT_EQ(m.outline.Ym[0], 0.0);
    EXPECT_NEAR(std::atan2(m.outline.Yd[24], m.outline.Xd[24]), 0.62, 0.005);
    EXPECT_NEAR(m.sheet.width(), 1591, 0.5);
    EXPECT_NEAR(m.sheet.height(), 2349, 0.5);
    // A positive P brings the hole towards the cut.
    EXPECT_NEAR(m.Xo[0], 3776, 0.5);
    EXPECT_NEAR(m.Yo[0], 337, 0.5);
    // The template is filled in this development too.
    EXPECT_NEAR(m.h[0], 394.49, 0.005);
    EXPECT_TRUE(isFinite(m));
}

TEST(PipeConeModel, SheetIsTheBoxRoundBothArcs) {
    const PipeConeModel m = compute(mantleOf({}));
    const MantleOutline& o = m.outline;
    std::vector<double> xs = o.Xm;
    std::vector<double> ys = o.Ym;
    xs.insert(xs.end(), o.Xd.begin(), o.Xd.end());
    ys.insert(ys.end(), o.Yd.begin(), o.Yd.end());
    EXPECT_EQ(m.sheet.xMin, *std::min_element(xs.begin(), xs.end()));
    EXPECT_EQ(m.sheet.xMax, *std::max_element(xs.begin(), xs.end()));
    EXPECT_EQ(m.sheet.yMin, *std::min_element(ys.begin(), ys.end()));
    EXPECT_EQ(m.sheet.yMax, *std::max_element(ys.begin(), ys.end()));
    // The widest point is on the large arc, not at a side of the cut; the small arc's last
    // point is the leftmost.
    EXPECT_EQ(m.sheet.xMax, o.Xd[3]);
    EXPECT_EQ(m.sheet.xMin, o.Xm[24]);
    EXPECT_EQ(m.sheet.yMin, 0.0);
}

struct JointCase {
    const char* what;
    PipeConeInputs inputs;
};

void PrintTo(const JointCase& joint, std::ostream* os) {
    *os << joint.what;
}

PipeConeInputs joint(double Dr, double P, double BETA, double alfa, double Lm, double E,
                     double Dsm = 600) {
    PipeConeInputs in;
    in.Dr = Dr;
    in.P = P;
    in.BETA = BETA;
    in.alfa = alfa;
    in.Lm = Lm;
    in.E = E;
    in.Dsm = Dsm;
    in.N = 36;
    in.development = PipeConeDevelopment::Cone;
    return in;
}

class PipeConeJoint : public ::testing::TestWithParam<JointCase> {};

// Put back on the pipe, every template point lies on the cone's mantle, where the generator
// comes in from outside; developed, every hole point keeps its distance from the apex.
TEST_P(PipeConeJoint, TemplatePointsLieOnTheMantleAndHolePointsKeepTheirDistance) {
    const PipeConeInputs& in = GetParam().inputs;
    const PipeConeModel m = compute(in);
    ASSERT_TRUE(isFinite(m));
    const Joint j(in);
    const Point3 a = j.axis();
    for (std::size_t i = 0; i < m.L.size(); ++i) {
        const Point3 p = j.rebuild(m.L[i], m.h[i]);
        EXPECT_NEAR(j.outside(p), 0.0, 1e-6) << i;
        const Point3 above{p.x + a.x, p.y + a.y, p.z + a.z};
        EXPECT_GT(j.outside(above), 0.0) << i << ": 1 mm towards the end face is outside";
        EXPECT_NEAR(std::hypot(m.Xo[i], m.Yo[i]), norm(p), 1e-9 * norm(p)) << i;
    }
    // The seam closes on the template and on the hole.
    const std::size_t n = m.L.size() - 1;
    EXPECT_NEAR(m.h[n], m.h[0], 1e-9);
    EXPECT_NEAR(m.Xo[n], m.Xo[0], 1e-6);
    EXPECT_NEAR(m.Yo[n], m.Yo[0], 1e-6);
    EXPECT_NEAR(std::hypot(m.outline.Xd[n], m.outline.Yd[n]),
                std::hypot(m.outline.Xd[0], m.outline.Yd[0]), 1e-9 * m.Zd);
    // The hole lies within the mantle, between the arcs.
    for (std::size_t i = 0; i <= n; ++i) {
        const double angle = std::atan2(m.Yo[i], m.Xo[i]);
        EXPECT_TRUE(angle > 0 && angle < std::atan2(m.outline.Yd[n], m.outline.Xd[n])) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PipeConeJoint,
    ::testing::Values(JointCase{"defaults", joint(250, 230, 90, 0, 600, 100)},
                      JointCase{"seam_elsewhere", joint(250, 230, 90, 137.5, 600, 100)},
                      JointCase{"inclined_oblique", joint(250, -120, 60, 30, 600, -150)},
                      JointCase{"leaning_to_small_end", joint(250, 0, 120, 45.5, 500, 100)},
                      JointCase{"right_cone_wide_pipe", joint(500, 0, 75, 0, 500, 0)},
                      JointCase{"steep", joint(150, 50, 35, 10, 200, 60)},
                      JointCase{"near_the_edge", joint(100, 300, 90, 0, 800, -80)}),
    [](const auto& info) { return std::string(info.param.what); });

class PipeConeDrawnCut : public ::testing::TestWithParam<JointCase> {};

// Rolled back onto the pipe, the template's drawn cut line meets the mantle within a cut's
// allowance along every generator; rolled back onto the cone, the hole's drawn outline lies
// on the pipe; at the fewest parts and the most.
TEST_P(PipeConeDrawnCut, LiesOnTheTrueIntersection) {
    for (const int divisions : {24, 2000}) {
        SCOPED_TRACE(divisions);
        PipeConeInputs in = GetParam().inputs;
        in.N = divisions;
        in.development = PipeConeDevelopment::Pipe;
        const Pattern strip = pipeConeOutputs(compute(in), "d").pattern;
        const Joint j(in);
        // Where generator L meets the mantle, found by halving from outside to inside.
        const auto trueH = [&](double L, double near) {
            double outside = near - 10;
            double inside = near + 10;
            for (int k = 0; k < 60; ++k) {
                const double middle = (outside + inside) / 2;
                (j.outside(j.rebuild(L, middle)) > 0 ? outside : inside) = middle;
            }
            return (outside + inside) / 2;
        };
        double worstTemplate = 0.0;
        for (const PatternPoint p : test::drawnPointsOf(strip, LineRole::CutCurve)) {
            const double h = trueH(p.x, -p.y);
            // Off the curve across it, not along the generator, where the curve is steep.
            const double slope = (trueH(p.x + 0.01, h) - trueH(p.x - 0.01, h)) / 0.02;
            worstTemplate =
                std::max(worstTemplate, std::fabs(-p.y - h) / std::sqrt(1 + slope * slope));
        }
        EXPECT_LE(worstTemplate, kCutAllowance);
        in.development = PipeConeDevelopment::Cone;
        const Pattern mantle = pipeConeOutputs(compute(in), "d").pattern;
        const test::ConeRollBack cone((in.Dsd - in.Dsm) / 2 / in.Hs, in.E / in.Hs, 0.0);
        const Point3 a = j.axis();
        double worst = 0.0;
        for (const PatternPoint p : test::drawnPointsOf(mantle, LineRole::HoleOutline)) {
            const test::SpacePoint q = cone.rollBack(p.x, p.y);
            const Point3 d{q.x - in.P, q.y - j.e(j.zA), q.z - j.zA};
            const double along = d.x * a.x + d.y * a.y + d.z * a.z;
            const double fromAxis = std::sqrt(std::max(0.0, norm(d) * norm(d) - along * along));
            worst = std::max(worst, std::fabs(fromAxis - in.Dr / 2));
        }
        EXPECT_LE(worst, kCutAllowance);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PipeConeDrawnCut,
    ::testing::Values(JointCase{"defaults", PipeConeInputs{}},
                      JointCase{"inclined_oblique", joint(250, -120, 60, 30, 600, -150)},
                      JointCase{"far_side_of_the_section", joint(100, -320, 160, 0, 600, 0)},
                      JointCase{"near_the_edge", joint(100, 300, 90, 0, 800, -80)}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(PipeConeModel, HoleOutlineIsAsLongAsTheIntersectionCurve) {
    // At 2000 divisions the chords follow both curves closely; developing keeps lengths.
    PipeConeInputs in = joint(250, 230, 90, 0, 600, 100);
    in.N = 2000;
    const PipeConeModel m = compute(in);
    const Joint j(in);
    double developed = 0.0;
    double spatial = 0.0;
    for (std::size_t i = 1; i < m.L.size(); ++i) {
        developed += std::hypot(m.Xo[i] - m.Xo[i - 1], m.Yo[i] - m.Yo[i - 1]);
        const Point3 p = j.rebuild(m.L[i], m.h[i]);
        const Point3 q = j.rebuild(m.L[i - 1], m.h[i - 1]);
        spatial += norm({p.x - q.x, p.y - q.y, p.z - q.z});
    }
    EXPECT_GT(spatial, kPi * 250); // the curve round a pipe on a curved mantle is longer
    EXPECT_NEAR(developed, spatial, 1e-3 * spatial);
}

TEST(PipeConeModel, SymmetricJointGivesConcentricArcsAndSymmetricPatterns) {
    PipeConeInputs in = joint(250, 0, 90, 0, 600, 0);
    in.N = 24;
    const PipeConeModel m = compute(in);
    const double slant = std::hypot(4000.0, 400.0);
    const double total = std::atan2(m.outline.Yd[24], m.outline.Xd[24]);
    EXPECT_NEAR(total, 2 * kPi * 400 / slant, 1e-9);
    for (std::size_t i = 0; i <= 24; ++i) {
        EXPECT_NEAR(std::hypot(m.outline.Xd[i], m.outline.Yd[i]), slant, 1e-9 * slant) << i;
        EXPECT_NEAR(std::hypot(m.outline.Xm[i], m.outline.Ym[i]), 0.75 * slant, 1e-9 * slant) << i;
        EXPECT_NEAR(m.h[i], m.h[24 - i], 1e-9) << i;
        // The hole is mirrored about the generator a quarter of the way round.
        EXPECT_NEAR(std::hypot(m.Xo[i], m.Yo[i]), std::hypot(m.Xo[24 - i], m.Yo[24 - i]), 1e-9)
            << i;
        EXPECT_NEAR(std::atan2(m.Yo[i], m.Xo[i]) + std::atan2(m.Yo[24 - i], m.Xo[24 - i]),
                    total / 2, 1e-9)
            << i;
    }
    // The generators in the plane of the axes meet the cone's top line, 125 nearer or further
    // from the apex than the pipe's axis at 3600.
    EXPECT_NEAR(m.h[0], 700 - 372.5, 1e-9);
    EXPECT_NEAR(m.h[12], 700 - 347.5, 1e-9);
}

TEST(PipeConeModel, NearlySquarePipesAgreeWithTheSquareOne) {
    // The quadratic's discriminant must not drown in rounding as tan β grows without bound.
    const PipeConeModel square = compute({});
    const std::vector<std::pair<double, double>> table{
        {89.9, 0.34},      {89.99, 0.034},      {89.999, 0.0034},    {89.9999, 0.00034},
        {89.99999, 0.001}, {89.9999999, 0.001}, {90.0000001, 0.001}, {90.000001, 0.001},
    };
    for (const auto& [BETA, bound] : table) {
        PipeConeInputs in;
        in.BETA = BETA;
        const Construction<PipeConeModel> inclined = computePipeCone(in);
        ASSERT_TRUE(inclined.model) << BETA << ": " << inclined.failure;
        EXPECT_LE(maxDifference(inclined.model->h, square.h), bound) << BETA;
    }
    // Tilting by 0.1° changes the template measurably: the quadratic is really used.
    PipeConeInputs tilted;
    tilted.BETA = 89.9;
    EXPECT_GT(maxDifference(compute(tilted).h, square.h), 0.3);
}

TEST(PipeConeModel, WithinANanoradianOfSquareThePipeIsSquare) {
    const PipeConeModel square = compute({});
    PipeConeInputs in;
    in.BETA = 89.99999995; // 0.87 nrad off
    EXPECT_EQ(compute(in).h, square.h);
    in.BETA = 89.9999999; // 1.7 nrad off: the quadratic
    EXPECT_NE(compute(in).h, square.h);
}

TEST(PipeConeModel, SeamTurnedOnceRoundGivesTheSameTables) {
    PipeConeInputs in = mantleOf({});
    const PipeConeModel base = compute(in);
    in.alfa = 360;
    const PipeConeModel turned = compute(in);
    EXPECT_LE(maxDifference(turned.h, base.h), 1e-9);
    EXPECT_LE(maxDifference(turned.Xo, base.Xo), 1e-6);
    EXPECT_LE(maxDifference(turned.Yo, base.Yo), 1e-6);
    // A quarter turn moves point 0 to where point N/4 was.
    in.alfa = 90;
    const PipeConeModel quarter = compute(in);
    EXPECT_NEAR(quarter.h[0], base.h[6], 1e-9);
    EXPECT_NEAR(quarter.Xo[0], base.Xo[6], 1e-6);
}

TEST(PipeConeModel, AGeneratorThatMissesTheConeStopsTheCalculation) {
    PipeConeInputs in;
    in.Dr = 600;
    in.Dsm = 300;
    in.P = 0;
    in.Lm = 300;
    in.E = 0;
    in.development = PipeConeDevelopment::Cone;
    EXPECT_EQ(validatePipeCone(in), Messages{});
    const Construction<PipeConeModel> c = computePipeCone(in);
    EXPECT_FALSE(c.model);
    const std::string misses =
        "Blad obliczen. Prawdopodobnie RURA nie cala powierzchnia \"wchodzi\" w STOZEK";
    EXPECT_EQ(c.failure, misses + " (pasuje Lm od 637.0 do 699.9)");
    // The same miss on an inclined pipe, through the quadratic; nowhere along the cone is the
    // pipe wholly on it, so no Lm is named.
    in.BETA = 80;
    EXPECT_EQ(computePipeCone(in).failure, misses);
}

TEST(PipeConeModel, GeneratorsParallelToTheConeHaveNoSecondMeeting) {
    // The cone's half-angle tangent is 0.1; with E = 0 a pipe at atan 0.1 runs along it, and
    // with E = 100 the near side's generators lean by another 0.1.
    for (const auto& [E, tangent] : {std::pair{0.0, 0.1}, std::pair{100.0, 0.2}}) {
        PipeConeInputs in;
        in.E = E;
        in.BETA = std::atan(tangent) * 180 / kPi;
        const Construction<PipeConeModel> c = computePipeCone(in);
        EXPECT_FALSE(c.model) << E;
        EXPECT_EQ(c.failure.rfind("Blad obliczen. Prawdopodobnie ", 0), 0u) << c.failure;
        // Just off parallel, the generators meet the cone far beyond its large end.
        in.BETA += 1e-3;
        EXPECT_NE(computePipeCone(in).failure.find("poza koniec STOZKA"), std::string::npos) << E;
    }
}

TEST(PipeConeModel, NoLengthOrNoLargeEndIsRefusedBeforeDividingByIt) {
    for (auto change : {+[](PipeConeInputs& in) { in.Hs = 0; },
                        +[](PipeConeInputs& in) {
                            in.Dsd = 0;
                            in.Dr = 0;
                            in.P = 0;
                        }}) {
        const Construction<PipeConeModel> c = computePipeCone(mantleOf(with(change)));
        EXPECT_FALSE(c.model);
        EXPECT_EQ(c.failure, "Blad obliczen. Prawdopodobnie Dsd = 0 lub Hs = 0 - dzielenie przez "
                             "zero.");
    }
}

TEST(PipeConeModel, ALargerSmallEndIsComputedAsWritten) {
    // The same formulas with Zd and Zm negative.
    const PipeConeModel flipped = compute(mantleOf(with([](PipeConeInputs& in) {
        in.Dsm = 800;
        in.Dsd = 600;
        in.Dr = 200;
        in.P = 100;
    })));
    EXPECT_LT(flipped.Zd, 0.0);
    EXPECT_TRUE(isFinite(flipped));
    EXPECT_GT(std::hypot(flipped.outline.Xm[0], flipped.outline.Ym[0]),
              std::hypot(flipped.outline.Xd[0], flipped.outline.Yd[0]));
}

} // namespace
} // namespace blachorys::core
