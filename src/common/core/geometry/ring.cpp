#include "common/core/geometry/ring.h"

namespace blachorys::core {

double ringArea(const Ring& ring) {
    // About the first point, so that a piece far from the origin keeps its digits.
    if (ring.size() < 3) {
        return 0.0;
    }
    const PatternPoint o = ring.front();
    double sum = 0.0;
    for (std::size_t k = 1; k + 1 < ring.size(); ++k) {
        const double ax = ring[k].x - o.x;
        const double ay = ring[k].y - o.y;
        const double bx = ring[k + 1].x - o.x;
        const double by = ring[k + 1].y - o.y;
        sum += ax * by - bx * ay;
    }
    return sum / 2;
}

double ringLength(const Ring& ring) {
    double length = 0.0;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        length += distance(ring[k], ring[(k + 1) % ring.size()]);
    }
    return length;
}

bool ringEncloses(const Ring& ring, PatternPoint p) {
    bool inside = false;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const PatternPoint a = ring[k];
        const PatternPoint b = ring[(k + 1) % ring.size()];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
            inside = !inside;
        }
    }
    return inside;
}

} // namespace blachorys::core
