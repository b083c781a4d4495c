#include "common/core/walls/wallhole.h"

#include "common/core/geometry/curvesampling.h"
#include "common/core/geometry/nearestsegment.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace blachorys::core {
namespace {

/**
 * A layer between two sampled ones is added where its region stands out of the union so far
 * by more than this, mm: the union then lies within it of the union over every depth.
 */
constexpr double kLayerStandsOut = kCutLineTolerance / 2;
/** Layers between the faces at most, and the finest share of the wall between two of them. */
constexpr std::size_t kMostLayers = 65;
constexpr double kFinestShare = 1.0 / 1024;
/**
 * Pieces the union of the layers' regions may fall in, holes in it counted, while it is still
 * worth refining: the curves of a hole overlap in one region, and curves that fall in more
 * are not a hole's (a cone so slender that its curves are rounding), whose union would only
 * cost time.
 */
constexpr std::size_t kMostPieces = 16;
/** The grown outline's round corners keep within this of the true arc, mm. */
constexpr double kArcTolerance = kCutLineTolerance / 10;

/** The layer at `depth` sampled as finely as a cut line, through its points at the angles. */
std::optional<SampledLayer> sampled(const LayerCurve& layer, double depth,
                                    const std::vector<double>& angles) {
    std::vector<PatternPoint> knots;
    knots.reserve(angles.size());
    for (const double angle : angles) {
        const std::optional<PatternPoint> p = layer(depth, angle);
        if (!p) {
            return std::nullopt;
        }
        knots.push_back(*p);
    }
    auto curve =
        sampleCurveWithParameters([&](double angle) { return layer(depth, angle); }, angles, knots);
    if (!curve) {
        return std::nullopt;
    }
    return SampledLayer{depth, std::move(curve->parameters), std::move(curve->points)};
}

/** The layer's curve as a ring: once round, its last point (the first again) left off. */
Ring ringOf(const SampledLayer& layer) {
    Ring ring = layer.points;
    if (ring.size() > 1) {
        ring.pop_back();
    }
    return ring;
}

/**
 * How far the ring's region stands out of the union at most, mm: each piece outside it is a
 * sliver, whose greatest width is about three times its area over its length round.
 */
double standsOut(const Ring& ring, const std::vector<Ring>& united) {
    const std::optional<std::vector<Ring>> outside = differenceOf({ring}, united);
    if (!outside) {
        return std::numeric_limits<double>::infinity();
    }
    double widest = 0.0;
    for (const Ring& piece : *outside) {
        const double length = ringLength(piece);
        if (length > 0) {
            widest = std::max(widest, 3 * std::fabs(ringArea(piece)) / length);
        }
    }
    return widest;
}

/** The one outer ring of a region, when it has one. */
std::optional<Ring> outerRing(const std::vector<Ring>& rings) {
    const auto outer =
        std::max_element(rings.begin(), rings.end(),
                         [](const Ring& a, const Ring& b) { return ringArea(a) < ringArea(b); });
    if (outer == rings.end() || !(ringArea(*outer) > 0)) {
        return std::nullopt;
    }
    // A second piece of the region of any size would be a second hole.
    for (const Ring& ring : rings) {
        if (&ring != &*outer && ringArea(ring) > 0 && ringArea(ring) > 1e-6 * ringArea(*outer)) {
            return std::nullopt;
        }
    }
    return *outer;
}

/** The points of each layer at the table's angles, which its samples pass through. */
std::vector<std::vector<PatternPoint>> pointsAtTheAngles(const std::vector<SampledLayer>& layers,
                                                         const std::vector<double>& angles) {
    std::vector<std::vector<PatternPoint>> at(angles.size());
    for (const SampledLayer& layer : layers) {
        std::size_t k = 0;
        for (std::size_t i = 0; i < angles.size(); ++i) {
            while (k + 1 < layer.angles.size() && layer.angles[k] != angles[i]) {
                ++k;
            }
            at[i].push_back(layer.points[k]);
        }
    }
    return at;
}

} // namespace

