#pragma once

#include "cases/pipe_cone/pipeconegenerators.h"
#include "cases/pipe_cone/pipeconemodel.h"
#include "common/core/walls/coneplate.h"

#include <optional>
#include <vector>

namespace blachorys::core {

/** Where a layer of the pipe's wall meets a layer of the cone's plate. */
struct PlateMeeting {
    double phi = 0.0;    ///< the cone's generator under it, by section angle, 0..2π
    double height = 0.0; ///< the height of the typed surface's point under it, mm
    double h = 0.0;      ///< the pipe generator's length from it to the pipe's end face, mm
    Point3 point;
};

/**
 * The pipe's wall, layer by layer (its radius about the pipe's axis), against the cone's
 * plate, layer by layer (its depth along the plate's normal, 0 the outside, negative inward).
 * Every answer depends on its arguments alone.
 */
class PipeThroughPlate {
public:
    PipeThroughPlate(const PipeConeInputs& in, const ConeMantle& cone, const ConePlate& plate);

    /** Where the generator at θ of the pipe's layer of `radius` meets the plate's `depth`. */
    std::optional<PlateMeeting> meet(double theta, double radius, double depth) const;

    /**
     * Where the generator at θ of the layer of the pipe's wall that meets the cone's contact
     * surface first meets it: the pipe's end cut square through its wall rests there.
     */
    std::optional<PlateMeeting> firstTouching(double theta, const PipeConeSurfaces& s) const;

private:
    const ConeMantle& m_cone;
    const ConePlate& m_plate;
    PipeGenerators m_generators;
};

/**
 * The cone's mantle rolled out on the surface it is developed on (its plate's mean surface,
 * or without a plate the cone itself about its apex): its arcs, and where a point of the plate
 * lands on it.
 */
class MantleSheet {
public:
    MantleSheet(const ConeMantle& cone, const ConePlate& plate, const MantleOutline& outline,
                double depth);
    MantleSheet(const MantleSheet&) = delete;
    MantleSheet& operator=(const MantleSheet&) = delete;

    /** The point of the mantle over a meeting's typed point, marked on the sheet. */
    PatternPoint at(const PlateMeeting& m) const;

    /**
     * The table's points: without a plate each by its own fan of thin triangles
     * (`developPoints`, or with `referenceLoops` the straightforward loop), as the mantle's
     * points have always been developed; with one as `at`.
     */
    std::vector<PatternPoint> tablePoints(const std::vector<PlateMeeting>& meetings,
                                          bool referenceLoops) const;

    /** Both end arcs as exactly as they are cut; with a plate the outline's arcs are set too. */
    ExactArcs arcs(MantleOutline& outline) const;

    /** The cone's outside face laid flat under a point of the sheet. */
    PatternPoint onOutsideFace(PatternPoint p) const;

private:
    bool thin() const { return m_mean.depth() == 0.0; }

    const ConeMantle& m_cone;
    const ConePlate& m_plate;
    const MantleOutline& m_outline;
    LayerDevelopment m_mean;
    LayerDevelopment m_outside;
};

} // namespace blachorys::core
