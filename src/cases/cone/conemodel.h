#pragma once

#include "common/core/calculator/inputchecks.h"
#include "common/core/geometry/obliquecone.h"
#include "common/core/pattern/patternlines.h"
#include "common/core/walls/wall.h"

#include <optional>

#include <string>
#include <vector>

namespace blachorys::core {

/** The cone inputs as read from the fields: millimetres and degrees. */
struct ConeInputs {
    double Dsm = 600.0; ///< diameter of one edge, called the smaller (it may be the larger)
    double Dsd = 800.0; ///< diameter of the other edge, called the larger
    double alfa = 0.0;  ///< angular position of the weld seam on the edges, degrees
    double Hs = 1000.0; ///< length of the cone: distance between the planes of the two edges
    double E = 100.0;   ///< offset of the edges' centres parallel to their planes (0: right cone)
    int N = 24;         ///< equal parts of the developed circumference
    double t = 0.0;     ///< the plate's thickness; 0: Dsm and Dsd are the developed diameters
    /** The surface Dsm and Dsd are measured on, when the plate has a thickness. */
    WallSurface diameters = WallSurface::Outside;
};

/** The cone's plate, rolled: developed on its mean surface. */
Wall coneWall(const ConeInputs& inputs);

/**
 * The diameters of the developed surface in the planes of the two edges, as the plate's mean
 * surface crosses them, Hs and E unchanged: each generator of the typed surface moved along its
 * normal to the mean surface and met with the edges' planes, and a circle about each edge's
 * centre through those points (for a right cone, each radius moves by the normal offset over
 * the cosine of the angle between a generator and the axis). Without a thickness, the typed
 * diameters.
 */
struct DevelopedDiameters {
    double Dsm = 0.0;
    double Dsd = 0.0;
};
DevelopedDiameters developedDiameters(const ConeInputs& inputs);

/**
 * The developed shell. The origin is the developed apex, X to the right, Y up; point 0 lies on
 * the positive X axis and the points turn counterclockwise. Point j of the Dsm edge and point
 * j of the Dsd edge lie on the same generatrix. Entries 0..N of each table are valid.
 */
struct ConeModel {
    ConeInputs inputs;
    /** The diameters developed: the typed ones, or those of the plate's mean surface. */
    DevelopedDiameters developed;
    /** Height of the apex above the plane of the Dsd edge, mm; negative when Dsm > Dsd. */
    double H = 0.0;
    /** Offset of the apex from the Dsd edge's centre along E, mm. */
    double a = 0.0;
    /** Apex-to-Dsm-edge over apex-to-Dsd-edge, the same along every generatrix. */
    double k = 0.0;
    /** Fine steps per division, and in all (M = N·F ≥ 8000). */
    int F = 0;
    int M = 0;
    std::vector<double> Xm;
    std::vector<double> Ym;
    std::vector<double> Xd;
    std::vector<double> Yd;
    /** Bounding box of all 2·(N + 1) points, mm: the sheet the pattern is cut from. */
    SheetBox sheet;
    /** Both edges through every fine step, as exactly as they are cut. */
    ExactArcs exactArcs;
    /**
     * An oblique cone's plate, whose mean surface is no cone: the typed cone's outline (its fine
     * generators from the seam), on which the mean surface is rolled out generator by generator
     * (`RolledConePlate` over `typedMantle` at `meanDepth`); empty for a right cone or without
     * a thickness, whose developed surface is the cone through the developed diameters.
     */
    std::optional<MantleOutline> typedOutline;
};

/** The typed cone in the mantle's frame (apex at the origin, the offset along y). */
ConeMantle typedMantle(const ConeInputs& inputs);

/** How far the plate's mean surface lies outward of the typed one, mm. */
double meanDepth(const ConeInputs& inputs);

/** Messages of the failing checks, in the order the window shows them (empty: inputs pass). */
std::vector<std::string> validateCone(const ConeInputs& inputs);

/** The checks of the inputs, in the order the window shows their messages. */
const InputChecks<ConeInputs>& coneChecks();

/**
 * Dsd·Hs / (Dsd − Dsm) of the developed diameters; zero when Dsd or Hs is zero, and then there is
 * no development.
 */
double apexHeight(const ConeInputs& inputs);

/** Fine steps per division: 8000 / N, rounded up to a whole number. */
int fineStepsPerDivision(int divisions);

/**
 * The development by thin triangles about the apex: the inputs must have passed validation
 * and give a non-zero apex height.
 */
ConeModel computeCone(const ConeInputs& inputs);

/** True when every point, the bounding box and the sheet size are finite numbers. */
bool isFinite(const ConeModel& model);

} // namespace blachorys::core
