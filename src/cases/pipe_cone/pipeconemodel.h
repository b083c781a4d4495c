#pragma once

#include "common/core/calculator/casecalculator.h"
#include "common/core/geometry/obliquecone.h"
#include "common/core/pattern/patternlines.h"
#include "common/core/walls/wall.h"

#include <string>
#include <vector>

namespace blachorys::core {

/** What "Licz" develops: the branch's template (Pipe) or the cone's mantle with the hole. */
enum class PipeConeDevelopment { Pipe, Cone };

/**
 * The pipe-cone inputs as read from the fields: millimetres and degrees. With both thicknesses
 * 0 the diameters serve every surface, as the worker chose them; with a thickness they are
 * outside diameters.
 */
struct PipeConeInputs {
    double Dr = 250.0;  ///< diameter of the pipe (branch)
    double Dsm = 600.0; ///< diameter of the cone's small end face
    double Dsd = 800.0; ///< diameter of the cone's large end face
    double P = 230.0;   ///< sideways offset of the pipe's axis from the cone's centre line
    double BETA = 90.0; ///< inclination of the pipe's axis to the cone's length axis, degrees
    double alfa = 0.0;  ///< position of the weld seam on the pipe, degrees
    double Hr = 700.0;  ///< height of the pipe's end-face centre above the cone's centre line
    double Hs = 1000.0; ///< length of the cone: distance between its end faces
    double Lm = 600.0;  ///< the pipe's axis from the small end, along the cone's axis
    double E = 100.0;   ///< offset of the large end face's centre from the small one's
    int N = 24;         ///< parts of the pipe's circumference
    double tr = 0.0;    ///< wall thickness of the pipe
    double ts = 0.0;    ///< thickness of the cone's plate
    BranchJoint joint = BranchJoint::SetOn;
    PartMaking pipeMade = PartMaking::RolledFromPlate;
    PipeConeDevelopment development = PipeConeDevelopment::Pipe;
};

/** The pipe's wall and the cone's plate: Dr, Dsm and Dsd are their outside diameters. */
Wall pipeWall(const PipeConeInputs& inputs);
/** The cone is rolled from plate: developed on its mean surface. */
Wall coneWall(const PipeConeInputs& inputs);

/**
 * The surfaces that matter: the pipe's as radii, mm; the cone's as depths below its outside,
 * along its normal, mm (0 the outside, −ts its inside).
 */
struct PipeConeSurfaces {
    double pipeContact = 0.0;     ///< the pipe's surface that meets the cone
    double pipeDevelopment = 0.0; ///< the surface the template is developed on
    double pipeInside = 0.0;      ///< the faces of the pipe's wall
    double pipeOutside = 0.0;
    double coneContact = 0.0;     ///< the cone's surface the pipe meets
    double coneDevelopment = 0.0; ///< the surface the mantle is developed on
    double coneInside = 0.0;      ///< the cone's inside face (its outside is depth 0)
};

PipeConeSurfaces surfacesOf(const PipeConeInputs& inputs);

/** Either wall has a thickness: the diameters are outside ones and the joint matters. */
bool hasWallThickness(const PipeConeInputs& inputs);

/**
 * The computed patterns. The template (L, h) is filled in both developments; the mantle
 * (the outline's arcs, the hole, the bounding box) only in the cone development. Entries 0..N
 * of every filled table are valid.
 */
struct PipeConeModel {
    PipeConeInputs inputs;
    /** Distances of the end faces from the cone's apex, mm. */
    double Zd = 0.0;
    double Zm = 0.0;
    /** Template: abscissa along the pipe's developed circumference, mm. */
    std::vector<double> L;
    /** Template: generator length from the intersection curve to the pipe's end face, mm. */
    std::vector<double> h;
    /** Greatest h, never below 0. */
    double hmax = 0.0;
    /** The template's width: the circumference of the surface it is developed on, mm. */
    double girth = 0.0;
    /**
     * How far, at most, the hole cut square through the cone's plate stands clear of the
     * pipe's contact surface at the cone's outside face, mm. 0 without a plate thickness.
     */
    double holeOverhang = 0.0;
    /** Mantle: both end arcs, developed from the cut. */
    MantleOutline outline;
    /**
     * Mantle: where template generator i meets the cone, in the cone's frame (with a wall, where
     * the pipe's contact surface meets the layer of the plate that sets the hole's outline).
     */
    std::vector<Point3> hole;
    /** Mantle: the hole's outline, point i where template generator i meets the cone, mm. */
    std::vector<double> Xo;
    std::vector<double> Yo;
    /** Mantle: the bounding box of both arcs (the hole lies within the mantle), mm. */
    SheetBox sheet;
    /** The template's curve (L, −h) as exactly as it is cut, through its points. */
    std::vector<PatternPoint> exactTemplate;
    /** Mantle: the hole and both arcs as exactly as they are cut, through their points. */
    std::vector<PatternPoint> exactHole;
    ExactArcs exactArcs;
};

/** The checks of the inputs, in the order the window shows their messages. */
const InputChecks<PipeConeInputs>& pipeConeChecks();

/** Messages of the failing checks (empty: inputs pass). */
std::vector<std::string> validatePipeCone(const PipeConeInputs& inputs);

/** The cone of the inputs, in the frame fixed to it. */
ConeMantle coneMantle(const PipeConeInputs& inputs);

/**
 * The template and, in the cone development, the mantle with the hole; the inputs must have
 * passed validation. There is no model when the cone has no length or no large end, when a
 * pipe generator runs parallel to a generator of the cone, when one misses the cone or meets
 * it past an end face, when the pipe's end face lies inside the cone (the template's
 * development), or when the hole crosses the mantle's cut (the cone's).
 */
Construction<PipeConeModel> computePipeCone(const PipeConeInputs& inputs);

/**
 * The same with the mantle unrolled by the straightforward reference loops
 * (`developPointReference`, `developOutlineReference`), a fan for every hole point, some
 * forty times slower at the largest N: what the fast fans are measured and checked against.
 */
Construction<PipeConeModel> computePipeConeReference(const PipeConeInputs& inputs);

/** True when every table value, hmax, the sheet and its size are finite. */
bool isFinite(const PipeConeModel& model);

} // namespace blachorys::core
