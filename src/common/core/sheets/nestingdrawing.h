#pragma once

#include "common/core/plate/nesting.h"
#include "common/core/sheets/cncdrawing.h"
#include "common/core/sheets/nestinglabels.h"

#include <string>
#include <vector>

namespace blachorys::core {

/** One plate as it is cut, in its own frame (a corner at the origin, its length along X). */
struct NestedSheet {
    std::vector<CncCut> cuts;
    std::vector<CncMarking> markings;
    /** The pieces' names (`placeNestingLabels`), then the plate's line under it. */
    std::vector<CncText> texts;
    /** From a name that stands outside its piece to the piece. */
    std::vector<CncMarking> leaders;
    /** The pieces as they lie, with their names: a drawing of another scale places them anew. */
    std::vector<LabelledPiece> pieces;
    double share = 0.0; ///< of the plate the pieces on it cover, 0..1
};

/** The height of a piece's name on the plate in the cutting table's file, mm. */
inline constexpr double kNestingLabelHeightMm = 10.0;

/** The nested plates of a job, as the cutting table's file and the PDF draw them. */
struct NestingDrawing {
    double lengthMm = 0.0;
    double widthMm = 0.0;
    std::vector<NestedSheet> sheets;
};

/** The drawing, or why there is none: nothing to place, or a piece no plate holds. */
struct NestingDrawingResult {
    std::optional<NestingDrawing> drawing;
    std::string problem;
};

/**
 * The job's pieces (`jobPiecesOf(cut)`) and their markings placed as the nesting placed them; a
 * piece too large for the plate is named in each plate's line, and is a problem only when nothing
 * else is cut.
 */
NestingDrawingResult nestingDrawingOf(const Pattern& cut, const std::vector<JobPiece>& pieces,
                                      const Nesting& nesting);

/** The same of pieces marked by `drawings`, one per piece in the pieces' order. */
NestingDrawingResult nestingDrawingOf(const std::vector<JobPiece>& pieces,
                                      const std::vector<PieceDrawing>& drawings,
                                      const Nesting& nesting);

/** "Arkusz 1/3 : 1500 x 3000 , wykorzystanie 71.2 %" */
std::string sheetLine(std::size_t index, std::size_t count, const Nesting& nesting, double share);

} // namespace blachorys::core
