#pragma once

#include <string>
#include <vector>

namespace blachorys::core {

/**
 * One piece outline of a pattern as the job cuts it: what the worker calls it, how many of it
 * the job takes, and the thickness of the plate it is cut from (0 when none is given).
 */
struct CutPiece {
    std::string name;
    int count = 1;
    double thickness = 0.0;
    friend bool operator==(const CutPiece&, const CutPiece&) = default;
};

/** The pieces of a pattern, one per piece outline, in the outlines' order. */
using CutPieces = std::vector<CutPiece>;

} // namespace blachorys::core
