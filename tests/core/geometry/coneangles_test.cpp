#include "common/core/geometry/coneangles.h"

#include "common/core/geometry/conefan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace blachorys::core {
namespace {

std::vector<double> anglesOver(double from, double span, int count) {
    std::vector<double> phis;
    for (int i = 0; i < count; ++i) {
        phis.push_back(from + span * i / (count - 1));
    }
    return phis;
}

/** The developed angle of a point's own fan, in its section at height z. */
double ownFan(const ConeMantle& cone, double z, double phi) {
    const double R = cone.radiusAt(z);
    return fanSum({z, R, cone.centreAt(z), phi, R * phi / kPointSteps, kPointSteps}).angle;
}

struct Settling {
    ConeMantle cone;
    double from, span;
    std::size_t mostFans;
    bool settles;
};

const std::vector<Settling> kSettlings{
    {{600, 800, 1000, 100}, 0.3, 0.8, 33, true},    // a hole's range, at the first doubling
    {{600, 800, 1000, 100}, 0.3, 0.8, 32, false},   // too few fans for two interpolations
    {{900, 500, 700, -60}, 0.04, 6.2, 65, true},    // opening towards the small end
    {{200, 1200, 150, 480}, 0.04, 6.2, 513, true},  // generators near the apex: many fans
    {{200, 1200, 150, 480}, 0.04, 6.2, 257, false}, // ... more than allowed
    {{0, 3000, 10, 1500}, 0.04, 6.2, 2000, false},  // one generator all but through the apex
};

TEST(InterpolatedPointAngles, EachAngleIsThatOfThePointsOwnFanAtAnyHeight) {
    for (const Settling& s : kSettlings) {
        const std::vector<double> phis = anglesOver(s.from, s.span, 2001);
        const auto angles = interpolatedPointAngles(s.cone, phis, s.mostFans);
        ASSERT_EQ(angles.has_value(), s.settles) << s.cone.Dsd << ' ' << s.mostFans;
        if (!angles) {
            continue;
        }
        for (std::size_t i = 0; i < phis.size(); i += 50) {
            const double z = s.cone.Zm() + s.cone.Hs * static_cast<double>(1 + i % 6) / 6;
            EXPECT_NEAR((*angles)[i], ownFan(s.cone, z, phis[i]), 1e-12)
                << s.cone.Dsd << " phi " << phis[i] << " z " << z;
        }
    }
}

TEST(InterpolatedPointAngles, NoRangeOfAnglesGivesNothing) {
    const ConeMantle cone;
    EXPECT_FALSE(interpolatedPointAngles(cone, {}, 1000));
    EXPECT_FALSE(interpolatedPointAngles(cone, std::vector<double>(100, 0.7), 1000));
    EXPECT_FALSE(interpolatedPointAngles(cone, std::vector<double>{0.1, NAN, 0.5}, 1000));
}

} // namespace
} // namespace blachorys::core
