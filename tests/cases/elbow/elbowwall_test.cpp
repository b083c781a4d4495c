// An elbow with a wall: the strips as the template and the CNC DXF draw them, rolled back onto
// the surface they are developed on (the mean one rolled from plate, the outside cut from a
// pipe), are cut by the mitre planes Rk and BETA fix, whatever the thickness and meaning.
#include "cases/elbow/elbowmodel.h"
#include "cases/elbow/elbowoutputs.h"
#include "common/core/geometry/curvesampling.h"
#include "support/drawncut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(ElbowWall, TheStripsAreCutByTheMitrePlanesOnTheSurfaceTheyAreDevelopedOn) {
    for (const double t : {0.0, 5.0, 12.0}) {
        for (const WallSurface typed :
             {WallSurface::Outside, WallSurface::Inside, WallSurface::Mean}) {
            for (const PartMaking made : {PartMaking::RolledFromPlate, PartMaking::CutFromPipe}) {
                ElbowInputs in{300, 450, 75, 5, 36};
                in.t = t;
                in.diameter = typed;
                in.made = made;
                SCOPED_TRACE("t " + std::to_string(t) + " meaning " + std::to_string(int(typed)) +
                             " made " + std::to_string(int(made)));
                // The radius of the surface developed: Dr's face moved to the mean or the outside.
                const double typedToInside = typed == WallSurface::Outside ? t
                                             : typed == WallSurface::Mean  ? t / 2
                                                                           : 0.0;
                const double r =
                    in.Dr / 2 - typedToInside + (made == PartMaking::RolledFromPlate ? t / 2 : t);
                const ElbowModel m = computeElbow(in);
                const double slope = std::tan(in.BETA / (2.0 * (in.Ns - 1)) * kPi / 180);
                const Pattern pattern = elbowOutputs(m, "d").pattern;
                double worst = 0.0, widest = 0.0;
                for (const PatternPoint p : test::drawnPointsOf(pattern, LineRole::CutCurve)) {
                    if (p.y > m.hmax * (1 + 1e-9)) {
                        continue; // B's cuts, the same curve about its centre line
                    }
                    // Round the pipe from the inner side of the bend; the plane holds the axis
                    // the elbow bends about, Rk from the pipe's.
                    const double x = r * std::cos(p.x / r);
                    worst = std::max(worst,
                                     std::fabs(p.y - slope * (in.Rk - x)) / std::hypot(1.0, slope));
                    widest = std::max(widest, p.x);
                }
                EXPECT_LE(worst, kCutAllowance);
                EXPECT_NEAR(widest, 2 * kPi * r, 1e-6);
            }
        }
    }
}

TEST(ElbowWall, AWallThatLeavesThePipeNoInsideIsRefused) {
    const auto withWall = [](double t, WallSurface typed) {
        ElbowInputs in;
        in.t = t;
        in.diameter = typed;
        return validateElbow(in);
    };
    EXPECT_EQ(withWall(150, WallSurface::Outside),
              std::vector<std::string>{"Blad danych : t zbyt duze dla Dr - brak wnetrza rury"});
    EXPECT_TRUE(withWall(149, WallSurface::Outside).empty());
    EXPECT_EQ(withWall(300, WallSurface::Mean).size(), 1u);
    EXPECT_TRUE(withWall(300, WallSurface::Inside).empty());
}

} // namespace
} // namespace blachorys::core
