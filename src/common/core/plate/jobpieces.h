#pragma once

#include "common/core/pattern/pattern.h"
#include "common/core/plate/flatpiece.h"

#include <optional>
#include <vector>

namespace blachorys::core {

/** A piece the job cuts: what it is, how many, its plate, and its exact flat shape. */
struct JobPiece {
    CutPiece cut;
    /** The outline anticlockwise, the holes within it clockwise, as they are cut. */
    FlatPiece flat;
};

/**
 * Piece `index` of the pattern as its case named it, with the holes cut in it, drawn by the
 * exact contours; nothing where its outline did not close into a chain of three corners or more
 * (the pattern's checks refuse such a pattern).
 */
std::optional<JobPiece> jobPieceOf(const Pattern& pattern, std::size_t index);

/** Every piece of the pattern that `jobPieceOf` gives, in their order. */
std::vector<JobPiece> jobPiecesOf(const Pattern& pattern);

/** The thickest plate any piece is cut from, mm; 0 when none has a thickness. */
double largestThickness(const std::vector<JobPiece>& pieces);

} // namespace blachorys::core
