#include "cases/transition/transitionmodel.h"
#include "cases/transition/transitionoutputs.h"
#include "support/drawncut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

struct Point3 {
    double x, y, z;
};

struct Point2 {
    double x, y;
};

TransitionInputs with(void (*change)(TransitionInputs&)) {
    TransitionInputs in;
    change(in);
    return in;
}

/** Corner c (1..4) of the rectangle in space, from its table: counterclockwise from +A/2, +B/2. */
Point3 spaceCorner(const TransitionInputs& in, int c) {
    const double sx = c == 1 || c == 4 ? 1.0 : -1.0;
    const double sy = c <= 2 ? 1.0 : -1.0;
    return {in.PA + sx * in.A / 2, in.PB + sy * in.B / 2, in.H};
}

/** The circle point at angle phi. */
Point3 circleAt(const TransitionInputs& in, double phi) {
    return {in.D / 2 * std::cos(phi), in.D / 2 * std::sin(phi), 0.0};
}

/** The circle point reported as point i of quarter k. */
Point3 spacePoint(const TransitionInputs& in, int k, int i) {
    return circleAt(in, (k - 1) * kPi / 2 + i * kPi / (2 * in.N));
}

double distance(const Point3& p, const Point3& q) {
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                     (p.z - q.z) * (p.z - q.z));
}

double distance(const Point2& p, const Point2& q) {
    return std::hypot(p.x - q.x, p.y - q.y);
}

Point2 patternPoint(const TransitionModel& m, int k, int i) {
    return {m.Xk[m.pointIndex(k, i)], m.Yk[m.pointIndex(k, i)]};
}

Point2 patternCorner(const TransitionModel& m, int c) {
    return {m.Xp[static_cast<std::size_t>(c)], m.Yp[static_cast<std::size_t>(c)]};
}

double triangleArea(const Point3& a, const Point3& b, const Point3& c) {
    const Point3 u{b.x - a.x, b.y - a.y, b.z - a.z};
    const Point3 v{c.x - a.x, c.y - a.y, c.z - a.z};
    return 0.5 * std::sqrt(std::pow(u.y * v.z - u.z * v.y, 2) + std::pow(u.z * v.x - u.x * v.z, 2) +
                           std::pow(u.x * v.y - u.y * v.x, 2));
}

/** Area of the piece in space: each quarter's cone by fine triangles, and the four flat ones. */
double surfaceArea(const TransitionInputs& in) {
    constexpr int kParts = 4000;
    double area = 0.0;
    for (int k = 1; k <= 4; ++k) {
        const Point3 corner = spaceCorner(in, k);
        for (int j = 0; j < kParts; ++j) {
            const double phi = (k - 1 + static_cast<double>(j) / kParts) * kPi / 2;
            area += triangleArea(corner, circleAt(in, phi), circleAt(in, phi + kPi / 2 / kParts));
        }
        area += triangleArea(corner, spaceCorner(in, k % 4 + 1), circleAt(in, k * kPi / 2));
    }
    return area;
}

