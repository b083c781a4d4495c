#pragma once

#include <string>
#include <vector>

namespace blachorys::core {

/** The dimensions a branch set into a larger piece is checked by, and their names. */
struct BranchDimensions {
    const char* branchName; ///< the branch's diameter: "Dm"
    const char* shellName;  ///< the larger piece's diameter there: "Dd"
    double branch = 0.0;
    double shell = 0.0;
    double P = 0.0;    ///< sideways offset of the branch's axis
    double BETA = 0.0; ///< inclination of the branch's axis, degrees
    int N = 0;         ///< parts of the branch's circumference
};

/**
 * The checks every branch window makes first, each failing one a message, in the windows'
 * order: the branch no wider than the larger piece, P within its radius, BETA strictly between
 * 0 and 180°, N from 2 to 2000, and the branch's side within the radius. Comparisons are
 * strict, so touching a limit passes.
 */
std::vector<std::string> branchChecks(const BranchDimensions& dimensions);

} // namespace blachorys::core
