#pragma once

#include "common/core/calculator/inputchecks.h"
#include "common/core/pattern/pattern.h"
#include "common/core/walls/wall.h"

#include <string>
#include <vector>

namespace blachorys::core {

/** The elbow inputs as read from the fields: millimetres and degrees. */
struct ElbowInputs {
    double Dr = 300.0;  ///< pipe diameter: mean for a rolled sheet, outer for a wrapped template
    double Rk = 800.0;  ///< bend radius of the elbow's centre line
    double BETA = 90.0; ///< total angle of the elbow, degrees
    int Ns = 6;         ///< segments, the two end segments (A) and the middle ones (B) together
    int N = 24;         ///< equal parts of the developed circumference
    double t = 0.0;     ///< the wall's thickness; 0: Dr is the developed diameter
    /** The surface Dr is measured on, when the wall has a thickness. */
    WallSurface diameter = WallSurface::Outside;
    PartMaking made = PartMaking::RolledFromPlate;
};

/** The elbow's wall. */
Wall elbowWall(const ElbowInputs& inputs);

/**
 * The diameter the strips are developed on: the mean surface's when rolled from plate, the
 * outside's when cut from a pipe; Dr itself without a thickness. The mitre planes stay where
 * Rk and BETA put them.
 */
double developedDiameter(const ElbowInputs& inputs);

/**
 * One table of generator heights serves both patterns: an end segment A stands on a straight
 * base line and is cut by the curve h; a middle segment B is two such cuts back to back, 2·h
 * high, symmetric about its centre line. Generator 0 (and N, the same line) lies on the inner
 * side of the bend, where the seam falls. Entries 0..N of each table are valid.
 */
struct ElbowModel {
    ElbowInputs inputs;
    /** Angle between each oblique cut and the pipe's cross-section, radians. */
    double halfAngle = 0.0;
    std::vector<double> L;    ///< abscissa of each generator along the developed circumference, mm
    std::vector<double> h;    ///< height of each generator in an A pattern, mm
    double hmax = 0.0;        ///< the largest h, never below 0
    double Lc = 0.0;          ///< developed circumference, the length of both patterns
    double developedDr = 0.0; ///< the diameter developed
    /** A's cut (L, h) as exactly as it is cut, through its points; B's halves are the same. */
    std::vector<PatternPoint> exactCut;

    /** Centre line of the B pattern in the template, 0.5·hmax clear of the A pattern. */
    double middleCentreLine() const { return 2.5 * hmax; }
};

/** Messages of the failing checks, in the order the window shows them (empty: inputs pass). */
std::vector<std::string> validateElbow(const ElbowInputs& inputs);

/** The checks of the inputs, in the order the window shows their messages. */
const InputChecks<ElbowInputs>& elbowChecks();

/**
 * Half the turn at each of the Ns − 1 joints, degrees: BETA / (2·(Ns − 1)). It reaches 90° only
 * for a full turn in three segments, where a cut would run along the pipe.
 */
double halfAngleDegrees(const ElbowInputs& inputs);

/**
 * The generator table: the inputs must have passed validation, with Dr not 0 and a half angle
 * below 90°.
 */
ElbowModel computeElbow(const ElbowInputs& inputs);

/** True when every table entry, hmax and Lc are finite numbers. */
bool isFinite(const ElbowModel& model);

} // namespace blachorys::core
