#pragma once

#include "common/core/geometry/point.h"
#include "common/core/geometry/polygonclipping.h"

#include <functional>
#include <optional>
#include <vector>

namespace blachorys::core {

/**
 * Where the branch's contact surface, at `angle` round the branch, pierces the wall it passes at
 * `depth` through that wall (the case's own measure of depth: a radius, or a distance along the
 * plate's normal), marked on the sheet the wall is developed on; nothing where it misses it.
 */
using LayerCurve = std::function<std::optional<PatternPoint>(double depth, double angle)>;

/** One layer of the wall as the hole's construction sampled it, round the branch. */
struct SampledLayer {
    double depth = 0.0;
    /** The angles round the branch of its points, increasing; the table's among them. */
    std::vector<double> angles;
    std::vector<PatternPoint> points;
};

/** The hole through a wall of some thickness, on the sheet the wall is developed on. */
struct WallHole {
    /** The table's points, one at each of its angles, on the hole's outline. */
    std::vector<PatternPoint> points;
    /** The outline as it is cut: from point 0 round through every table point to the last. */
    std::vector<PatternPoint> exact;
    /** The layers whose curves it is made of, from the inside face to the outside face. */
    std::vector<SampledLayer> layers;
};

/** Why a hole through a wall cannot be made. */
enum class WallHoleFault {
    None,
    /** The branch misses some layer of the wall: no hole passes it through the whole wall. */
    MissesALayer,
    /** The layers' curves enclose no single region (or reach past what can be clipped). */
    NotOneOutline,
};

struct WallHoleResult {
    std::optional<WallHole> hole;
    WallHoleFault fault = WallHoleFault::None;
};

/**
 * The hole a branch needs through a wall, cut square to the wall from its `inside` face to its
 * `outside` face: the outer boundary of the union of the regions the branch's contact surface
 * encloses on the layers between the faces (both faces, and as many layers between them as keep
 * the union within the cut line's tolerance of the union over every depth), grown by that
 * tolerance so that no chord of it enters the branch. Its table points are the outline's points
 * nearest to the layers' points at the table's `angles` (increasing, once round: the last
 * point, a turn after the first, is the first again).
 */
WallHoleResult holeThroughWall(const LayerCurve& layer, double inside, double outside,
                               const std::vector<double>& angles);

/** Carries a point of the sheet onto the wall's outside face laid flat, mm. */
using ToOutsideFace = std::function<PatternPoint(PatternPoint)>;

/**
 * How far, at most, the hole stands clear of the branch at the wall's outside face, mm: each
 * point of its outline from the curve the branch makes on that face, both carried onto it.
 */
double overhangAtTheOutsideFace(const WallHole& hole, const ToOutsideFace& toOutsideFace);

} // namespace blachorys::core
