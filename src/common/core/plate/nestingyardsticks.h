#pragma once

#include "common/core/plate/jobpieces.h"
#include "common/core/plate/platematerial.h"

namespace blachorys::core {

/**
 * What a nesting is judged against, in plates: no nesting can use fewer than the area bound,
 * and a good one uses no more than the simple ways a fitter would lay the pieces out by hand.
 */
struct NestingYardsticks {
    /** The pieces' net area over the plate's, rounded up. */
    int areaBound = 0;
    /** Each copy's smallest box, largest first, in shelves along the plate, plate after plate. */
    int shelves = 0;
    /** The same boxes one to a row, each the lower way round. */
    int onePerRow = 0;
    /** Copies whose smallest box fits no plate either way: one plate each in both of the above. */
    int tooLargeForABox = 0;
};

NestingYardsticks nestingYardsticks(const std::vector<JobPiece>& pieces, const Plate& plate,
                                    double gapMm);

} // namespace blachorys::core
