#include "common/core/view3d/patterncells.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace blachorys::core {
namespace {

/** Squares along either side at most: a piece far longer than wide is cut into longer ones. */
constexpr double kMostCellsAlong = 4096;

/** Which side of a grid line a ring is clipped to keep. */
enum class Keep { XAbove, XBelow, YAbove, YBelow };

bool kept(PatternPoint p, Keep keep, double at) {
    switch (keep) {
    case Keep::XAbove:
        return p.x >= at;
    case Keep::XBelow:
        return p.x <= at;
    case Keep::YAbove:
        return p.y >= at;
    case Keep::YBelow:
        return p.y <= at;
    }
    return false;
}

/** Where the edge from `a` to `b` crosses the grid line. */
PatternPoint crossing(PatternPoint a, PatternPoint b, Keep keep, double at) {
    const bool vertical = keep == Keep::XAbove || keep == Keep::XBelow;
    const double from = vertical ? a.x : a.y;
    const double to = vertical ? b.x : b.y;
    const double share = (at - from) / (to - from);
    PatternPoint p{a.x + share * (b.x - a.x), a.y + share * (b.y - a.y)};
    // On the line exactly, so that the squares on either side share their corners.
    (vertical ? p.x : p.y) = at;
    return p;
}

/**
 * The part of a closed ring on the kept side of one grid line (Sutherland and Hodgman): where
 * the ring leaves that side and comes back, the result runs along the line between.
 */
void clip(const std::vector<PatternPoint>& ring, Keep keep, double at,
          std::vector<PatternPoint>& into) {
    into.clear();
    if (ring.empty()) {
        return;
    }
    PatternPoint previous = ring.back();
    bool previousKept = kept(previous, keep, at);
    for (const PatternPoint p : ring) {
        const bool pKept = kept(p, keep, at);
        if (pKept != previousKept) {
            into.push_back(crossing(previous, p, keep, at));
        }
        if (pKept) {
            into.push_back(p);
        }
        previous = p;
        previousKept = pKept;
    }
}

/** The ring without points that repeat the one before. */
void dropRepeats(std::vector<PatternPoint>& ring) {
    const auto last = std::unique(ring.begin(), ring.end());
    ring.erase(last, ring.end());
    while (ring.size() > 1 && ring.front() == ring.back()) {
        ring.pop_back();
    }
}

} // namespace

std::vector<PatternCell> cutIntoCells(const std::vector<const std::vector<PatternPoint>*>& rings,
                                      double cellSize) {
    std::vector<PatternCell> cells;
    if (rings.empty() || rings.front()->size() < 3 || !(cellSize > 0.0) ||
        !std::isfinite(cellSize)) {
        return cells;
    }
    double xMin = std::numeric_limits<double>::infinity();
    double yMin = xMin;
    double xMax = -xMin;
    double yMax = -xMin;
    for (const PatternPoint p : *rings.front()) {
        xMin = std::min(xMin, p.x);
        xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    const auto count = [cellSize](double span) {
        return static_cast<int>(
            std::clamp(std::ceil(span / cellSize - 1e-9), 1.0, kMostCellsAlong));
    };
    const int columns = count(xMax - xMin);
    const int rows = count(yMax - yMin);
    if (!std::isfinite(xMax - xMin) || !std::isfinite(yMax - yMin)) {
        return cells;
    }
    // Squares grown to cover the box exactly, so that the last one ends on its edge.
    const double width = (xMax - xMin) / columns;
    const double height = (yMax - yMin) / rows;
    // Shares smaller than this are slivers of rounding along a square's side.
    const double tiny = 1e-9 * width * height;

    std::vector<std::vector<PatternPoint>> column(rings.size());
    std::vector<PatternPoint> scratch;
    std::vector<PatternPoint> share;
    for (int c = 0; c < columns; ++c) {
        const double left = xMin + c * width;
        const double right = c + 1 == columns ? xMax : left + width;
        for (std::size_t r = 0; r < rings.size(); ++r) {
            clip(*rings[r], Keep::XAbove, left, scratch);
            clip(scratch, Keep::XBelow, right, column[r]);
        }
        for (int row = 0; row < rows; ++row) {
            const double bottom = yMin + row * height;
            const double top = row + 1 == rows ? yMax : bottom + height;
            PatternCell cell;
            cell.left = left;
            cell.right = right;
            cell.bottom = bottom;
            cell.top = top;
            double pieceArea = 0.0;
            double holesArea = 0.0;
            for (std::size_t r = 0; r < rings.size(); ++r) {
                clip(column[r], Keep::YAbove, bottom, scratch);
                clip(scratch, Keep::YBelow, top, share);
                dropRepeats(share);
                const double area = share.size() >= 3 ? ringArea(share) : 0.0;
                if (std::fabs(area) <= tiny) {
                    continue;
                }
                if (r == 0) {
                    pieceArea = area;
                } else {
                    holesArea += std::fabs(area);
                }
                cell.rings.push_back(share);
            }
            // Nothing of the piece, or all of the square inside a hole.
            if (std::fabs(pieceArea) - holesArea <= tiny) {
                continue;
            }
            cell.area = std::copysign(std::fabs(pieceArea) - holesArea, pieceArea);
            cells.push_back(std::move(cell));
        }
    }
    return cells;
}

} // namespace blachorys::core
