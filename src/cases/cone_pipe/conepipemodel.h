#pragma once

#include "common/core/calculator/inputchecks.h"
#include "common/core/pattern/pattern.h"
#include "common/core/walls/wall.h"

#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

enum class ConePipeDevelopment {
    Cone, ///< the cone's sector, from its free end to the cut along the pipe
    Pipe, ///< the pipe's rectangle with the hole
};

/**
 * The cone-pipe inputs as read from the fields: millimetres and degrees. With both thicknesses
 * 0 the diameters serve every surface, as the worker chose them; with a thickness Ds is the
 * cone's outside diameter at its free end and Dr the pipe's outside diameter.
 */
struct ConePipeInputs {
    double Ds = 200.0;   ///< diameter of the cone's free end
    double Dr = 600.0;   ///< diameter of the pipe
    double P = 40.0;     ///< sideways offset of the cone's axis from the pipe's axis
    double Gamma = 18.0; ///< half-angle of the cone, between a generatrix and its axis, degrees
    double Beta = 75.0;  ///< inclination of the cone's axis to the pipe's axis, degrees
    double alfa = 0.0;   ///< angular position of the weld seam on the cone, degrees
    double Hs = 420.0;   ///< height of the free end's centre above the pipe's axis
    double L = 800.0;    ///< length of the pipe
    double Lm =
        300.0;  ///< where the cone's axis reaches the pipe axis' level, from the pipe's start
    int N = 48; ///< equal parts of the developed circumference
    /** Where the pipe's seam lies round its axis, degrees on from its side, over the top. */
    double pipeSeam = 0.0;
    double ts = 0.0; ///< thickness of the cone's plate
    double tr = 0.0; ///< wall thickness of the pipe
    BranchJoint joint = BranchJoint::SetOn;
    PartMaking pipeMade = PartMaking::RolledFromPlate;
    ConePipeDevelopment development = ConePipeDevelopment::Cone;
};

/** The cone is rolled from plate: developed on its mean surface. */
Wall coneWall(const ConePipeInputs& inputs);
/** The pipe's wall. */
Wall pipeWall(const ConePipeInputs& inputs);

/**
 * The surfaces that matter: the cone's as depths below its outside along its normal, mm (0 the
 * outside, −ts its inside); the pipe's as radii, mm.
 */
struct ConePipeSurfaces {
    double coneContact = 0.0;     ///< the cone's surface that meets the pipe
    double coneDevelopment = 0.0; ///< the surface the cone's pattern is developed on
    double coneInside = 0.0;      ///< the cone's inside face
    double pipeContact = 0.0;     ///< the pipe's surface the cone meets
    double pipeDevelopment = 0.0; ///< the surface the pipe's sheet is developed on
    double pipeInside = 0.0;      ///< the faces of the pipe's wall
    double pipeOutside = 0.0;
};

ConePipeSurfaces surfacesOf(const ConePipeInputs& inputs);

/** Either wall has a thickness: the diameters are outside ones and the joint matters. */
bool hasWallThickness(const ConePipeInputs& inputs);

/**
 * Both patterns, generatrix by generatrix: index n of every table belongs to the generatrix
 * that starts at alfa + n·360°/N on the free end. The cone pattern has the developed apex as
 * origin (X right, Y up; point 0 on the positive X axis, the points turning counterclockwise);
 * the pipe pattern has X along the pipe from its start and Y round its circumference from the
 * pipe's seam (the line at the side of the pipe, level with its axis, on the side of positive
 * offset), over the top.
 */
struct ConePipeModel {
    ConePipeInputs inputs;
    double h0 = 0.0; ///< apex to the centre of the free end, along the axis, mm
    double u = 0.0;  ///< height of the apex above the pipe's axis, mm
    double t = 0.0;  ///< apex to the free end along a generatrix: the free-end arc's radius, mm
                     ///< (with a wall, of the developed surface)
    double v = 0.0;  ///< angle of the cone pattern's sector, radians
    /** The cone's pattern: the free-end arc (Xm, Ym) and the cut along the pipe (Xd, Yd). */
    std::vector<double> Xm, Ym, Xd, Yd;
    /** The pipe's pattern: the outline of the hole. */
    std::vector<double> Xo, Yo;
    /** The pipe's sheet round: the circumference of the surface it is developed on, mm. */
    double girth = 0.0;
    /**
     * How far, at most, the hole cut square through the pipe's wall stands clear of the cone's
     * contact surface at the pipe's outside face, mm. 0 without a pipe wall.
     */
    double holeOverhang = 0.0;
    /**
     * How far round the pipe's sheet the hole lies from where the seam at the pipe's side puts
     * it, mm: the seam turned, the sheet starts there. 0 with the seam at the side.
     */
    double holeShift = 0.0;
    /** Bounding box of the development chosen: the cone's points, or the pipe's rectangle. */
    double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0;
    /** The free end's arc, the cut and the hole as exactly as they are cut, through the points. */
    std::vector<PatternPoint> exactFreeEnd, exactCut, exactHole;

    double sheetWidth() const { return maxX - minX; }
    double sheetHeight() const { return maxY - minY; }
};

/** Why a construction stopped. */
enum class ConePipeFault {
    None,
    NoFreeEnd,      ///< Ds = 0: no slant length to develop along
    NoPipe,         ///< Dr = 0: nothing to wrap the hole round
    ApexTooFar,     ///< the apex lies so far that the cone's pattern is lost in its rounding
    ParallelToPipe, ///< a generatrix runs parallel to the pipe's axis (the quadratic degenerates)
    MissesPipe,     ///< a generatrix does not reach the pipe on the cone's side of the apex
    BelowPipeAxis,  ///< a generatrix meets the pipe below the level of its axis
    OffThePipe,     ///< a cut point's arc round the pipe cannot be taken
    FreeEndInsidePipe,  ///< the cut lies nearer the apex than the free end on some generatrix
    PastThePipesEnd,    ///< the hole reaches past the start or the end of the pipe
    HoleMissesTheWall,  ///< the cone's contact surface does not pass the pipe's whole wall
    SeamThroughTheHole, ///< the pipe's seam, turned, would cross the hole
    NotFinite,          ///< some number overflowed or became undefined
};

/**
 * A construction: the model with the points of every generatrix before the one that stopped
 * it, the fault, and that generatrix (−1 when the fault is not a generatrix's).
 */
struct ConePipeConstruction {
    ConePipeModel model;
    ConePipeFault fault = ConePipeFault::None;
    int generatrix = -1;
    /** What would fit, said after the fault's message: "(pasuje Lm od 12.3 do 45.6)". */
    std::string fitting;
};

/** Messages of the failing checks, in the order the window shows them (empty: inputs pass). */
std::vector<std::string> validateConePipe(const ConePipeInputs& inputs);

/** The checks of the inputs, in the order the window shows their messages. */
const InputChecks<ConePipeInputs>& conePipeChecks();

/**
 * The angle on the pipe's cross-section, −π/2..π/2, whose sine is `ratio` (the cut point's
 * sideways position over the pipe's radius, sign reversed). A ratio past ±1 by rounding alone
 * counts as ±1; one further out is no point of the pipe.
 */
std::optional<double> angleOnPipe(double ratio);

/** All three tables and the bounding box; the inputs must have passed validation. */
ConePipeConstruction computeConePipe(const ConePipeInputs& inputs);

/** The error message for a fault: "Blad obliczen. Prawdopodobnie ..."; empty for None. */
std::string faultMessage(ConePipeFault fault);

} // namespace blachorys::core
