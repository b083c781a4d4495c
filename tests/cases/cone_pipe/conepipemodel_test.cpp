#include "cases/cone_pipe/conepipemodel.h"
#include "cases/cone_pipe/conepipeoutputs.h"
#include "common/core/geometry/curvesampling.h"
#include "support/drawncut.h"
#include "support/vec3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

ConePipeInputs with(void (*change)(ConePipeInputs&)) {
    ConePipeInputs in;
    change(in);
    return in;
}

ConePipeModel computed(const ConePipeInputs& in) {
    const ConePipeConstruction construction = computeConePipe(in);
    EXPECT_EQ(construction.fault, ConePipeFault::None) << construction.generatrix;
    return construction.model;
}

TEST(ConePipeModel, DefaultsGiveTheWorkedFigures) {
    const ConePipeModel m = computed({});
    EXPECT_NEAR(m.h0, 307.77, 0.005);
    EXPECT_NEAR(m.u, 717.28, 0.005);
    EXPECT_NEAR(m.t, 323.61, 0.005);
    EXPECT_NEAR(m.v, 1.94161, 0.000005);
    ASSERT_EQ(m.Xm.size(), 49u);
    // Point 0 lies on the positive X axis: the first seam edge is horizontal.
    EXPECT_NEAR(m.Xm[0], 323.6, 0.05);
    EXPECT_EQ(m.Ym[0], 0.0);
    EXPECT_NEAR(m.Xd[0], 420.5, 0.05);
    EXPECT_EQ(m.Yd[0], 0.0);
    EXPECT_NEAR(m.Xo[0], 514.2, 0.05);
    EXPECT_NEAR(m.Yo[0], 431.1, 0.05);
    EXPECT_NEAR(m.Xm[24], 182.7, 0.05);
    EXPECT_NEAR(m.Ym[24], 267.1, 0.05);
    EXPECT_NEAR(m.Xd[24], 282.7, 0.05);
    EXPECT_NEAR(m.Yd[24], 413.3, 0.05);
    EXPECT_NEAR(m.Xo[24], 219.5, 0.05);
    EXPECT_NEAR(m.Yo[24], 431.1, 0.05);
    // The cone's sheet.
    EXPECT_NEAR(m.sheetWidth(), 576.8, 0.05);
    EXPECT_NEAR(m.sheetHeight(), 546.7, 0.05);
}

TEST(ConePipeModel, PipeModeSheetIsTheRectangleAndHoldsTheHole) {
    ConePipeInputs in;
    in.development = ConePipeDevelopment::Pipe;
    const ConePipeModel m = computed(in);
    EXPECT_EQ(m.minX, 0.0);
    EXPECT_EQ(m.maxX, 800.0);
    EXPECT_EQ(m.minY, 0.0);
    EXPECT_NEAR(m.maxY, 1884.96, 0.005);
    EXPECT_NEAR(m.sheetWidth(), 800.0, 1e-12);
    EXPECT_NEAR(m.sheetHeight(), 1885.0, 0.05);
    const double highest = *std::max_element(m.Yo.begin(), m.Yo.end());
    // The cone enters from above: the hole lies in the sheet's lower half.
    EXPECT_LE(highest, kPi * 600 / 2);
    // The mode chooses the bounding box only; the tables are those of the cone mode.
    const ConePipeModel cone = computed({});
    EXPECT_EQ(m.Xo, cone.Xo);
    EXPECT_EQ(m.Xd, cone.Xd);
}

TEST(ConePipeModel, ConeBoundingBoxHoldsEveryPointAndTouchesEachSide) {
    const ConePipeModel m = computed({});
    bool touches[4] = {};
    for (std::size_t n = 0; n < m.Xm.size(); ++n) {
        for (const auto& [x, y] : {std::pair{m.Xm[n], m.Ym[n]}, std::pair{m.Xd[n], m.Yd[n]}}) {
            EXPECT_TRUE(x >= m.minX && x <= m.maxX && y >= m.minY && y <= m.maxY) << n;
            touches[0] = touches[0] || x == m.minX;
            touches[1] = touches[1] || x == m.maxX;
            touches[2] = touches[2] || y == m.minY;
            touches[3] = touches[3] || y == m.maxY;
        }
    }
    EXPECT_TRUE(touches[0] && touches[1] && touches[2] && touches[3]);
}

