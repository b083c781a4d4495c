#pragma once

#include "common/core/pattern/pointmark.h"

#include <vector>

namespace blachorys::core {

/** Every k-th point of a run is numbered, so that the numbers stand this far apart on paper. */
inline constexpr double kLabelSpacingMm = 6.0;
/** Marking lines closer than this on paper are thinned to every j-th: a worker follows them. */
inline constexpr double kMarkingSpacingMm = 3.0;
/** Which marks are numbered on a sheet (the template, the cutting table's file, the 3-D view), and
 * which keep the marking lines that end at them. */
struct MarkSelection {
    /** Per mark: 0 for point 0 and the quarter points of its run, 1 for every k-th, -1 none. */
    std::vector<int> labelRank;
    std::vector<bool> keepsMarkingLines;
};

/**
 * In each run of marks, every k-th point numbered so that the numbered ones stand
 * kLabelSpacingMm apart on paper (k of 1, 2, 5, 10, 20, ...), and point 0 and the quarter
 * points always; the marking lines kept at every j-th point, j the least divisor of k that
 * keeps them kMarkingSpacingMm apart. Spacings are the run's median, at `paperPerPatternMm`.
 */
MarkSelection selectMarks(const std::vector<PointMark>& marks, double paperPerPatternMm);

} // namespace blachorys::core
