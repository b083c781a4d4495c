#include "common/core/geometry/curvesampling.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace blachorys::core {
namespace {

/** Pieces a whole curve starts in at least, however few its reported points. */
constexpr std::size_t kLeastStartingPieces = 512;
/** Halvings of a starting piece at most: a cusp is not chased below a thousandth of it. */
constexpr int kMostHalvings = 10;
/**
 * Points of one curve at most: a million-millimetre pattern is drawn to the same share of its
 * size as a metre-long one, not to a hundredth of a millimetre.
 */
constexpr std::size_t kMostPoints = 200000;
/** Share of the curve's size below which a chord's distance is rounding. */
constexpr double kRelativeTolerance = 1e-9;

struct Sampler {
    const CurveAt& at;
    double tolerance;
    SampledCurve curve;
    bool failed = false;

    std::optional<PatternPoint> point(double t) {
        std::optional<PatternPoint> p = at(t);
        if (!p || !std::isfinite(p->x) || !std::isfinite(p->y)) {
            failed = true;
            return std::nullopt;
        }
        return p;
    }

    /** Adds the points after `a` up to and including `b`. */
    void piece(double ta, PatternPoint a, double tb, PatternPoint b, int depth) {
        const double tm = 0.5 * (ta + tb);
        const auto quarter = point(0.75 * ta + 0.25 * tb);
        const auto middle = point(tm);
        const auto threeQuarters = point(0.25 * ta + 0.75 * tb);
        if (failed) {
            return;
        }
        const double off =
            std::max({distanceToSegment(*quarter, a, b), distanceToSegment(*middle, a, b),
                      distanceToSegment(*threeQuarters, a, b)});
        if (off <= tolerance || depth >= kMostHalvings || curve.points.size() >= kMostPoints) {
            curve.points.push_back(b);
            curve.parameters.push_back(tb);
            return;
        }
        piece(ta, a, tm, *middle, depth + 1);
        if (!failed) {
            piece(tm, *middle, tb, b, depth + 1);
        }
    }
};

/** From the point of the segment `a`–`b` nearest to `p`, to `p`. */
PatternPoint offsetFromSegment(PatternPoint p, PatternPoint a, PatternPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0) {
        t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    }
    return {p.x - (a.x + t * dx), p.y - (a.y + t * dy)};
}

} // namespace

double squaredDistanceToSegment(PatternPoint p, PatternPoint a, PatternPoint b) {
    const PatternPoint e = offsetFromSegment(p, a, b);
    return e.x * e.x + e.y * e.y;
}

double distanceToSegment(PatternPoint p, PatternPoint a, PatternPoint b) {
    const PatternPoint e = offsetFromSegment(p, a, b);
    return std::hypot(e.x, e.y);
}

std::optional<std::vector<PatternPoint>> sampleCurve(const CurveAt& at,
                                                     const std::vector<double>& parameters,
                                                     const std::vector<PatternPoint>& knots,
                                                     double tolerance) {
    std::optional<SampledCurve> sampled =
        sampleCurveWithParameters(at, parameters, knots, tolerance);
    if (!sampled) {
        return std::nullopt;
    }
    return std::move(sampled->points);
}

std::optional<SampledCurve> sampleCurveWithParameters(const CurveAt& at,
                                                      const std::vector<double>& parameters,
                                                      const std::vector<PatternPoint>& knots,
                                                      double tolerance) {
    if (knots.empty() || knots.size() != parameters.size()) {
        return std::nullopt;
    }
    double size = 0.0;
    for (const PatternPoint p : knots) {
        size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
    }
    Sampler sampler{at,
                    std::max(tolerance, kRelativeTolerance * size),
                    {{knots.front()}, {parameters.front()}}};
    const std::size_t intervals = knots.size() - 1;
    const std::size_t split = std::max<std::size_t>(2, (kLeastStartingPieces + intervals - 1) /
                                                           std::max<std::size_t>(1, intervals));
    for (std::size_t i = 0; i < intervals && !sampler.failed; ++i) {
        const double t0 = parameters[i];
        const double t1 = parameters[i + 1];
        double ta = t0;
        PatternPoint a = knots[i];
        for (std::size_t k = 1; k <= split && !sampler.failed; ++k) {
            const double tb =
                k == split ? t1
                           : t0 + (t1 - t0) * static_cast<double>(k) / static_cast<double>(split);
            const std::optional<PatternPoint> b =
                k == split ? std::optional<PatternPoint>(knots[i + 1]) : sampler.point(tb);
            if (!b) {
                break;
            }
            sampler.piece(ta, a, tb, *b, 0);
            ta = tb;
            a = *b;
        }
    }
    if (sampler.failed) {
        return std::nullopt;
    }
    return std::move(sampler.curve);
}

std::vector<PatternPoint> thinnedCurve(const std::vector<PatternPoint>& points,
                                       const std::vector<bool>& kept, double tolerance) {
    if (points.size() <= 2) {
        return points;
    }
    // Douglas and Peucker's halving, run by run between the points that must stay: a run's
    // chord stands if no point of the run strays from it, else the farthest one stays too.
    std::vector<bool> stays(kept);
    stays.front() = stays.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t from = 0, k = 1; k < points.size(); ++k) {
        if (stays[k]) {
            runs.push_back({from, k});
            from = k;
        }
    }
    while (!runs.empty()) {
        const auto [from, to] = runs.back();
        runs.pop_back();
        double farthest = tolerance * tolerance;
        std::size_t split = from;
        for (std::size_t k = from + 1; k < to; ++k) {
            const double off = squaredDistanceToSegment(points[k], points[from], points[to]);
            if (off > farthest) {
                farthest = off;
                split = k;
            }
        }
        if (split != from) {
            stays[split] = true;
            runs.push_back({from, split});
            runs.push_back({split, to});
        }
    }
    std::vector<PatternPoint> thinned;
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (stays[k]) {
            thinned.push_back(points[k]);
        }
    }
    return thinned;
}

} // namespace blachorys::core