using test::Vec;

/**
 * The joint built in space from its description alone: x along the pipe from its start, y
 * across it, z up from its axis. The cone's axis lies in the vertical plane y = P, rises at
 * Beta towards the pipe's end and reaches the axis' level at x = Lm; the free end's centre is
 * at height Hs, the apex further up the axis. On the free end, w = 0 points towards the pipe's
 * end and w = 90° towards smaller y.
 */
struct Joint {
    explicit Joint(const ConePipeInputs& in) : in(in) {
        const double beta = in.Beta * kPi / 180;
        const double gamma = in.Gamma * kPi / 180;
        axis = {std::cos(beta), 0.0, std::sin(beta)};
        const Vec centre = Vec{in.Lm, in.P, 0.0} + axis * (in.Hs / std::sin(beta));
        apex = centre + axis * (in.Ds / 2 / std::tan(gamma));
        across = {std::sin(beta), 0.0, -std::cos(beta)};
        this->centre = centre;
    }
    Vec freeEnd(double w) const {
        return centre + across * (in.Ds / 2 * std::cos(w)) +
               Vec{0.0, -1.0, 0.0} * (in.Ds / 2 * std::sin(w));
    }
    /** The point of generatrix n at this slant distance from the apex. */
    Vec onGeneratrix(int n, double slant) const {
        const Vec towards = freeEnd(in.alfa * kPi / 180 + 2 * kPi * n / in.N) - apex;
        return apex + towards * (slant / towards.length());
    }
    /** Distance from the pipe's axis. */
    static double fromPipeAxis(Vec p) { return std::hypot(p.y, p.z); }

    ConePipeInputs in;
    Vec axis, apex, across, centre;
};

class ConePipeJoint : public ::testing::TestWithParam<ConePipeInputs> {};

