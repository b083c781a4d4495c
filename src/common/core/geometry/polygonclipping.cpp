#include "common/core/geometry/polygonclipping.h"

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>

namespace blachorys::core {
namespace {

/** Whole units per millimetre: a nanometre each. */
constexpr double kUnitsPerMm = 1e6;

std::optional<ClipperLib::Paths> toPaths(const std::vector<Ring>& rings) {
    ClipperLib::Paths paths;
    for (const Ring& ring : rings) {
        ClipperLib::Path path;
        path.reserve(ring.size());
        for (const PatternPoint p : ring) {
            if (!isFinite(p) || std::fabs(p.x) > kLargestClippedCoordinateMm ||
                std::fabs(p.y) > kLargestClippedCoordinateMm) {
                return std::nullopt;
            }
            path.push_back({static_cast<ClipperLib::cInt>(std::llround(p.x * kUnitsPerMm)),
                            static_cast<ClipperLib::cInt>(std::llround(p.y * kUnitsPerMm))});
        }
        paths.push_back(std::move(path));
    }
    return paths;
}

std::vector<Ring> toRings(const ClipperLib::Paths& paths) {
    std::vector<Ring> rings;
    for (const ClipperLib::Path& path : paths) {
        Ring ring;
        ring.reserve(path.size());
        for (const ClipperLib::IntPoint& p : path) {
            ring.push_back(
                {static_cast<double>(p.X) / kUnitsPerMm, static_cast<double>(p.Y) / kUnitsPerMm});
        }
        rings.push_back(std::move(ring));
    }
    return rings;
}

std::optional<std::vector<Ring>> clipped(ClipperLib::ClipType type, const std::vector<Ring>& a,
                                         const std::vector<Ring>& b,
                                         ClipperLib::PolyFillType subjectFill = ClipperLib::pftNonZero) {
    const auto subject = toPaths(a);
    const auto clip = toPaths(b);
    if (!subject || !clip) {
        return std::nullopt;
    }
    ClipperLib::Clipper clipper;
    clipper.AddPaths(*subject, ClipperLib::ptSubject, true);
    clipper.AddPaths(*clip, ClipperLib::ptClip, true);
    ClipperLib::Paths solution;
    clipper.Execute(type, solution, subjectFill, ClipperLib::pftNonZero);
    return toRings(solution);
}

} // namespace

std::optional<std::vector<Ring>> unionOf(const std::vector<Ring>& rings) {
    // Windings add up across the rings, so one ring running the other way round would cancel
    // what it overlaps rather than join it: each goes in anticlockwise.
    std::vector<Ring> anticlockwise = rings;
    for (Ring& ring : anticlockwise) {
        if (ringArea(ring) < 0) {
            std::reverse(ring.begin(), ring.end());
        }
    }
    return clipped(ClipperLib::ctUnion, anticlockwise, {});
}

std::optional<std::vector<Ring>> differenceOf(const std::vector<Ring>& from,
                                              const std::vector<Ring>& minus) {
    return clipped(ClipperLib::ctDifference, from, minus);
}

std::optional<std::vector<Ring>> intersectionOf(const std::vector<Ring>& rings,
                                                const std::vector<Ring>& within) {
    return clipped(ClipperLib::ctIntersection, rings, within, ClipperLib::pftEvenOdd);
}

std::optional<std::vector<Ring>> grownBy(const std::vector<Ring>& rings, double distance,
                                         double arcTolerance) {
    const auto paths = toPaths(rings);
    if (!paths || !std::isfinite(distance) || !(arcTolerance > 0)) {
        return std::nullopt;
    }
    ClipperLib::ClipperOffset offset(2.0, arcTolerance * kUnitsPerMm);
    offset.AddPaths(*paths, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::Paths solution;
    offset.Execute(solution, distance * kUnitsPerMm);
    return toRings(solution);
}

} // namespace blachorys::core
