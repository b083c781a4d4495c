#include "common/core/pattern/patternchecks.h"

#include "common/core/geometry/curvesampling.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace blachorys::core {
namespace {

/** Rounding of the outlines' coordinates, relative to the pattern's size. */
constexpr double kRelativeRounding = 1e-9;

struct Segment {
    Segment(PatternPoint from, PatternPoint to, std::size_t inContour, std::size_t at)
        : a(from), b(to), contour(inContour), index(at), minX(std::min(a.x, b.x)),
          maxX(std::max(a.x, b.x)), minY(std::min(a.y, b.y)), maxY(std::max(a.y, b.y)) {}

    PatternPoint a;
    PatternPoint b;
    std::size_t contour;
    std::size_t index; ///< within its contour
    /** Its box, looked at many times over as the cells split. */
    double minX, maxX, minY, maxY;

    /** Whether the boxes meet: segments that cross do. */
    bool boxMeets(const Segment& other) const {
        return maxX >= other.minX && other.maxX >= minX && maxY >= other.minY &&
               other.maxY >= minY;
    }
};

/** Whether the segments cross at a point inside both; touching is not crossing. */
bool properlyCross(const Segment& s, const Segment& t, double area) {
    const double d1 = cross(s.a, s.b, t.a);
    const double d2 = cross(s.a, s.b, t.b);
    const double d3 = cross(t.a, t.b, s.a);
    const double d4 = cross(t.a, t.b, s.b);
    return ((d1 > area && d2 < -area) || (d1 < -area && d2 > area)) &&
           ((d3 > area && d4 < -area) || (d3 < -area && d4 > area));
}

struct Box {
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    void add(PatternPoint p) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
};

std::vector<Segment> segmentsOf(const std::vector<Contour>& contours) {
    std::vector<Segment> segments;
    std::size_t count = 0;
    for (const Contour& contour : contours) {
        count += contour.points.size();
    }
    segments.reserve(count);
    for (std::size_t c = 0; c < contours.size(); ++c) {
        const auto& p = contours[c].points;
        for (std::size_t k = 0; k < p.size(); ++k) {
            segments.emplace_back(p[k], p[(k + 1) % p.size()], c, k);
        }
    }
    return segments;
}

bool neighbours(const Segment& s, const Segment& t, const std::vector<Contour>& contours) {
    if (s.contour != t.contour) {
        return false;
    }
    const std::size_t n = contours[s.contour].points.size();
    const std::size_t d = s.index > t.index ? s.index - t.index : t.index - s.index;
    return d <= 1 || d == n - 1;
}

/**
 * Whether a crossing is only the closing error of a piece that closes exactly: a flat piece's
 * seam twins lie along each other, and where the development's rounding crosses them (or an
 * edge that meets a seam's end crosses its twin) by no more than the two cuts may be off
 * together, they are cut as one.
 */
bool closesWithinTheCut(const Segment& s, const Segment& t, const std::vector<Contour>& contours) {
    constexpr double kTwinsApart = 2 * kCutAllowance;
    const auto seam = [&](const Segment& e) {
        return contours[e.contour].roles[e.index] == LineRole::SeamEdge;
    };
    const auto offLine = [](const Segment& line, PatternPoint p) {
        return std::fabs(cross(line.a, line.b, p)) / distance(line.a, line.b);
    };
    if (seam(s) && seam(t)) {
        return std::max({offLine(s, t.a), offLine(s, t.b), offLine(t, s.a), offLine(t, s.b)}) <=
               kTwinsApart;
    }
    const auto nearAnEndOf = [&](const Segment& seamEdge, const Segment& other) {
        for (const PatternPoint end : {seamEdge.a, seamEdge.b}) {
            for (const PatternPoint p : {other.a, other.b}) {
                if (distance(p, end) <= kTwinsApart && offLine(seamEdge, p) <= kTwinsApart) {
                    return true;
                }
            }
        }
        return false;
    };
    return (seam(s) && nearAnEndOf(s, t)) || (seam(t) && nearAnEndOf(t, s));
}

/** Segments a cell holds before it is split into four. */
constexpr std::size_t kSegmentsPerCell = 16;
/** Splits at most: below that a cell is a point of rounding. */
constexpr int kMostSplits = 40;

struct Cell {
    double left, bottom, right, top;
    bool holds(const Segment& s) const {
        return s.maxX >= left && s.minX <= right && s.maxY >= bottom && s.minY <= top;
    }
};

/**
 * Whether two segments of the cell cross: the cell is split into quarters until each holds a
 * few segments, which are then paired. A split that leaves a quarter as full as the cell (long
 * segments all through it) is not made, unless that quarter holds them all.
 */
bool crossingIn(const Cell& cell, const std::vector<std::size_t>& members,
                const std::vector<Segment>& segments, const std::vector<Contour>& contours,
                double area, int splits) {
    if (members.size() > kSegmentsPerCell && splits < kMostSplits) {
        const double midX = 0.5 * (cell.left + cell.right);
        const double midY = 0.5 * (cell.bottom + cell.top);
        const Cell quarters[4] = {{cell.left, cell.bottom, midX, midY},
                                  {midX, cell.bottom, cell.right, midY},
                                  {cell.left, midY, midX, cell.top},
                                  {midX, midY, cell.right, cell.top}};
        std::vector<std::size_t> inQuarter[4];
        bool smaller = true;
        int holding = 0;
        for (int q = 0; q < 4; ++q) {
            for (const std::size_t i : members) {
                if (quarters[q].holds(segments[i])) {
                    inQuarter[q].push_back(i);
                }
            }
            smaller = smaller && inQuarter[q].size() < members.size();
            holding += inQuarter[q].empty() ? 0 : 1;
        }
        // A split pays where every quarter holds fewer segments than the cell, or where they
        // all lie in one quarter (an outline crowded into a corner of its box).
        if (smaller || holding == 1) {
            for (int q = 0; q < 4; ++q) {
                if (crossingIn(quarters[q], inQuarter[q], segments, contours, area, splits + 1)) {
                    return true;
                }
            }
            return false;
        }
    }
    for (std::size_t m = 0; m < members.size(); ++m) {
        for (std::size_t n = m + 1; n < members.size(); ++n) {
            const Segment& s = segments[members[m]];
            const Segment& t = segments[members[n]];
            if (s.boxMeets(t) && !neighbours(s, t, contours) && properlyCross(s, t, area) &&
                !closesWithinTheCut(s, t, contours)) {
                return true;
            }
        }
    }
    return false;
}

/** Any two segments of the outlines that cross. */
bool anyCrossing(const std::vector<Contour>& contours, const Box& box, double size) {
    const std::vector<Segment> segments = segmentsOf(contours);
    // Cross products below this are rounding, not a side.
    const double area = kRelativeRounding * size * size;
    const auto length = [](const Segment& s) { return distance(s.a, s.b); };
    double longest = 0.0;
    for (const Segment& s : segments) {
        longest = std::max(longest, length(s));
    }
    // Two segments cross only where the ends of each lie more than the rounding's area off
    // the other's line on either side: |s|·|t| > 2·area. Shorter ones (an arc shrunk to a
    // point) cross nothing, and would crowd one cell.
    std::vector<std::size_t> all;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (length(segments[i]) * longest > 2 * area) {
            all.push_back(i);
        }
    }
    return crossingIn({box.minX, box.minY, box.maxX, box.maxY}, all, segments, contours, area, 0);
}

