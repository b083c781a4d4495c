#pragma once

#include "cases/cone_pipe/conepipegeneratrix.h"
#include "cases/cone_pipe/conepipemodel.h"

#include <optional>

namespace blachorys::core {

/**
 * The cone's plate against the pipe's wall, once a wall has a thickness. The plate's layers
 * are cones of the same axis and half-angle (a right cone's normal offset), so the square cut
 * through the plate at a generatrix keeps to one plane through the axis and to one distance
 * along the generatrices, measured square to them. The cone's pattern is developed on its
 * mean surface and cut where the first of its layers meets the pipe's contact surface; the
 * hole, cut square to the pipe's wall, is made of the cone's contact surface through each layer
 * of the wall (`pierced`), marked on the surface the pipe's sheet is developed on.
 */
class WalledConeOnPipe {
public:
    explicit WalledConeOnPipe(const ConePipeInputs& inputs);

    /**
     * The generatrix at w: its cut's radius on the developed pattern (Z, from the developed
     * surface's apex) and the hole's point at the pipe's outside face; or why it has none (the
     * cone's contact surface passes the pipe's inside face by, too).
     */
    ConePipeFault cut(double w, CutPoint& point) const;

    /**
     * Where the cone's contact surface at w pierces the pipe's layer of `radius`, marked on the
     * pipe's developed surface; nothing where it misses it.
     */
    std::optional<PatternPoint> pierced(double w, double radius) const;

    /** The free end's radius on the pattern, mm. */
    double freeEndSlant() const;

    /** The diameter of the developed surface in the free end's plane, mm. */
    double developedFreeEnd() const { return layerDiameter(m_s.coneDevelopment); }

private:
    double layerDiameter(double depth) const;
    /** The cone's layer `depth` against the pipe's layer of radius `radius`. */
    ConePipeFault meet(double w, double depth, double radius, CutPoint& point) const;
    /** Z of the layer's cut carried square across the plate onto the developed surface. */
    double developedSlant(double depth, const CutPoint& point) const;
    ConePipeFault firstTouching(double w, CutPoint& point) const;
    ConePipeFault hole(double w, CutPoint& point) const;

    const ConePipeInputs& m_in;
    ConePipeSurfaces m_s;
    ConeInPipe m_typed;
    double m_gamma;
};

} // namespace blachorys::core
