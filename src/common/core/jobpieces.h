#pragma once

#include "common/core/calculationresult.h"
#include "common/core/flatpiece.h"

#include <vector>

namespace blachorys::core {

/** A piece the job cuts: what it is, how many, its plate, and its exact flat shape. */
struct JobPiece {
    CutPiece cut;
    /** The outline anticlockwise, the holes within it clockwise, as they are cut. */
    FlatPiece flat;
};

/**
 * The pattern's pieces, one per piece outline in its order, each with the holes that lie within
 * it, drawn by the exact contours; named and counted by `cutPieces` (a piece they do not name
 * is one "element" of no thickness).
 */
std::vector<JobPiece> jobPiecesOf(const Pattern& pattern, const CutPieces& cutPieces);

/** The pieces the outputs cut: their parts when split (`patternToCut`). */
std::vector<JobPiece> jobPiecesOf(const CalculationOutputs& outputs);

/** The thickest plate any piece is cut from, mm; 0 when none has a thickness. */
double largestThickness(const std::vector<JobPiece>& pieces);

} // namespace blachorys::core
