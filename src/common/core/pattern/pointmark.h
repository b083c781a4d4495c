#pragma once

#include <string>

namespace blachorys::core {

/**
 * A point of the report's point list where it lies on the pattern, in the DXF's millimetres,
 * with the number the list gives it: the full-scale template prints it beside the point.
 */
struct PointMark {
    double x = 0.0;
    double y = 0.0;
    std::string text;
    /**
     * The list of points the mark is one of (a curve, an arc, a hole, the corners): the marks of
     * one run follow each other, point 0 first, in the order of their numbers.
     */
    int run = 0;
    /** The piece it lies on (an index into its pattern's pieces), or none (-1). */
    int piece = -1;
};

} // namespace blachorys::core
