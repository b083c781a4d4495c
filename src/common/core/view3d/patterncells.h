#pragma once

#include "common/core/geometry/ring.h"
#include "common/core/pattern/pattern.h"

#include <vector>

namespace blachorys::core {

/**
 * One square of a grid laid over a piece, with its share of the piece: rings filled odd-even,
 * so that a ring of a hole inside the piece's ring leaves the hole open. A ring may run along
 * the square's side and back where the outline leaves the square and enters it again; such a
 * run encloses nothing.
 */
struct PatternCell {
    std::vector<std::vector<PatternPoint>> rings;
    /** The share's area, mm², in the pattern's own turning: negative where the piece runs
     * clockwise. */
    double area = 0.0;
    /** The square's sides, mm. */
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
    double top = 0.0;

    /** The point lies on one of the square's sides, where its neighbours meet it. */
    bool onSide(PatternPoint p) const {
        return p.x == left || p.x == right || p.y == bottom || p.y == top;
    }
};

/**
 * The piece enclosed by `rings` (its outline first, then its holes) cut into squares of
 * `cellSize` over the outline's bounding box; squares that hold nothing of the piece are left
 * out. The outline's points stay as they are: a square through which the outline runs keeps
 * every point of it that lies in the square.
 */
std::vector<PatternCell> cutIntoCells(const std::vector<const std::vector<PatternPoint>*>& rings,
                                      double cellSize);

} // namespace blachorys::core