// Rolling either sheet back up must give the same cut: the cone pattern's cut points lie on
// the pipe, the hole's points on the cone, and both are the same points of space.
TEST_P(ConePipeJoint, CutPointsRebuiltInSpaceLieOnThePipeAndOnTheCone) {
    const ConePipeInputs& in = GetParam();
    const ConePipeModel m = computed(in);
    ASSERT_EQ(m.Xd.size(), static_cast<std::size_t>(in.N) + 1);
    const Joint joint(in);
    const double R = in.Dr / 2;
    const double tolerance = 1e-9 * (R + in.Hs + in.L);
    for (int n = 0; n <= in.N; ++n) {
        SCOPED_TRACE(n);
        const auto i = static_cast<std::size_t>(n);
        // From the cone's pattern: the slant distance along generatrix n.
        const double slant = std::hypot(m.Xd[i], m.Yd[i]);
        const Vec fromCone = joint.onGeneratrix(n, slant);
        EXPECT_NEAR(Joint::fromPipeAxis(fromCone), R, tolerance);
        // It is where the generatrix first meets the pipe: just before, it is still outside.
        EXPECT_GT(Joint::fromPipeAxis(joint.onGeneratrix(n, slant * (1 - 1e-6))), R);
        // The free end lies at the pattern's arc radius along the same generatrix.
        EXPECT_NEAR((joint.onGeneratrix(n, std::hypot(m.Xm[i], m.Ym[i])) -
                     joint.freeEnd(in.alfa * kPi / 180 + 2 * kPi * n / in.N))
                        .length(),
                    0.0, tolerance);

        // From the pipe's sheet: Yo is the arc from the side y = +R over the top.
        const double around = m.Yo[i] / R;
        const Vec fromHole{m.Xo[i], R * std::cos(around), R * std::sin(around)};
        const Vec fromApex = fromHole - joint.apex;
        const double angleToAxis = std::acos(fromApex.dot(joint.axis * -1.0) / fromApex.length());
        EXPECT_NEAR(angleToAxis, in.Gamma * kPi / 180, 1e-9);
        EXPECT_NEAR((fromHole - fromCone).length(), 0.0, 1e-7 * (R + in.L));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConePipeJoint,
    ::testing::Values(ConePipeInputs{},
                      ConePipeInputs{200, 800, -60, 25, 60, -30, 520, 800, 300, 36},
                      ConePipeInputs{150, 800, 120, 20, 115, 45, 500, 900, 450, 24},
                      ConePipeInputs{200, 600, 0, 18, 90, 0, 420, 800, 400, 48},
                      ConePipeInputs{200, 2000, 40, 30, 75, 200, 1400, 1200, 500, 60},
                      ConePipeInputs{200, 1000, 40, 5, 10, 0, 600, 6000, 300, 48},
                      ConePipeInputs{200, 600, 40, 18, 75, 0, 420, 800, 300, 2}),
    [](const auto& info) { return "joint" + std::to_string(info.index); });

// A cone of a millionth of a degree is a pipe of the free end's diameter, its apex thousands
// of kilometres away: each generatrix, a line along the axis through its free-end point, meets
// the pipe where the line does, on the cone's pattern (along the generatrix from the free end)
// and on the pipe's sheet alike.
TEST(ConePipeModel, AllButStraightConeCutsThePipeWhereItsGeneratricesMeetIt) {
    for (const ConePipeInputs& in :
         {with([](ConePipeInputs& c) { c.Gamma = 1.8e-6; }),
          with([](ConePipeInputs& c) {
              c = {200, 787.533, 171.89, 1.8e-6, 88.1, 33.3, 420, 222, 100, 22};
          })}) {
        SCOPED_TRACE(in.Dr);
        const ConePipeModel m = computed(in);
        const Joint joint(in);
        const double R = in.Dr / 2;
        for (int n = 0; n <= in.N; ++n) {
            SCOPED_TRACE(n);
            const auto i = static_cast<std::size_t>(n);
            // The line's first point on the pipe, coming down the axis.
            const Vec start = joint.freeEnd(in.alfa * kPi / 180 + 2 * kPi * n / in.N);
            const double a = joint.axis.y * joint.axis.y + joint.axis.z * joint.axis.z;
            const double b = -2 * (start.y * joint.axis.y + start.z * joint.axis.z);
            const double c = start.y * start.y + start.z * start.z - R * R;
            const double s = (-b - std::sqrt(b * b - 4 * a * c)) / (2 * a);
            const Vec cut = start - joint.axis * s;
            EXPECT_NEAR(std::hypot(m.Xd[i], m.Yd[i]) - std::hypot(m.Xm[i], m.Ym[i]), s, 1e-3);
            const double around = m.Yo[i] / R;
            const Vec fromHole{m.Xo[i], R * std::cos(around), R * std::sin(around)};
            EXPECT_NEAR((fromHole - cut).length(), 0.0, 1e-3);
        }
    }
}

// Rolled back, the cone's drawn cut line lies on the pipe and the hole's drawn outline on the
// cone, everywhere along them, at the table's parts and at the most.
TEST_P(ConePipeJoint, DrawnCutLinesLieOnTheOtherPiece) {
    for (const int divisions : {GetParam().N, 2000}) {
        SCOPED_TRACE(divisions);
        ConePipeInputs in = GetParam();
        in.N = divisions;
        const Joint joint(in);
        const double R = in.Dr / 2;
        const double gamma = in.Gamma * kPi / 180;
        in.development = ConePipeDevelopment::Cone;
        const ConePipeModel cone = computed(in);
        double worst = 0.0;
        for (const PatternPoint p :
             test::drawnPointsOf(conePipeOutputs(cone, "d").pattern, LineRole::CutCurve)) {
            double theta = std::atan2(p.y, p.x);
            theta += theta < -1e-9 ? 2 * kPi : 0.0;
            const double w = in.alfa * kPi / 180 + theta * 2 * kPi / cone.v;
            const Vec towards = joint.freeEnd(w) - joint.apex;
            const Vec onCone = joint.apex + towards * (std::hypot(p.x, p.y) / towards.length());
            worst = std::max(worst, std::fabs(Joint::fromPipeAxis(onCone) - R));
        }
        in.development = ConePipeDevelopment::Pipe;
        for (const PatternPoint p : test::drawnPointsOf(conePipeOutputs(computed(in), "d").pattern,
                                                        LineRole::HoleOutline)) {
            const Vec onPipe{p.x, R * std::cos(p.y / R), R * std::sin(p.y / R)};
            const Vec fromApex = onPipe - joint.apex;
            const double toAxis = std::acos(fromApex.dot(joint.axis * -1.0) / fromApex.length());
            worst = std::max(worst, fromApex.length() * std::fabs(std::sin(toAxis - gamma)));
        }
        EXPECT_LE(worst, kCutAllowance);
    }
}

/** Length of a polyline, segment by segment. */
double lengthThrough(const std::vector<double>& x, const std::vector<double>& y) {
    double length = 0.0;
    for (std::size_t n = 1; n < x.size(); ++n) {
        length += std::hypot(x[n] - x[n - 1], y[n] - y[n - 1]);
    }
    return length;
}

TEST(ConePipeModel, FreeEndArcIsAsLongAsTheFreeEndAndBothPatternsClose) {
    for (const double gamma : {5.0, 12.0, 18.0}) {
        ConePipeInputs in;
        in.Gamma = gamma;
        in.N = 2000;
        in.alfa = 12.5;
        const ConePipeModel m = computed(in);
        // Rolled up, the arc becomes the free end's circle.
        EXPECT_NEAR(lengthThrough(m.Xm, m.Ym), kPi * in.Ds, 1e-5 * kPi * in.Ds) << gamma;
        const std::size_t last = m.Xm.size() - 1;
        // The two seam edges are the same generatrix: equally long.
        EXPECT_NEAR(std::hypot(m.Xd[last], m.Yd[last]), std::hypot(m.Xd[0], m.Yd[0]), 1e-9);
        // The hole closes: point N is point 0 once round.
        EXPECT_NEAR(m.Xo[last], m.Xo[0], 1e-9);
        EXPECT_NEAR(m.Yo[last], m.Yo[0], 1e-9);
    }
}

TEST(ConePipeModel, SquareCentredConeGivesAHoleSymmetricAboutItsMiddle) {
    ConePipeInputs in;
    in.P = 0;
    in.Beta = 90;
    const ConePipeModel m = computed(in);
    const int N = in.N;
    const double middleX = in.Lm;
    const double middleY = kPi * in.Dr / 4; // the top of the pipe
    for (int n = 0; n <= N; ++n) {
        const auto i = static_cast<std::size_t>(n);
        // Mirrored across the plane of the axes (w → −w) and across the cone's axis along the
        // pipe (w → 180° − w).
        const auto across = static_cast<std::size_t>(N - n);
        const auto along = static_cast<std::size_t>((N / 2 - n + N) % N);
        EXPECT_NEAR(m.Xo[across], m.Xo[i], 1e-9) << n;
        EXPECT_NEAR(m.Yo[across] - middleY, middleY - m.Yo[i], 1e-9) << n;
        EXPECT_NEAR(m.Xo[along] - middleX, middleX - m.Xo[i], 1e-9) << n;
        EXPECT_NEAR(m.Yo[along], m.Yo[i], 1e-9) << n;
    }
    const auto [minXo, maxXo] = std::minmax_element(m.Xo.begin(), m.Xo.end());
    const auto [minYo, maxYo] = std::minmax_element(m.Yo.begin(), m.Yo.end());
    EXPECT_NEAR((*minXo + *maxXo) / 2, middleX, 1e-9);
    EXPECT_NEAR((*minYo + *maxYo) / 2, middleY, 1e-9);
}

TEST(ConePipeModel, TurningTheSeamOnceRoundGivesTheSamePatterns) {
    const ConePipeModel base = computed(with([](ConePipeInputs& in) { in.alfa = 20; }));
    const ConePipeModel turned = computed(with([](ConePipeInputs& in) { in.alfa = 380; }));
    const ConePipeModel back = computed(with([](ConePipeInputs& in) { in.alfa = -340; }));
    for (std::size_t n = 0; n < base.Xd.size(); ++n) {
        EXPECT_NEAR(turned.Xd[n], base.Xd[n], 1e-9);
        EXPECT_NEAR(turned.Yo[n], base.Yo[n], 1e-9);
        EXPECT_NEAR(back.Yd[n], base.Yd[n], 1e-9);
        EXPECT_NEAR(back.Xo[n], base.Xo[n], 1e-9);
    }
}

TEST(ConePipeModel, MirroredOffsetMirrorsTheHoleAcrossTheTop) {
    // The joint mirrored across the pipe's vertical plane: P → −P and w → −w.
    ConePipeInputs left;
    left.P = -70;
    left.alfa = 0;
    ConePipeInputs right = left;
    right.P = 70;
    const ConePipeModel a = computed(left);
    const ConePipeModel b = computed(right);
    const std::size_t N = a.Xo.size() - 1;
    for (std::size_t n = 0; n <= N; ++n) {
        EXPECT_NEAR(a.Xo[n], b.Xo[N - n], 1e-9) << n;
        EXPECT_NEAR(a.Yo[n], kPi * 600 / 2 - b.Yo[N - n], 1e-9) << n;
        EXPECT_NEAR(std::hypot(a.Xd[n], a.Yd[n]), std::hypot(b.Xd[N - n], b.Yd[N - n]), 1e-9);
    }
}

TEST(ConePipeModel, ACutThatTouchesThePipesSideOnlyAtTheTablesGeneratricesIsRefused) {
    // With P = Dr/2 the generatrices at 0°, 180° and 360° touch the pipe at its side; every
    // generatrix between them on one side passes beside it.
    for (const double P : {300.0, -300.0}) {
        ConePipeInputs in;
        in.P = P;
        in.N = 2;
        EXPECT_EQ(computeConePipe(in).fault, ConePipeFault::MissesPipe) << P;
    }
}

TEST(ConePipeModel, AngleOnThePipeTakesRoundingPastOneButNoMore) {
    EXPECT_EQ(*angleOnPipe(1.0), kPi / 2);
    EXPECT_EQ(*angleOnPipe(-1.0), -kPi / 2);
    EXPECT_EQ(*angleOnPipe(0.0), 0.0);
    EXPECT_NEAR(*angleOnPipe(0.5), kPi / 6, 1e-15);
    EXPECT_EQ(*angleOnPipe(1.0000000000000002), kPi / 2);
    EXPECT_EQ(*angleOnPipe(-1 - 1e-10), -kPi / 2);
    EXPECT_FALSE(angleOnPipe(1 + 1e-8));
    EXPECT_FALSE(angleOnPipe(-1.5));
    EXPECT_FALSE(angleOnPipe(std::nan("")));
    EXPECT_FALSE(angleOnPipe(INFINITY));
}

struct FaultCase {
    const char* what;
    ConePipeInputs inputs;
    ConePipeFault fault;
    int generatrix;
};

class ConePipeFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ConePipeFaults, StopAtTheGeneratrixThatFails) {
    const ConePipeConstruction c = computeConePipe(GetParam().inputs);
    EXPECT_EQ(c.fault, GetParam().fault);
    EXPECT_EQ(c.generatrix, GetParam().generatrix);
    EXPECT_EQ(faultMessage(c.fault).rfind("Blad obliczen. Prawdopodobnie ", 0), 0u);
}

