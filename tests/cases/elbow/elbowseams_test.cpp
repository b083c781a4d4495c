#include "cases/elbow/elbowcase.h"
#include "common/core/view3d/jointfit.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRk = 800.0;

struct Rolled {
    Pattern pattern;
    JointView view;
};

Rolled rolled(test::FieldChanges changes) {
    const auto result =
        elbowCalculator().calculate(test::changedTexts(elbowCalculator(), changes), 0, "d");
    EXPECT_TRUE(result.outputs && result.outputs->view);
    return {result.outputs->pattern, result.outputs->view()};
}

/** The piece whose outline is the segment's. */
int pieceOf(const Pattern& pattern, const DevelopedPart& part) {
    for (std::size_t p = 0; p < pattern.pieces.size(); ++p) {
        if (pattern.pieces[p].outline == static_cast<int>(part.contours.front())) {
            return static_cast<int>(p);
        }
    }
    return -1;
}

/** The angle of p round segment `segment`'s axis, from the inner side of the bend. */
double angleRound(Point3 p, int segment, double turn) {
    const double c = segment * turn;
    const Point3 outwards{std::cos(c), 0.0, std::sin(c)};
    const Point3 d = p - kRk * outwards;
    const double angle = std::atan2(d.y, -dot(d, outwards));
    return angle < 0.0 ? angle + 2 * kPi : angle;
}

struct SeamCase {
    const char* name;
    test::FieldChanges unturned;
    test::FieldChanges turned;
    double seamDegrees;
    bool alternate;
    int Ns;
};

// Rolled up, an elbow whose seams are turned is the same elbow: every reported point lands
// where it lands with the seams on the inner side, every point of every cut lies in its mitre
// plane, and each segment's pattern starts at the angle asked (half a turn on from its
// neighbour's when the seams alternate).
TEST(ElbowSeams, TurnedSeamsRollUpIntoTheSameElbowWithEachSeamWhereAsked) {
    const SeamCase cases[] = {
        {"on a point", {}, {{"szew", "90"}}, 90.0, false, 6},
        {"between points, alternating",
         {},
         {{"szew", "97.5"}, {"seams", "alternate"}},
         97.5,
         true,
         6},
        {"on the inner side, alternating, odd count",
         {{"Ns", "5"}},
         {{"Ns", "5"}, {"seams", "alternate"}},
         0.0,
         true,
         5},
        {"walled, from a pipe, three segments",
         {{"t", "12"}, {"made", "pipe"}, {"Ns", "3"}},
         {{"t", "12"}, {"made", "pipe"}, {"Ns", "3"}, {"szew", "-160"}},
         200.0,
         false,
         3},
    };
    for (const SeamCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Rolled before = rolled(c.unturned);
        const Rolled after = rolled(c.turned);
        ASSERT_EQ(after.view.developed.size(), static_cast<std::size_t>(c.Ns));
        const double turn = 90.0 * kPi / 180 / (c.Ns - 1);
        for (int k = 0; k < c.Ns; ++k) {
            SCOPED_TRACE(k);
            const DevelopedPart& was = before.view.developed[static_cast<std::size_t>(k)];
            const DevelopedPart& is = after.view.developed[static_cast<std::size_t>(k)];
            const int wasPiece = pieceOf(before.pattern, was);
            const int isPiece = pieceOf(after.pattern, is);
            ASSERT_GE(isPiece, 0);
            double farthest = 0.0;
            int compared = 0;
            for (const PointMark& mark : after.pattern.points) {
                if (mark.piece != isPiece) {
                    continue;
                }
                const Point3 p = is.measuredOn({mark.x, mark.y});
                double nearest = INFINITY;
                for (const PointMark& old : before.pattern.points) {
                    if (old.piece == wasPiece && old.text == mark.text) {
                        const Point3 d = p - was.measuredOn({old.x, old.y});
                        nearest = std::min(nearest, std::sqrt(dot(d, d)));
                    }
                }
                farthest = std::max(farthest, nearest);
                ++compared;
            }
            EXPECT_GT(compared, 24);
            EXPECT_LT(farthest, 1e-6);

            const Contour& outline = after.pattern.contours[is.contours.front()];
            double offMitre = 0.0;
            double start = INFINITY;
            Point3 seam;
            for (std::size_t i = 0; i < outline.points.size(); ++i) {
                const Point3 p = is.measuredOn(outline.points[i]);
                if (outline.roles[i] == LineRole::CutCurve) {
                    const double middle = k * turn;
                    double off = INFINITY;
                    for (const double side : {-0.5, 0.5}) {
                        const double mitre = middle + side * turn;
                        off = std::min(
                            off, std::fabs(dot(p, Point3{-std::sin(mitre), 0.0, std::cos(mitre)})));
                    }
                    offMitre = std::max(offMitre, off);
                }
                if (outline.points[i].x < start) {
                    start = outline.points[i].x;
                    seam = p;
                }
            }
            EXPECT_LT(offMitre, 1e-6);
            const double asked =
                std::fmod(c.seamDegrees + (c.alternate && k % 2 == 1 ? 180.0 : 0.0), 360.0) * kPi /
                180;
            const double apart = std::fabs(angleRound(seam, k, turn) - asked);
            EXPECT_LT(std::min(apart, 2 * kPi - apart), 1e-9);
        }
        EXPECT_LT(measureFit(after.pattern, after.view).largestGap, 0.05);
    }
}

} // namespace
} // namespace blachorys::core
