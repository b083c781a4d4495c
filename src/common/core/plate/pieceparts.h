#pragma once

#include "common/core/pattern/cutpiece.h"
#include "common/core/plate/flatpiece.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/**
 * Whether the plan splits a piece into `parts`: along generators into any number, along lines
 * into as many as the lines or half as many; into 1 always.
 */
bool splitsInto(const SplitPlan& plan, int parts);

/** The most parts a piece cut at places of its own choosing (`SplitPlan::areaBefore`) takes. */
inline constexpr int kMostChosenLineParts = 8;
/** How far a part of such a piece may be from an equal share of its area, of that share. */
inline constexpr double kEqualAreaTolerance = 0.15;

/**
 * The lines of a plan with `areaBefore` that cut the piece into `parts` of the most nearly
 * equal area, in their order; none when no choice keeps every part within
 * kEqualAreaTolerance of an equal share, or `parts` is outside 2..kMostChosenLineParts.
 */
std::optional<std::vector<std::size_t>> equalAreaLines(const SplitPlan& plan, int parts);

/** A match mark is a tick this long into the part, mm, at most a fifth of its joint. */
inline constexpr double kMatchMarkMm = 10.0;

/** One part's side of a joint: the line it joins along, in that part's frame, and its marks. */
struct JointSide {
    std::size_t part = 0;
    PatternPoint from;
    PatternPoint to;
    /** Where its match marks cross the line, at a quarter and three quarters of it. */
    std::array<PatternPoint, 2> marks{};
};

/** Where two neighbouring parts join: the same line of the piece, on each of them. */
struct PartJoint {
    std::array<JointSide, 2> sides;
};

/**
 * The parts of a piece, each its own closed outline in the piece's frame (its joints as seam
 * edges, its marking lines and reported points with it, a match-mark tick on each side of each
 * joint), numbered from 1 in their order along the split; and the joints between them.
 */
struct SplitPiece {
    std::vector<PieceDrawing> parts;
    std::vector<PartJoint> joints;
};

/**
 * The piece split into `parts` by its plan: a sector along generators at equal developed angles
 * between its seams, strips along generators at equal spacing across, along every split line or
 * every other one (whichever half leaves the more compact parts), the part that holds
 * the seam's end then moved onto the seam's start and joined to the part there. One part, the
 * piece itself, when the plan cannot split it so (a piece along generators needs two straight
 * seam edges).
 */
SplitPiece splitPiece(const PieceDrawing& piece, const SplitPlan& plan, int parts);

} // namespace blachorys::core
