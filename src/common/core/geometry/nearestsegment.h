#pragma once

#include "common/core/geometry/point.h"

#include <cstddef>
#include <vector>

namespace blachorys::core {

/**
 * The segments of an open chain bucketed in a grid of about one cell per segment, so that the
 * distance from a point to the nearest of them costs the cells round the point, not a look at
 * every segment.
 */
class NearestSegment {
public:
    explicit NearestSegment(std::vector<PatternPoint> chain);

    /** Where the chain passes nearest a point: after point `segment`, `share` of the way on. */
    struct Place {
        std::size_t segment = 0;
        double share = 0.0;
        PatternPoint at;
        double distance = 0.0;
    };

    /** The place of the chain nearest `p`; at infinity for no segment. */
    Place nearestTo(PatternPoint p) const;

    /** The distance from `p` to the nearest segment of the chain; infinity for no segment. */
    double distanceFrom(PatternPoint p) const { return nearestTo(p).distance; }

private:
    std::size_t cellOf(double coordinate, double low, std::size_t cells) const;

    std::vector<PatternPoint> m_chain;
    double m_left = 0.0;
    double m_bottom = 0.0;
    double m_cell = 1.0;
    std::size_t m_columns = 1;
    std::size_t m_rows = 1;
    std::vector<std::vector<std::size_t>> m_cells;
};

} // namespace blachorys::core
