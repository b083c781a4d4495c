#pragma once

#include "common/core/calculator/inputchecks.h"
#include "common/core/pattern/pattern.h"
#include "common/core/walls/wall.h"

#include <optional>

#include <string>
#include <vector>

namespace blachorys::core {

enum class PipePipeDevelopment {
    SmallerPipe, ///< the branch's template
    LargerPipe,  ///< the shell with the hole
};

/**
 * The pipe-pipe inputs as read from the fields: millimetres and degrees. With both wall
 * thicknesses 0 the diameters serve every surface, as the worker chose them; with a thickness
 * they are outside diameters.
 */
struct PipePipeInputs {
    double Dm = 300.0;  ///< diameter of the smaller pipe (branch)
    double Dd = 800.0;  ///< diameter of the larger pipe (shell)
    double P = 200.0;   ///< sideways offset of the branch axis from the shell axis
    double BETA = 90.0; ///< inclination of the branch axis to the shell axis, degrees
    double alfa = 0.0;  ///< position of the branch's weld seam, degrees
    double H = 700.0;   ///< height of the branch's end-face centre above the shell axis
    double Ld = 1000.0; ///< length of the shell
    double Lm = 350.0;  ///< branch axis position along the shell at the shell-axis height
    int N = 24;         ///< parts of the circumference
    /** Where the shell's seam lies round its axis, degrees on from its side (y = +Dd/2). */
    double shellSeam = 0.0;
    double tm = 0.0; ///< wall thickness of the branch
    double td = 0.0; ///< wall thickness of the shell
    BranchJoint joint = BranchJoint::SetOn;
    PartMaking branchMade = PartMaking::RolledFromPlate;
    PartMaking shellMade = PartMaking::RolledFromPlate;
    PipePipeDevelopment development = PipePipeDevelopment::SmallerPipe;
};

/** The branch's wall and the shell's: Dm and Dd are their outside diameters. */
Wall branchWall(const PipePipeInputs& inputs);
Wall shellWall(const PipePipeInputs& inputs);

/** The radii of the surfaces that matter, mm. */
struct PipePipeSurfaces {
    double branchContact = 0.0;     ///< the branch's surface that meets the shell
    double shellContact = 0.0;      ///< the shell's surface the branch meets
    double branchDevelopment = 0.0; ///< the surface the branch's template is developed on
    double shellDevelopment = 0.0;  ///< the surface the shell's sheet is developed on
    double branchInside = 0.0;      ///< the faces of the branch's wall
    double branchOutside = 0.0;
    double shellInside = 0.0; ///< the faces of the shell's wall
    double shellOutside = 0.0;
};

PipePipeSurfaces surfacesOf(const PipePipeInputs& inputs);

/** Either wall has a thickness: the diameters are outside ones and the joint matters. */
bool hasWallThickness(const PipePipeInputs& inputs);

/** The seam's angle round the branch, radians: alfa less its whole turns. */
double seamAngle(const PipePipeInputs& inputs);

/** The computed pattern. Entries 0..N of the developed table are valid. */
struct PipePipeModel {
    PipePipeInputs inputs;
    /** Template: abscissa along the branch's developed circumference, mm. */
    std::vector<double> L;
    /** Template: generator length from the intersection curve to the end face, mm. */
    std::vector<double> h;
    /** Hole: position along the shell's axis from its beginning, mm. */
    std::vector<double> Xo;
    /** Hole: arc length round the shell, mm. */
    std::vector<double> Yo;
    /** Greatest h, never below 0; stays 0 for the larger-pipe development. */
    double hmax = 0.0;
    /** The developed circumference of the chosen development's pipe, mm. */
    double girth = 0.0;
    /**
     * The developed table's curve as exactly as it is cut, through its points: the template's
     * (L, −h) or the hole's (Xo, Yo).
     */
    std::vector<PatternPoint> exactCurve;
    /**
     * The shortest generator of the branch's cut as exactly as it is cut, mm, in either
     * development: below 0 the branch's end lies inside the shell.
     */
    double shortestGenerator = 0.0;
    /** Lowest and highest X the hole reaches, mm, in either development. */
    double holeMinX = 0.0;
    double holeMaxX = 0.0;
    /**
     * How far, at most, the hole cut square through the shell's wall stands clear of the
     * branch's surface at the shell's outside face, mm: where the hole's envelope through the
     * wall is set by a deeper layer. 0 without a shell wall.
     */
    double holeOverhang = 0.0;
    /** Why the hole cannot be cut through the shell's wall, when it cannot. */
    std::optional<std::string> holeFault;
    /**
     * How far round the shell's sheet the hole lies from where the seam at the shell's side
     * puts it, mm: the seam turned, the sheet starts there. 0 with the seam at the side.
     */
    double holeShift = 0.0;
    /** Where the turned seam would cross the hole, with the angles that clear it. */
    std::optional<std::string> seamFault;
};

/** The layers of the shell's wall make no one hole the branch passes. */
inline constexpr const char* kHoleThroughTheWallMessage =
    "Blad obliczen. Prawdopodobnie otworu nie da sie wyciac przez cala scianke RURY WIEKSZEJ.";

/** The checks of the inputs, in the order the window shows their messages. */
const InputChecks<PipePipeInputs>& pipePipeChecks();

/** Messages of the failing checks (empty: inputs pass). */
std::vector<std::string> validatePipePipe(const PipePipeInputs& inputs);

/** The table of the chosen development; the inputs must have passed validation. */
PipePipeModel computePipePipe(const PipePipeInputs& inputs);

/**
 * Why the joint cannot be made as computed, or nothing: the branch's end face inside the shell
 * (a generator of the template shorter than nothing), or the branch past an end of the shell.
 */
std::optional<std::string> pipePipeFault(const PipePipeModel& model);

/** True when every table value, and the developed circumference, is a finite number. */
bool isFinite(const PipePipeModel& model);

} // namespace blachorys::core