WallHoleResult holeThroughWall(const LayerCurve& layer, double inside, double outside,
                               const std::vector<double>& angles) {
    const auto depthAt = [&](double share) { return inside + share * (outside - inside); };
    // Layers by their share of the wall from the inside face, kept in that order.
    std::vector<std::pair<double, SampledLayer>> layers;
    for (const double share : {0.0, 1.0}) {
        std::optional<SampledLayer> face = sampled(layer, depthAt(share), angles);
        if (!face) {
            return {std::nullopt, WallHoleFault::MissesALayer};
        }
        layers.emplace_back(share, std::move(*face));
    }
    std::optional<std::vector<Ring>> united =
        unionOf({ringOf(layers[0].second), ringOf(layers[1].second)});
    const auto fragmented = [&united] { return united && united->size() > kMostPieces; };
    std::vector<std::pair<double, double>> between{{0.0, 1.0}};
    while (united && !fragmented() && !between.empty() && layers.size() < kMostLayers) {
        const auto [low, high] = between.back();
        between.pop_back();
        if (high - low < kFinestShare) {
            continue;
        }
        const double middle = (low + high) / 2;
        std::optional<SampledLayer> next = sampled(layer, depthAt(middle), angles);
        if (!next) {
            return {std::nullopt, WallHoleFault::MissesALayer};
        }
        const Ring ring = ringOf(*next);
        if (standsOut(ring, *united) <= kLayerStandsOut) {
            continue;
        }
        std::vector<Ring> more = *united;
        more.push_back(ring);
        united = unionOf(more);
        layers.emplace_back(middle, std::move(*next));
        between.push_back({low, middle});
        between.push_back({middle, high});
    }
    const std::optional<Ring> outer = united && !fragmented() ? outerRing(*united) : std::nullopt;
    const std::optional<std::vector<Ring>> grown =
        outer ? grownBy({*outer}, kCutLineTolerance, kArcTolerance) : std::nullopt;
    std::optional<Ring> ring = grown ? outerRing(*grown) : std::nullopt;
    if (!ring) {
        return {std::nullopt, WallHoleFault::NotOneOutline};
    }
    std::sort(layers.begin(), layers.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    WallHole hole;
    for (auto& entry : layers) {
        hole.layers.push_back(std::move(entry.second));
    }
    // The outline runs round as the layers' curves do, as the angle grows.
    if ((ringArea(*ring) > 0) != (ringArea(ringOf(hole.layers.front())) > 0)) {
        std::reverse(ring->begin(), ring->end());
    }

    // Each table point where the outline passes nearest to one of the layers' points there.
    Ring closed = *ring;
    closed.push_back(ring->front());
    const NearestSegment onRing(std::move(closed));
    std::vector<NearestSegment::Place> places;
    for (const std::vector<PatternPoint>& candidates : pointsAtTheAngles(hole.layers, angles)) {
        NearestSegment::Place best{0, 0.0, {}, std::numeric_limits<double>::infinity()};
        for (const PatternPoint p : candidates) {
            const NearestSegment::Place place = onRing.nearestTo(p);
            if (place.distance < best.distance) {
                best = place;
            }
        }
        places.push_back(best);
    }
    const bool closes = angles.size() > 1 &&
                        std::fabs(angles.back() - angles.front() - 2 * std::numbers::pi) < 1e-9;
    if (closes) {
        places.back() = places.front();
    }
    // Round from point 0: the ring's vertices and the table's points in order along it, each
    // by its distance round the ring from point 0 counted in segments.
    const auto n = static_cast<double>(ring->size());
    const double start = static_cast<double>(places.front().segment) + places.front().share;
    const auto round = [&](double position) {
        const double r = std::fmod(position - start, n);
        return r < 0 ? r + n : r;
    };
    const std::size_t last = places.size() - (closes ? 1 : 0);
    std::vector<double> along{0.0};
    for (std::size_t i = 1; i < last; ++i) {
        along.push_back(round(static_cast<double>(places[i].segment) + places[i].share));
        if (!(along[i] > along[i - 1])) {
            return {std::nullopt, WallHoleFault::NotOneOutline};
        }
    }
    const double end = closes ? n : along.back();
    std::size_t next = 0;
    for (std::size_t k = 1; k <= ring->size(); ++k) {
        const std::size_t vertex = (places.front().segment + k) % ring->size();
        const double at = k == ring->size() ? n : round(static_cast<double>(vertex));
        while (next < last && along[next] <= at) {
            hole.exact.push_back(places[next++].at);
        }
        if (at >= end) {
            break;
        }
        if (distance((*ring)[vertex], hole.exact.back()) > 0.0) {
            hole.exact.push_back((*ring)[vertex]);
        }
    }
    if (closes) {
        hole.exact.push_back(places.front().at);
    }
    for (const NearestSegment::Place& place : places) {
        hole.points.push_back(place.at);
    }
    return {std::move(hole), WallHoleFault::None};
}

double overhangAtTheOutsideFace(const WallHole& hole, const ToOutsideFace& toOutsideFace) {
    std::vector<PatternPoint> face;
    for (const PatternPoint p : hole.layers.back().points) {
        face.push_back(toOutsideFace(p));
    }
    const NearestSegment nearest(std::move(face));
    double worst = 0.0;
    for (const PatternPoint p : hole.exact) {
        worst = std::max(worst, nearest.distanceFrom(toOutsideFace(p)));
    }
    return worst;
}

} // namespace blachorys::core
