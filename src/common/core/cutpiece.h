#pragma once

#include "common/core/pattern.h"

#include <array>
#include <string>
#include <vector>

namespace blachorys::core {

/** How a piece may be split into parts that fit a plate. */
enum class SplitKind {
    None, ///< it stays whole
    /**
     * Along its generators, which its two straight seam edges are: a sector by equal angles
     * about the apex where they meet, a sheet into equal strips when they are parallel.
     */
    AlongGenerators,
    /** A transition: along the lines from the middles of the rectangle's sides. */
    AlongFans,
};

/** The line from the middle of a rectangle's side to the circle point of its flat triangle. */
struct FanLine {
    PatternPoint side;
    PatternPoint circle;
    friend bool operator==(const FanLine&, const FanLine&) = default;
};

struct SplitPlan {
    SplitKind kind = SplitKind::None;
    /** AlongFans: the four lines, in their order round the piece. */
    std::vector<FanLine> fanLines;
    /**
     * AlongFans: the seam where the development begins and where it ends, each from its
     * rectangle corner to its circle point: one line of the bent piece, joined again once the
     * parts have their seams on the fan lines.
     */
    std::array<PatternPoint, 2> seamStart{};
    std::array<PatternPoint, 2> seamEnd{};
    friend bool operator==(const SplitPlan&, const SplitPlan&) = default;
};

/**
 * One piece outline of a pattern as the job cuts it: what the worker calls it, how many of it
 * the job takes, the thickness of the plate it is cut from (0 when none is given) and how it
 * may be split into parts.
 */
struct CutPiece {
    std::string name;
    int count = 1;
    double thickness = 0.0;
    SplitPlan split;
    friend bool operator==(const CutPiece&, const CutPiece&) = default;
};

/** The pieces of a pattern, one per piece outline, in the outlines' order. */
using CutPieces = std::vector<CutPiece>;

} // namespace blachorys::core
