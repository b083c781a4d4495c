#pragma once

#include "common/core/plate/flatpiece.h"
#include "common/core/plate/jobpieces.h"
#include "common/core/plate/platematerial.h"

#include <cstddef>
#include <vector>

namespace blachorys::core {

/**
 * A job of more copies than this is not nested: each is placed against all placed before it,
 * and a job of thousands of slivers (an elbow of 3000 segments) would take minutes.
 */
inline constexpr int kMostNestedCopies = 200;

/** The gap between pieces, and between a piece and the plate's edge, unless another is typed. */
inline constexpr double kDefaultGapMm = 10.0;

/**
 * One copy of a piece on a plate: the motion from the piece's own frame to the plate's, whose
 * origin is a corner of the plate, X along its length and Y across its width, mm.
 */
struct PlacedPiece {
    std::size_t piece = 0; ///< index into the job's pieces
    int copy = 0;          ///< which of its count, from 0
    Motion motion;
    int quarterTurns = 0; ///< how far it is turned, anticlockwise
};

struct NestedPlate {
    std::vector<PlacedPiece> pieces;
    double netArea = 0.0; ///< of the pieces on it, mm²
};

/** The job's pieces on as few plates as the placement finds. */
struct Nesting {
    /** The plate, as it lies: its length along X, its width along Y. */
    double lengthMm = 0.0;
    double widthMm = 0.0;
    double gapMm = 0.0;
    std::vector<NestedPlate> plates;
    /** Pieces too large for a plate turned any way, each once however many are cut. */
    std::vector<std::size_t> tooLarge;
    /** More copies than kMostNestedCopies: nothing is placed. */
    bool tooMany = false;

    /** The share of the plates used that the pieces cover, 0..1. */
    double share() const;
};

/**
 * Places every copy of every piece (its count of them) on plates `plate`, largest first, each
 * `gapMm` clear of the others and of the plate's edges, plate by plate, each plate filled two
 * ways and the one that holds more of the pieces' area kept:
 * - by the pieces' outlines: each copy at the lowest, then leftmost, point where it fits among
 *   those placed before it, turned 0°, 90°, 180° or 270° from the turn that gives it its
 *   smallest box (or from its own, or from the turn that fits it aslant, when only that fits),
 *   a copy of the piece placed just before tried first turned half round from it (strips and
 *   sectors nest head to tail); where it touches the others is found from the no-fit polygons
 *   of their outlines (Minkowski sums), which the gap widens;
 * - by their boxes in shelves along the plate (`shelvesOf`), which near-rectangular strips
 *   fill better.
 * Nothing when the job has more than kMostNestedCopies copies.
 */
Nesting nestPieces(const std::vector<JobPiece>& pieces, const Plate& plate, double gapMm);

/** The piece's outline as it lies on its plate. */
std::vector<PatternPoint> placedOutline(const JobPiece& piece, const PlacedPiece& placed);

} // namespace blachorys::core
