#pragma once

#include "cases/cone_pipe/conepipegeneratrix.h"
#include "cases/cone_pipe/conepipemodel.h"

#include <vector>

namespace blachorys::core {

/**
 * The cone's plate against the pipe's wall, once a wall has a thickness. The plate's layers
 * are cones of the same axis and half-angle (a right cone's normal offset), so the square cut
 * through the plate at a generatrix keeps to one plane through the axis and to one distance
 * along the generatrices, measured square to them. The cone's pattern is developed on its
 * mean surface and cut where the first of its layers meets the pipe's contact surface; the
 * hole, cut square to the pipe's wall, is the envelope of the cone's contact surface through
 * the whole wall, marked on the surface the pipe's sheet is developed on.
 */
class WalledConeOnPipe {
public:
    explicit WalledConeOnPipe(const ConePipeInputs& inputs);

    /**
     * The generatrix at w: its cut's radius on the developed pattern (Z, from the developed
     * surface's apex) and the hole's point; or why it has none.
     */
    ConePipeFault cut(double w, CutPoint& point) const;

    /** The free end's radius on the pattern, mm. */
    double freeEndSlant() const;

    /** The diameter of the developed surface in the free end's plane, mm. */
    double developedFreeEnd() const { return layerDiameter(m_s.coneDevelopment); }

    /**
     * How far, at most over `angles`, the hole stands clear of the cone's contact surface at
     * the pipe's outside face, mm: on that face, along the outline's normal.
     */
    double overhang(const std::vector<double>& angles) const;

    /** A fault met while finding which way round the hole runs, or None. */
    ConePipeFault fault() const { return m_fault; }

private:
    double layerDiameter(double depth) const;
    /** The cone's layer `depth` against the pipe's layer of radius `radius`. */
    ConePipeFault meet(double w, double depth, double radius, CutPoint& point) const;
    /** Z of the layer's cut carried square across the plate onto the developed surface. */
    double developedSlant(double depth, const CutPoint& point) const;
    ConePipeFault firstTouching(double w, CutPoint& point) const;
    ConePipeFault hole(double w, CutPoint& point) const;
    PatternPoint pierced(double w, double radius) const;
    PatternPoint outwardNormal(double w) const;

    const ConePipeInputs& m_in;
    ConePipeSurfaces m_s;
    ConeInPipe m_typed;
    double m_gamma;
    bool m_anticlockwise = true;
    mutable ConePipeFault m_fault = ConePipeFault::None;
};

} // namespace blachorys::core