/** A piece's edges sorted into bands of y, so that a point meets only the edges of its band. */
class PieceBands {
public:
    PieceBands(const Contour& piece, double tolerance)
        : m_points(piece.points), m_tolerance(tolerance) {
        double low = INFINITY;
        double high = -INFINITY;
        for (const PatternPoint p : m_points) {
            low = std::min(low, p.y);
            high = std::max(high, p.y);
        }
        m_low = low - tolerance;
        const auto bands = std::max<std::size_t>(
            1, static_cast<std::size_t>(std::sqrt(static_cast<double>(m_points.size()))));
        m_height = (high + tolerance - m_low) / static_cast<double>(bands) + tolerance;
        m_bands.resize(bands);
        for (std::size_t k = 0; k < m_points.size(); ++k) {
            const PatternPoint a = m_points[k];
            const PatternPoint b = m_points[(k + 1) % m_points.size()];
            for (std::size_t band = bandOf(std::min(a.y, b.y) - tolerance);
                 band <= bandOf(std::max(a.y, b.y) + tolerance); ++band) {
                m_bands[band].push_back(k);
            }
        }
    }

    /** Inside the chain, or on it within the tolerance. */
    bool holds(PatternPoint p) const {
        if (p.y < m_low || p.y > m_low + m_height * static_cast<double>(m_bands.size())) {
            return false;
        }
        bool inside = false;
        for (const std::size_t k : m_bands[bandOf(p.y)]) {
            const PatternPoint a = m_points[k];
            const PatternPoint b = m_points[(k + 1) % m_points.size()];
            if (squaredDistanceToSegment(p, a, b) <= m_tolerance * m_tolerance) {
                return true;
            }
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
                inside = !inside;
            }
        }
        return inside;
    }

private:
    std::size_t bandOf(double y) const {
        const double band = std::floor((y - m_low) / m_height);
        return static_cast<std::size_t>(
            std::clamp(band, 0.0, static_cast<double>(m_bands.size() - 1)));
    }

    const std::vector<PatternPoint>& m_points;
    double m_tolerance;
    double m_low = 0.0;
    double m_height = 1.0;
    std::vector<std::vector<std::size_t>> m_bands;
};

} // namespace

std::optional<std::string> patternFault(const Pattern& pattern) {
    const auto open = [](const Contour& c) { return !c.closed; };
    if (std::any_of(pattern.exactContours.begin(), pattern.exactContours.end(), open) ||
        std::any_of(pattern.contours.begin(), pattern.contours.end(), open)) {
        return kOutlineOpenMessage;
    }
    std::vector<Contour> contours = pattern.exactContours;
    std::erase_if(contours, [](const Contour& c) { return c.points.size() < 2; });
    if (contours.empty()) {
        return std::nullopt;
    }
    Box box;
    for (const Contour& contour : contours) {
        for (const PatternPoint p : contour.points) {
            box.add(p);
        }
    }
    const double size = std::max(
        {std::fabs(box.minX), std::fabs(box.maxX), std::fabs(box.minY), std::fabs(box.maxY), 1.0});
    if (anyCrossing(contours, box, size)) {
        return kOutlineCrossesMessage;
    }
    const double tolerance = kRelativeRounding * size;
    for (const Contour& hole : contours) {
        if (hole.kind != OutlineKind::Hole) {
            continue;
        }
        const bool within = std::any_of(contours.begin(), contours.end(), [&](const Contour& c) {
            if (c.kind != OutlineKind::Piece) {
                return false;
            }
            const PieceBands bands(c, tolerance);
            return std::all_of(hole.points.begin(), hole.points.end(),
                               [&](PatternPoint p) { return bands.holds(p); });
        });
        if (!within) {
            return kHoleOutsideMessage;
        }
    }
    return std::nullopt;
}

} // namespace blachorys::core
