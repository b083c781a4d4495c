#pragma once

#include "common/core/geometry/point.h"

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
    /**
     * Along lines the case names, which cross the piece from edge to edge: along all of them,
     * or along every other one.
     */
    AlongLines,
};

/** A straight line a piece may be split along, from one edge of the piece to another. */
struct SplitLine {
    PatternPoint from;
    PatternPoint to;
    friend bool operator==(const SplitLine&, const SplitLine&) = default;
};

struct SplitPlan {
    SplitKind kind = SplitKind::None;
    /** AlongLines: the lines, in their order round the piece. */
    std::vector<SplitLine> lines;
    /**
     * AlongLines: the seam where the development begins and where it ends, each from end to end:
     * one line of the formed piece, joined again once the parts have their seams on the lines.
     */
    std::array<PatternPoint, 2> seamStart{};
    std::array<PatternPoint, 2> seamEnd{};
    /**
     * AlongLines, when given: the piece's area from the seam's start up to each line, mm², and
     * its whole area. The lines are then the places it may be cut at, and a split into k takes
     * the k of them that leave parts of the most nearly equal area.
     */
    std::vector<double> areaBefore;
    double area = 0.0;
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
    /** Which part of the piece this is, from 1, of how many: 1 of 1 when it is whole. */
    int part = 1;
    int parts = 1;
    friend bool operator==(const CutPiece&, const CutPiece&) = default;
};

/** The pieces of a pattern, one per piece outline, in the outlines' order. */
using CutPieces = std::vector<CutPiece>;

} // namespace blachorys::core
