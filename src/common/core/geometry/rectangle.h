#pragma once

namespace blachorys::core {

/**
 * A rectangle, millimetres, its sides along the axes: on a page from the paper's top-left
 * corner with y downwards, or wherever its user's frame is.
 */
struct RectMm {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

} // namespace blachorys::core
