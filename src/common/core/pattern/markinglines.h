#pragma once

#include "common/core/pattern/pattern.h"

#include <vector>

namespace blachorys::core {

/** A line marked on a piece: a generator, a bending line, a centre line, a match mark. */
struct MarkedLine {
    PatternPoint from;
    PatternPoint to;
    LineRole role = LineRole::Generator;
    int piece = kNoPiece; ///< the piece it is marked on
};

/** One marking line of a pattern as it is marked: straight, or along its exact curve. */
struct MarkingRun {
    LineRole role = LineRole::Generator;
    int piece = kNoPiece;
    std::vector<PatternPoint> points; ///< two for a straight line
};

/**
 * The pattern's marking lines (those of no outline), in the pattern's order: each as it stands,
 * or, where it is the chord of an exact curve, that curve once in its place.
 */
std::vector<MarkingRun> markingRunsOf(const Pattern& pattern);

/** The same lines, each run by its segments. */
std::vector<MarkedLine> markingLinesOf(const Pattern& pattern);

} // namespace blachorys::core
