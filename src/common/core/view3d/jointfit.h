#pragma once

#include "common/core/pattern/pattern.h"
#include "common/core/view3d/edgepreparation.h"
#include "common/core/view3d/jointview.h"

#include <string>

namespace blachorys::core {

/** A gap past this is shown red, with the place where it is, mm. */
inline constexpr double kGapShownRed = 0.1;

/**
 * How well the rolled pattern meets what it must meet: the largest distance of any point of
 * its measured edges (every point of the exact outline and the middle of every chord between
 * two) from the surface or plane that edge must lie on, and where it is. A fitted edge is
 * measured through the whole wall: its cut face, from the near face's edge to the far one's.
 */
struct JointFit {
    bool measured = false; ///< some edge was measured
    double largestGap = 0.0;
    Point3 where;
    PatternPoint patternWhere;
    /** The reported point nearest to where the gap is largest, as the report names it. */
    std::string nearestPoint;
};

JointFit measureFit(const Pattern& pattern, const JointView& joint,
                    const PreparedEdges* edges = nullptr);

/** "Największa szczelina złącza: 0.01 mm", and past kGapShownRed where: "(przy punkcie h5)". */
std::string fitText(const JointFit& fit);

} // namespace blachorys::core
