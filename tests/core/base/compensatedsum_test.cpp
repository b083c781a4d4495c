#include "common/core/base/compensatedsum.h"

#include <gtest/gtest.h>

#include <cmath>

namespace blachorys::core {
namespace {

TEST(CompensatedSum, KeepsWhatAPlainSumRoundsAway) {
    // 1 + 1e100 + 1 − 1e100 is 2; a plain sum loses both ones to the large number.
    CompensatedSum sum;
    for (const double value : {1.0, 1e100, 1.0, -1e100}) {
        sum.add(value);
    }
    EXPECT_EQ(sum.value(), 2.0);
}

TEST(CompensatedSum, ManySmallAnglesAddUpToTheirProduct) {
    // A fan's angles: 8000 of 1e-4 rad; a plain running sum drifts by hundreds of ulp.
    constexpr int kCount = 8000;
    constexpr double kAngle = 1.2345678901234567e-4;
    CompensatedSum sum;
    double plain = 0.0;
    for (int i = 0; i < kCount; ++i) {
        sum.add(kAngle);
        plain += kAngle;
    }
    const long double exact = static_cast<long double>(kAngle) * kCount;
    EXPECT_LE(std::fabs(static_cast<long double>(sum.value()) - exact), 1e-16L * exact);
    EXPECT_GT(std::fabs(static_cast<long double>(plain) - exact), 1e-14L * exact);
}

TEST(CompensatedSum, StartsAtZero) {
    EXPECT_EQ(CompensatedSum{}.value(), 0.0);
}

} // namespace
} // namespace blachorys::core