/** Area of the developed outline: the curved edge, corner 5, the straight edge back to 1. */
double outlineArea(const TransitionModel& m) {
    std::vector<Point2> outline;
    for (int k = 1; k <= 4; ++k) {
        for (int i = k == 1 ? 0 : 1; i <= m.inputs.N; ++i) {
            outline.push_back(patternPoint(m, k, i));
        }
    }
    for (int c = 4; c >= 0; --c) {
        outline.push_back(patternCorner(m, c));
    }
    double twice = 0.0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Point2& p = outline[i];
        const Point2& q = outline[(i + 1) % outline.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return twice / 2;
}

TEST(TransitionModel, DefaultsGiveTheWorkedFigures) {
    const TransitionModel m = computeTransition({});
    EXPECT_EQ(m.step, 166);
    EXPECT_EQ(m.M, 1992);
    ASSERT_EQ(m.Xk.size(), 52u);
    EXPECT_EQ(m.Xp[0], 0.0);
    EXPECT_EQ(m.Yp[0], 0.0);
    // The seam edge lies on the X axis, as long as the line from corner 1 to the circle point
    // at angle 0: 60, 130 and 230 mm apart along the three axes.
    EXPECT_NEAR(m.Xk[0], std::sqrt(60.0 * 60 + 130.0 * 130 + 230.0 * 230), 1e-9);
    EXPECT_EQ(m.Yk[0], 0.0);
    // To within the report's last digit.
    EXPECT_NEAR(m.Xk[12], 146.4, 0.05);
    EXPECT_NEAR(m.Yk[12], 199.9, 0.05);
    EXPECT_NEAR(m.Xp[1], -80.5, 0.05);
    EXPECT_NEAR(m.Yp[1], 126.5, 0.05);
    EXPECT_NEAR(m.Xp[4], -582.2, 0.05);
    EXPECT_NEAR(m.Yp[4], 397.7, 0.05);
    EXPECT_NEAR(m.W, 853.1, 0.05);
    EXPECT_NEAR(m.Hs, 602.7, 0.05);
    EXPECT_TRUE(isFinite(m));
}

TEST(TransitionModel, TheFineDivisionIsWholeStepsOfTwoThousandDivN) {
    for (const auto& [N, step, M] : {std::tuple{2, 1000, 2000}, std::tuple{12, 166, 1992},
                                     std::tuple{401, 4, 1604}, std::tuple{500, 4, 2000}}) {
        TransitionInputs in;
        in.N = N;
        const TransitionModel m = computeTransition(in);
        EXPECT_EQ(m.step, step) << N;
        EXPECT_EQ(m.M, M) << N;
        EXPECT_EQ(m.Xk.size(), static_cast<std::size_t>(4 * (N + 1))) << N;
    }
}

TEST(TransitionModel, ReportedPointsAreEveryStepthFinePoint) {
    // N = 4, 10, 125 and 500 divide 2000 into steps of 4: the same fine triangles, different
    // points reported.
    TransitionInputs in;
    in.N = 500;
    const TransitionModel fine = computeTransition(in);
    for (int N : {4, 10, 125}) {
        in.N = N;
        const TransitionModel coarse = computeTransition(in);
        for (int k = 1; k <= 4; ++k) {
            for (int i = 0; i <= N; ++i) {
                const std::size_t same = fine.pointIndex(k, i * 500 / N);
                EXPECT_EQ(coarse.Xk[coarse.pointIndex(k, i)], fine.Xk[same]) << k << "-" << i;
                EXPECT_EQ(coarse.Yk[coarse.pointIndex(k, i)], fine.Yk[same]) << k << "-" << i;
            }
        }
        for (std::size_t c = 0; c < 5; ++c) {
            EXPECT_EQ(coarse.Xp[c], fine.Xp[c]);
            EXPECT_EQ(coarse.Yp[c], fine.Yp[c]);
        }
    }
}

TEST(TransitionModel, BoundingBoxHoldsEveryPointAndCornerAndTouchesEachSide) {
    const TransitionModel m = computeTransition({});
    std::vector<Point2> all;
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i <= m.inputs.N; ++i) {
            all.push_back(patternPoint(m, k, i));
        }
    }
    for (int c = 0; c <= 4; ++c) {
        all.push_back(patternCorner(m, c));
    }
    bool touches[4] = {};
    for (const Point2& p : all) {
        EXPECT_TRUE(p.x >= m.xmin && p.x <= m.xmax && p.y >= m.ymin && p.y <= m.ymax);
        touches[0] = touches[0] || p.x == m.xmin;
        touches[1] = touches[1] || p.x == m.xmax;
        touches[2] = touches[2] || p.y == m.ymin;
        touches[3] = touches[3] || p.y == m.ymax;
    }
    EXPECT_TRUE(touches[0] && touches[1] && touches[2] && touches[3]);
    // With the defaults corner 5 is the leftmost place and corner 1 the lowest.
    EXPECT_EQ(m.xmin, m.Xp[4]);
    EXPECT_EQ(m.ymin, 0.0);
}

struct Piece {
    const char* what;
    TransitionInputs inputs;
};

class TransitionDevelopment : public ::testing::TestWithParam<Piece> {};

// Folding the sheet back up must give the piece: every line keeps its length in space, the
// fans meet at the shared circle points, the edges are as long as the circle and the
// rectangle, and the sheet has the surface's area.
TEST_P(TransitionDevelopment, LinesKeepTheirTrueLengths) {
    const TransitionInputs& in = GetParam().inputs;
    const TransitionModel m = computeTransition(in);
    ASSERT_TRUE(isFinite(m));
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i <= in.N; ++i) {
            const double trueLength = distance(spaceCorner(in, k), spacePoint(in, k, i));
            EXPECT_NEAR(distance(patternCorner(m, k - 1), patternPoint(m, k, i)), trueLength,
                        1e-9 * trueLength)
                << k << "-" << i;
        }
        // The flat triangle's other side: the next corner to the circle point both fans share.
        const double shared = distance(spaceCorner(in, k % 4 + 1), spacePoint(in, k, in.N));
        EXPECT_NEAR(distance(patternCorner(m, k), patternPoint(m, k, in.N)), shared, 1e-9 * shared);
    }
}

