#pragma once

// Clipper's measures of outlines for the nesting checks: widened outlines and the area two
// sets of them share.
#include "common/core/pattern/pattern.h"

#include <polyclipping/clipper.hpp>

#include <cmath>
#include <vector>

namespace blachorys::test {

inline constexpr double kClipperUnits = 1000.0; // Clipper units per mm in these checks

inline ClipperLib::Path clipperPath(const std::vector<core::PatternPoint>& points) {
    ClipperLib::Path path;
    for (const core::PatternPoint p : points) {
        path.push_back({std::llround(p.x * kClipperUnits), std::llround(p.y * kClipperUnits)});
    }
    return path;
}

/** The outline widened by `mm` all round. */
inline ClipperLib::Paths widened(const std::vector<core::PatternPoint>& points, double mm) {
    ClipperLib::ClipperOffset offset;
    offset.AddPath(clipperPath(points), ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::Paths result;
    offset.Execute(result, mm * kClipperUnits);
    return result;
}

inline double overlapMm2(const ClipperLib::Paths& a, const ClipperLib::Paths& b) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(a, ClipperLib::ptSubject, true);
    clipper.AddPaths(b, ClipperLib::ptClip, true);
    ClipperLib::Paths common;
    clipper.Execute(ClipperLib::ctIntersection, common, ClipperLib::pftNonZero,
                    ClipperLib::pftNonZero);
    double area = 0.0;
    for (const auto& path : common) {
        area += ClipperLib::Area(path);
    }
    return std::fabs(area) / (kClipperUnits * kClipperUnits);
}

} // namespace blachorys::test
