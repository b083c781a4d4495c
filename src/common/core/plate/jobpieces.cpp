#include "common/core/plate/jobpieces.h"

#include <algorithm>

namespace blachorys::core {
namespace {

Contour turnedTo(const Contour& contour, bool anticlockwise) {
    const bool isAnticlockwise = ringArea(contour.points) > 0.0;
    return isAnticlockwise == anticlockwise ? contour : reversed(contour);
}

/** The exact contour of an outline, when it has one of three corners or more. */
const Contour* contourOf(const Pattern& pattern, int outline) {
    if (outline < 0 || static_cast<std::size_t>(outline) >= pattern.exactContours.size()) {
        return nullptr;
    }
    const Contour& contour = pattern.exactContours[static_cast<std::size_t>(outline)];
    return contour.points.size() < 3 ? nullptr : &contour;
}

} // namespace

std::optional<JobPiece> jobPieceOf(const Pattern& pattern, std::size_t index) {
    const PatternPiece& piece = pattern.pieces.at(index);
    const Contour* outline = contourOf(pattern, piece.outline);
    if (outline == nullptr) {
        return std::nullopt;
    }
    JobPiece job{piece.cut, {turnedTo(*outline, true), {}}};
    for (const int hole : piece.holes) {
        if (const Contour* contour = contourOf(pattern, hole)) {
            job.flat.holes.push_back(turnedTo(*contour, false));
        }
    }
    return job;
}

std::vector<JobPiece> jobPiecesOf(const Pattern& pattern) {
    std::vector<JobPiece> pieces;
    for (std::size_t index = 0; index < pattern.pieces.size(); ++index) {
        if (std::optional<JobPiece> piece = jobPieceOf(pattern, index)) {
            pieces.push_back(std::move(*piece));
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