ConePipeInputs inputs(double Ds, double Dr, double P, double Gamma, double Beta, double alfa,
                      double Hs, int N) {
    return {Ds, Dr, P, Gamma, Beta, alfa, Hs, 800, 300, N};
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConePipeFaults,
    ::testing::Values(
        // A thin pipe: at N = 48 generatrices 0 to 3 meet it, 4 (at 30°) is the first to miss;
        // at N = 24 generatrix 2 is at the same 30°.
        FaultCase{"thin_pipe", inputs(200, 100, 40, 18, 75, 0, 420, 48), ConePipeFault::MissesPipe,
                  4},
        FaultCase{"thin_pipe_coarse", inputs(200, 100, 40, 18, 75, 0, 420, 24),
                  ConePipeFault::MissesPipe, 2},
        FaultCase{"no_free_end", inputs(0, 600, 40, 18, 75, 0, 420, 48), ConePipeFault::NoFreeEnd,
                  -1},
        FaultCase{"no_pipe", inputs(200, 0, 0, 18, 75, 0, 420, 48), ConePipeFault::NoPipe, -1},
        // Beta = 180° − Gamma: the seam generatrix runs level, parallel to the pipe.
        FaultCase{"generatrix_parallel", inputs(200, 600, 40, 18, 162, 0, 420, 48),
                  ConePipeFault::ParallelToPipe, 0},
        // Beta + Gamma past 180°: the seam generatrix rises away from the pipe and meets it
        // only behind the apex.
        FaultCase{"rising_generatrix", inputs(200, 600, 40, 18, 170, 0, 420, 48),
                  ConePipeFault::MissesPipe, 0},
        // The apex inside the pipe: the nearer root lies behind it.
        FaultCase{"apex_inside", inputs(200, 600, 0, 18, 75, 0, 0, 48), ConePipeFault::MissesPipe,
                  0},
        // The cone beside the pipe, reaching it below its axis.
        FaultCase{"from_beside", inputs(50, 600, -400, 5, 30, 270, 420, 48),
                  ConePipeFault::BelowPipeAxis, 0},
        FaultCase{"overflows", inputs(200, 600, 40, 18, 75, 0, 1e200, 48), ConePipeFault::NotFinite,
                  0},
        FaultCase{"huge_pipe", inputs(200, 1e308, 0, 18, 75, 0, 420, 48), ConePipeFault::NotFinite,
                  0}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ConePipeModel, PointsBeforeTheMissStayWritten) {
    const ConePipeConstruction c = computeConePipe(inputs(200, 100, 40, 18, 75, 0, 420, 48));
    ASSERT_EQ(c.generatrix, 4);
    for (std::size_t n = 0; n < 4; ++n) {
        EXPECT_GT(c.model.Xd[n], 0.0) << n;
    }
    EXPECT_EQ(c.model.Xd[4], 0.0);
}

TEST(ConePipeValidation, MessagesInOrder) {
    using Messages = std::vector<std::string>;
    EXPECT_EQ(validateConePipe({}), Messages{});
    ConePipeInputs all{-1, -1, 5, 90, 180, 0, -1, -1, -1, 1};
    EXPECT_EQ(validateConePipe(all),
              (Messages{"Blad danych : Ds < 0", "Blad danych : Dr < 0", "Blad danych : P > Dr/2",
                        "Blad danych : Gamma musi byc wieksza od 0 i mniejsza od 90°",
                        "Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°",
                        "Blad danych : Hs < 0", "Blad danych : L < 0", "Blad danych : Lm < 0",
                        "Blad danych : N < 2"}));
    EXPECT_EQ(validateConePipe(with([](ConePipeInputs& in) { in.N = 2001; })),
              Messages{"Blad danych : N > 2000"});
}

TEST(ConePipeValidation, BoundariesOfTheChecks) {
    using Messages = std::vector<std::string>;
    const auto messages = [](double P, double Gamma, double Beta) {
        ConePipeInputs in;
        in.P = P;
        in.Gamma = Gamma;
        in.Beta = Beta;
        return validateConePipe(in);
    };
    // P = Dr/2 passes; a hair more does not. Any negative offset passes.
    EXPECT_EQ(messages(300, 18, 75), Messages{});
    EXPECT_EQ(messages(300.001, 18, 75), Messages{"Blad danych : P > Dr/2"});
    EXPECT_EQ(messages(-5000, 18, 75), Messages{});
    const std::string gamma = "Blad danych : Gamma musi byc wieksza od 0 i mniejsza od 90°";
    const std::string beta = "Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°";
    EXPECT_EQ(messages(40, 0, 75), Messages{gamma});
    EXPECT_EQ(messages(40, 90, 75), Messages{gamma});
    EXPECT_EQ(messages(40, 18, 0), Messages{beta});
    EXPECT_EQ(messages(40, 18, 180), Messages{beta});
    EXPECT_EQ(messages(40, 0.1, 179.9), Messages{});
    EXPECT_EQ(validateConePipe(with([](ConePipeInputs& in) { in.N = 2; })), Messages{});
    EXPECT_EQ(validateConePipe(with([](ConePipeInputs& in) { in.N = 2000; })), Messages{});
    // Zero diameters and heights pass the checks (the construction sees to them); a pipe of no
    // length has no sheet to hold the hole.
    EXPECT_EQ(validateConePipe(ConePipeInputs{0, 0, 0, 18, 75, 0, 0, 0, 0, 48}),
              Messages{"Blad danych : L musi byc wieksza od 0"});
}

} // namespace
} // namespace blachorys::core
