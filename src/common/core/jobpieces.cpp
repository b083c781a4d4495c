#include "common/core/jobpieces.h"

#include <algorithm>

namespace blachorys::core {
namespace {

Contour turnedTo(const Contour& contour, bool anticlockwise) {
    const bool isAnticlockwise = signedArea(contour.points) > 0.0;
    return isAnticlockwise == anticlockwise ? contour : reversed(contour);
}

} // namespace

std::vector<JobPiece> jobPiecesOf(const CalculationOutputs& outputs) {
    return jobPiecesOf(patternToCut(outputs), piecesToCut(outputs));
}

std::vector<JobPiece> jobPiecesOf(const Pattern& pattern, const CutPieces& cutPieces) {
    std::vector<JobPiece> pieces;
    std::vector<const Contour*> holes;
    for (const Contour& contour : pattern.exactContours) {
        if (contour.points.size() < 3) {
            continue;
        }
        if (contour.kind == OutlineKind::Hole) {
            holes.push_back(&contour);
            continue;
        }
        JobPiece piece;
        const std::size_t k = pieces.size();
        piece.cut = k < cutPieces.size() ? cutPieces[k] : CutPiece{"element", 1, 0.0, {}};
        piece.flat.outline = turnedTo(contour, true);
        pieces.push_back(std::move(piece));
    }
    for (const Contour* hole : holes) {
        // A hole belongs to the piece its points lie in; its middle may lie outside it.
        for (JobPiece& piece : pieces) {
            const InsideTest inside(FlatPiece{piece.flat.outline, {}});
            const auto within = std::count_if(hole->points.begin(), hole->points.end(),
                                              [&inside](PatternPoint p) {
                                                  return inside.contains(p);
                                              });
            if (2 * static_cast<std::size_t>(within) > hole->points.size()) {
                piece.flat.holes.push_back(turnedTo(*hole, false));
                break;
            }
        }
    }
    return pieces;
}

double largestThickness(const std::vector<JobPiece>& pieces) {
    double largest = 0.0;
    for (const JobPiece& piece : pieces) {
        largest = std::max(largest, piece.cut.thickness);
    }
    return largest;
}

} // namespace blachorys::core
