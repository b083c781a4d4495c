#include "common/core/geometry/fittingsearch.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/** Samples round the turn before each extreme is refined between its neighbours. */
constexpr int kSamples = 256;
constexpr int kRefinements = 32;
constexpr int kSearchSteps = 80;

/**
 * The extreme of z near the sample at θ, by golden section between its neighbours; `sign`
 * 1 seeks the least z, −1 the greatest.
 */
double refined(const CurveValue& zAt, double theta, double sampled, double sign) {
    constexpr double kGolden = 0.6180339887498949;
    const double step = 2 * kPi / kSamples;
    double a = theta - step;
    double b = theta + step;
    double best = sampled;
    for (int k = 0; k < kRefinements; ++k) {
        const double c = b - kGolden * (b - a);
        const double d = a + kGolden * (b - a);
        const std::optional<double> zc = zAt(c);
        const std::optional<double> zd = zAt(d);
        if (!zc || !zd) {
            break;
        }
        best = sign > 0 ? std::min({best, *zc, *zd}) : std::max({best, *zc, *zd});
        if (sign * *zc < sign * *zd) {
            b = d;
        } else {
            a = c;
        }
    }
    return best;
}

} // namespace

std::optional<double> endOfFitting(const CurveValue& f, double start, bool fitsAbove) {
    const auto fits = [fitsAbove](std::optional<double> v) {
        return v && (fitsAbove ? *v >= 0 : *v <= 0);
    };
    const std::optional<double> fStart = f(start);
    if (!fStart) {
        return std::nullopt;
    }
    if (*fStart == 0) {
        return start;
    }
    double a = start;
    double fa = *fStart;
    std::optional<double> b;
    std::optional<double> fb;
    double step = -fa;
    for (int k = 0; k < kSearchSteps && !b; ++k) {
        const double trial = a + step;
        const std::optional<double> ft = f(trial);
        if (fits(ft) != fits(fa)) {
            b = trial;
            fb = ft;
        } else if (!ft) {
            step /= 2; // the pipe misses the cone there, not fitting either: come back nearer
        } else {
            const double slope = (*ft - fa) / (trial - a);
            a = trial;
            fa = *ft;
            if (fa == 0) {
                return a;
            }
            // Overshoot the secant's root a little, so that the next step crosses it.
            step = slope > 0 && std::isfinite(slope) ? -1.25 * fa / slope : 2 * step;
        }
    }
    if (!b) {
        return std::nullopt;
    }
    // a and b straddle the end; fa is a number, fb may be nothing.
    int kept = 0;
    for (int k = 0; k < kSearchSteps; ++k) {
        if (std::fabs(*b - a) <= 1e-9 * (1 + std::fabs(a) + std::fabs(*b))) {
            break;
        }
        double c = fb ? (a * *fb - *b * fa) / (*fb - fa) : (a + *b) / 2;
        if (!std::isfinite(c) || !(std::min(a, *b) < c && c < std::max(a, *b))) {
            c = (a + *b) / 2;
        }
        const std::optional<double> fc = f(c);
        if (fc && fits(fc) == fits(fa)) {
            a = c;
            fa = *fc;
            if (kept == -1 && fb) {
                *fb /= 2;
            }
            kept = -1;
        } else {
            b = c;
            fb = fc;
            if (kept == 1) {
                fa /= 2;
            }
            kept = 1;
        }
    }
    return fits(fa) ? a : *b;
}

std::optional<TurnExtremes> extremesRoundATurn(const CurveValue& zAt) {
    std::vector<double> z;
    z.reserve(kSamples);
    for (int i = 0; i < kSamples; ++i) {
        const std::optional<double> at = zAt(2 * kPi * i / kSamples);
        if (!at) {
            return std::nullopt;
        }
        z.push_back(*at);
    }
    const auto [low, high] = std::minmax_element(z.begin(), z.end());
    const auto thetaOf = [&z](auto at) {
        return 2 * kPi * static_cast<double>(at - z.begin()) / kSamples;
    };
    return TurnExtremes{refined(zAt, thetaOf(low), *low, 1),
                        refined(zAt, thetaOf(high), *high, -1)};
}

} // namespace blachorys::core
