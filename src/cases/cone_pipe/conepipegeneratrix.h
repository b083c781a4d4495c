#pragma once

#include "cases/cone_pipe/conepipemodel.h"
#include "common/core/pattern/pattern.h"

namespace blachorys::core {

/** Where one generatrix meets the pipe. */
struct CutPoint {
    double rn = 0.0;   ///< the cone's radius there, mm
    double Z = 0.0;    ///< slant distance from the apex, mm: the cut's radius in the cone pattern
    double zc = 0.0;   ///< height above the pipe's axis, mm
    PatternPoint hole; ///< the point on the pipe's rolled-out sheet
};

/**
 * One surface of the cone against one surface of the pipe, generatrix by generatrix. A surface
 * of the cone is given by its diameter in the free end's plane (its generatrices keep the
 * half-angle Gamma, so its apex lies on the axis where that diameter closes), a surface of the
 * pipe by its diameter; the hole is marked on the pipe's surface of diameter `markedOn`.
 */
class ConeInPipe {
public:
    /** The typed surfaces of both: the cone as Ds says, the pipe as Dr says. */
    explicit ConeInPipe(const ConePipeInputs& in);
    ConeInPipe(const ConePipeInputs& in, double freeEnd, double pipe, double markedOn);

    /** Another surface of each, the angles kept. */
    ConeInPipe layers(double freeEnd, double pipe, double markedOn) const;

    /** The generatrix at angle w round the free end, or why it has no cut. */
    ConePipeFault cut(double w, CutPoint& point) const;

    /** The height of this surface's apex above the pipe's axis, mm. */
    double apexHeight() const { return m_u; }

private:
    void place(double freeEnd, double pipe, double markedOn);

    const ConePipeInputs* m_in;
    double m_gamma;
    double m_beta;
    double m_tanGamma;
    double m_sinGamma;
    double m_sinBeta;
    double m_tanBeta;
    /** sin(π/2 − β), as the construction has always taken cos β. */
    double m_sinComplement;
    double m_freeEnd = 0.0;
    double m_pipe = 0.0;
    double m_markedOn = 0.0;
    double m_u = 0.0;
};

} // namespace blachorys::core