// The drawn circle edge, folded up, is the circle: as long as it, whatever N, but for the
// fine arc that the fans' construction leaves short (the chords at N = 2 would be inches).
TEST_P(TransitionDevelopment, TheDrawnCircleEdgeIsAsLongAsTheCircle) {
    for (const int divisions : {2, 500}) {
        TransitionInputs in = GetParam().inputs;
        in.N = divisions;
        const TransitionModel m = computeTransition(in);
        const std::vector<PatternPoint> drawn =
            test::drawnPointsOf(transitionOutputs(m, "d").pattern, LineRole::EndEdge);
        double length = 0.0;
        for (std::size_t k = 0; k + 2 < drawn.size(); k += 3) {
            length += std::hypot(drawn[k + 2].x - drawn[k].x, drawn[k + 2].y - drawn[k].y);
        }
        EXPECT_NEAR(length, kPi * in.D, kPi * in.D / (4 * m.M)) << divisions;
    }
}

TEST_P(TransitionDevelopment, EachQuarterStartsWhereThePreviousEnded) {
    const TransitionModel m = computeTransition(GetParam().inputs);
    const double scale = m.W + m.Hs;
    for (int k = 2; k <= 4; ++k) {
        EXPECT_LT(distance(patternPoint(m, k, 0), patternPoint(m, k - 1, m.inputs.N)), 1e-9 * scale)
            << k;
    }
}

TEST_P(TransitionDevelopment, TheEdgesAreAsLongAsTheCircleAndTheRectangle) {
    const TransitionInputs& in = GetParam().inputs;
    const TransitionModel m = computeTransition(in);
    const double sides[4] = {in.A, in.B, in.A, in.B};
    double straight = 0.0;
    for (int c = 0; c < 4; ++c) {
        const double side = distance(patternCorner(m, c), patternCorner(m, c + 1));
        EXPECT_NEAR(side, sides[c], 1e-9 * sides[c]) << c;
        straight += side;
    }
    EXPECT_NEAR(straight, 2 * (in.A + in.B), 1e-9 * (in.A + in.B));

    double curved = 0.0;
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i < in.N; ++i) {
            curved += distance(patternPoint(m, k, i), patternPoint(m, k, i + 1));
        }
    }
    // Each fan lays a point before turning by its own thin triangle, so the curve falls short
    // of π·D by up to one fine arc; the chords between reported points take a little more.
    const double fineArc = kPi * in.D / (4 * m.M);
    EXPECT_NEAR(curved, kPi * in.D, 1.5 * fineArc);
    EXPECT_LE(curved, kPi * in.D);
}

TEST_P(TransitionDevelopment, TheSheetHasTheAreaOfTheSurface) {
    const TransitionInputs& in = GetParam().inputs;
    const TransitionModel m = computeTransition(in);
    // The one thin triangle the late turn leaves out at the seam, with a margin for the chords.
    const double seamLine = distance(spaceCorner(in, 1), circleAt(in, 0));
    const double thinTriangle = 0.5 * seamLine * kPi * in.D / (4 * m.M);
    EXPECT_NEAR(outlineArea(m), surfaceArea(in), 1.5 * thinTriangle);
}

TEST_P(TransitionDevelopment, TheTwoSeamEdgesAreOneLine) {
    const TransitionModel m = computeTransition(GetParam().inputs);
    const double first = distance(patternCorner(m, 0), patternPoint(m, 1, 0));
    EXPECT_NEAR(distance(patternCorner(m, 4), patternPoint(m, 4, m.inputs.N)), first, 1e-9 * first);
}

TransitionInputs piece(double A, double PA, double B, double PB, double D, double H) {
    return {A, PA, B, PB, D, H, 500};
}

