#include "common/core/geometry/fittingsearch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

// Functions whose ends of fitting are known: rising faster or slower than x, with a stretch
// where there is no value (the pipe missing the cone), from either side of the end.
TEST(EndOfFitting, FindsTheKnownEndFromEitherSide) {
    struct Row {
        const char* what;
        CurveValue f;
        double start;
        bool fitsAbove;
        double end;
    };
    const auto cubic = [](double x) -> std::optional<double> { return x * x * x + x - 2; };
    const auto slow = [](double x) -> std::optional<double> { return 0.01 * (x - 300); };
    // Nothing below 40: the end of the values that fit is where the values begin.
    const auto missing = [](double x) -> std::optional<double> {
        return x < 40 ? std::nullopt : std::optional(x);
    };
    const Row rows[] = {
        {"cubic from above", cubic, 5.0, true, 1.0},
        {"cubic from below", cubic, -3.0, true, 1.0},
        {"cubic, fitting below", cubic, 5.0, false, 1.0},
        {"a slow rise from far off", slow, -2000.0, true, 300.0},
        {"values that stop", missing, 900.0, true, 40.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::optional<double> end = endOfFitting(row.f, row.start, row.fitsAbove);
        ASSERT_TRUE(end.has_value());
        EXPECT_NEAR(*end, row.end, 1e-6);
        const std::optional<double> there = row.f(*end);
        ASSERT_TRUE(there.has_value()) << "the end returned fits";
        EXPECT_TRUE(row.fitsAbove ? *there >= 0 : *there <= 0);
    }
    // Nothing to find: a function that never changes sign.
    EXPECT_FALSE(
        endOfFitting([](double x) -> std::optional<double> { return std::exp(x); }, 0.0, false));
}

// A sinusoid round the turn whose extremes fall between the samples: they are refined, not
// only sampled (256 samples alone miss them by some 2e-3).
TEST(ExtremesRoundATurn, AreTheCurvesOwnAndNothingWhereItMisses) {
    const auto wave = [](double t) -> std::optional<double> {
        return 100 + 30 * std::cos(t - 1.234);
    };
    const std::optional<TurnExtremes> e = extremesRoundATurn(wave);
    ASSERT_TRUE(e.has_value());
    EXPECT_NEAR(e->least, 70.0, 1e-6);
    EXPECT_NEAR(e->greatest, 130.0, 1e-6);
    EXPECT_FALSE(extremesRoundATurn([](double t) -> std::optional<double> {
        return t > kPi ? std::nullopt : std::optional(t);
    }));
}

} // namespace
} // namespace blachorys::core
