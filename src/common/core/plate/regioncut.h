#pragma once

// Cutting the region of a piece along straight lines, and joining two regions along an edge:
// the machinery the piece's parts are made with.

#include "common/core/plate/flatpiece.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace blachorys::core {

/** A corner of a loop being cut, known by an id that outlives the loops' renumbering. */
struct Node {
    PatternPoint p;
    LineRole role = LineRole::EndEdge; ///< of the edge to the next node
    std::uint64_t id = 0;
};
using Loop = std::vector<Node>;

/** A piece being cut: its outer loop first, anticlockwise, then its holes, clockwise. */
struct Region {
    std::vector<Loop> loops;
    std::vector<MarkedLine> markings;
    std::vector<PointMark> points;
};

/** A straight cut: from `origin` along the unit `direction`, between tMin and tMax of it. */
struct CutLine {
    PatternPoint origin;
    PatternPoint direction;
    double tMin = -std::numeric_limits<double>::infinity();
    double tMax = std::numeric_limits<double>::infinity();
};

struct Chord {
    PatternPoint from;
    PatternPoint to;
};

/** `a` made one long; a direction of no length is taken along X. */
inline PatternPoint unit(PatternPoint a) {
    const double l = length(a);
    return l > 0.0 ? PatternPoint{a.x / l, a.y / l} : PatternPoint{1.0, 0.0};
}

/** Ids of the nodes, each new one unlike any before it. */
class Ids {
public:
    std::uint64_t next() { return m_next++; }

private:
    std::uint64_t m_next = 1;
};

Loop loopOf(const Contour& contour, Ids& ids);
Contour contourOf(const Loop& loop, OutlineKind kind);
std::vector<PatternPoint> pointsOf(const Loop& loop);
FlatPiece pieceOf(const Region& region);

/** A hair of rounding for the piece's size: a point this near a cut is on it. */
double snapOf(const Region& region);

/** The regions after a cut along the whole of `line`, and the chords it made. */
std::vector<Region> cutRegions(std::vector<Region> regions, const CutLine& line, Ids& ids,
                               std::vector<Chord>& chords);

Region movedRegion(const Region& region, const Motion& motion);

/** Index of the node of the loop nearest `p`, when within `snap` of it. */
std::optional<std::size_t> nodeAt(const Loop& loop, PatternPoint p, double snap);

/**
 * The region `into` with `other` joined to it along one edge: its outer loop runs from u to v
 * where the other's runs from v to u. Nothing when the two have no such edge.
 */
std::optional<Region> joinedAlong(const Region& into, const Region& other, PatternPoint u,
                                  PatternPoint v, double snap);

/** The region whose outer loop has nodes at both ends, if any. */
std::optional<std::size_t> regionWithNodes(const std::vector<Region>& regions,
                                           const std::array<PatternPoint, 2>& ends, double snap);

} // namespace blachorys::core