INSTANTIATE_TEST_SUITE_P(
    Table, TransitionDevelopment,
    ::testing::Values(Piece{"defaults", piece(150, 15, 220, 20, 300, 230)},
                      Piece{"centred_square", piece(300, 0, 300, 0, 300, 300)},
                      Piece{"negative_offsets", piece(150, -40, 220, -35.5, 300, 230)},
                      Piece{"overhanging", piece(150, 250, 220, -60, 300, 230)},
                      Piece{"far_off_low", piece(100, -400, 100, -300, 300, 60)},
                      Piece{"low_and_wide", piece(500, 0, 400, 0, 250, 80)},
                      Piece{"small_circle_tall", piece(600, 30, 200, 0, 80, 900)}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(TransitionModel, TheDefaultsFanTheSameWayAtEveryN) {
    // The number of reported points changes the fine division a little, never the shape.
    const TransitionModel coarse = computeTransition(with([](TransitionInputs& in) { in.N = 12; }));
    const TransitionModel fine = computeTransition(with([](TransitionInputs& in) { in.N = 500; }));
    for (std::size_t c = 0; c < 5; ++c) {
        EXPECT_NEAR(coarse.Xp[c], fine.Xp[c], 0.01) << c;
        EXPECT_NEAR(coarse.Yp[c], fine.Yp[c], 0.01) << c;
    }
}

TEST(TransitionModel, AFlatPieceDevelopsIntoItself) {
    // H = 0 with the rectangle round the circle: a flat plate with a round hole. The pattern
    // is the plate moved: corners and circle points keep their distances in the plane, to
    // within the fine triangle each fan turns late by. In the second plate the circle touches
    // the long sides, so two flat triangles have a straight angle at the circle.
    for (const TransitionInputs& in : {TransitionInputs{400, 10, 360, -5, 300, 0, 500},
                                       TransitionInputs{400, 0, 300, 0, 300, 0, 500}}) {
        SCOPED_TRACE(in.B);
        const TransitionModel m = computeTransition(in);
        ASSERT_TRUE(isFinite(m));
        const double fineArc = kPi * in.D / (4 * m.M);
        const double diagonal = std::hypot(in.A, in.B);
        EXPECT_NEAR(distance(patternCorner(m, 0), patternCorner(m, 2)), diagonal, fineArc);
        EXPECT_NEAR(distance(patternCorner(m, 1), patternCorner(m, 3)), diagonal, fineArc);
        EXPECT_NEAR(distance(patternCorner(m, 0), patternCorner(m, 4)), 0.0, fineArc);
        // Opposite circle points lie a diameter apart.
        EXPECT_NEAR(distance(patternPoint(m, 1, 0), patternPoint(m, 3, 0)), in.D, fineArc);
        EXPECT_NEAR(distance(patternPoint(m, 2, 0), patternPoint(m, 4, 0)), in.D, fineArc);
    }
}

TEST(TransitionModel, ShortestLineIsTheCornerNearestTheCircle) {
    // Corner 2, at (-60, 130), is nearest the circle, and its own quarter passes it (within a
    // fine part of the nearest place).
    EXPECT_NEAR(computeTransition({}).shortestLine,
                std::sqrt(std::pow(150 - std::hypot(60.0, 130.0), 2) + 230.0 * 230.0), 1e-5);
    // A corner on the circle in the circle's plane: a line of no length.
    EXPECT_EQ(computeTransition({150, 75, 220, -110, 300, 0, 12}).shortestLine, 0.0);
}

TEST(TransitionModel, TriangleAngleIsTheAngleBetweenTheFirstTwoSides) {
    EXPECT_NEAR(triangleAngle(4, 5, 3), std::atan(3.0 / 4.0), 1e-15);
    EXPECT_NEAR(triangleAngle(5, 4, 3), std::atan(3.0 / 4.0), 1e-15);
    EXPECT_NEAR(triangleAngle(1, 1, std::sqrt(3.0)), 2 * kPi / 3, 1e-15);
    // A right angle between p and q: q − t is 0, and the angle is still π/2.
    EXPECT_NEAR(triangleAngle(3, 4, 5), kPi / 2, 1e-15);
    EXPECT_NEAR(triangleAngle(4, 3, 5), kPi / 2, 1e-15);
    // Flat triangles: p and q along one line (0) or in opposite directions (π), as where the
    // circle touches a side of the rectangle in its own plane.
    EXPECT_EQ(triangleAngle(3, 1, 2), 0.0);
    EXPECT_EQ(triangleAngle(1, 2, 3), kPi);
}

TEST(TransitionValidation, MessagesInOrder) {
    using Messages = std::vector<std::string>;
    EXPECT_EQ(validateTransition({}), Messages{});
    EXPECT_EQ(validateTransition(with([](TransitionInputs& in) { in.N = 1; })),
              Messages{"Blad danych : N < 2"});
    EXPECT_EQ(validateTransition(with([](TransitionInputs& in) { in.N = 2; })), Messages{});
    EXPECT_EQ(validateTransition(with([](TransitionInputs& in) { in.N = 500; })), Messages{});
    EXPECT_EQ(validateTransition(with([](TransitionInputs& in) { in.N = 501; })),
              Messages{"Blad danych : N > 2000"});
    // Four times the largest integer is no overflow.
    EXPECT_EQ(validateTransition(with([](TransitionInputs& in) { in.N = 2147483647; })),
              Messages{"Blad danych : N > 2000"});
    EXPECT_EQ(validateTransition(with([](TransitionInputs& in) {
                  in.N = 0;
                  in.A = -1;
                  in.B = -2;
                  in.D = -3;
                  in.H = -4;
                  in.PA = -5;
                  in.PB = -6;
              })),
              (Messages{"Blad danych : N < 2", "Blad danych : A < 0", "Blad danych : B < 0",
                        "Blad danych : D < 0", "Blad danych : H < 0"}));
    // Zero sides, diameter and height pass the checks; the construction refuses the first three.
    EXPECT_EQ(validateTransition({0, 0, 0, 0, 0, 0, 12}), Messages{});
}

} // namespace
} // namespace blachorys::core
