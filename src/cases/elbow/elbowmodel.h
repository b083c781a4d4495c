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
    /** Where each segment's seam lies round its axis, degrees from the inner side of the bend. */
    double seam = 0.0;
    /** Each segment's seam half a turn from its neighbour's, so that no two line up. */
    bool alternateSeams = false;
};

/** One generator of a strip: a reported point, or the seam where it falls between two. */
struct ElbowGenerator {
    double L = 0.0; ///< along the strip from its seam, mm
    double h = 0.0; ///< the height of the cut there in an A strip, mm
    int point = -1; ///< the reported point's number; -1 for the seam between two points
};

/**
 * One pattern of strips cut alike: an end segment (A, on its base line) or a middle one (B,
 * about its centre line), developed from its seam round to it again.
 */
struct ElbowStrip {
    bool middle = false;
    std::string name; ///< "A", "B"; a second pattern of the same kind "A'", "B'"
    int count = 0;
    /** Where the pattern starts round the strip's own axis, radians from the inner side. */
    double seam = 0.0;
    /** A's base line or B's centre line, in the pattern. */
    double base = 0.0;
    std::vector<ElbowGenerator> generators; ///< from the seam round to it, Lc further on
    /** The cut (L, h) as exactly as it is cut, through the generators. */
    std::vector<PatternPoint> exactCut;
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
    /**
     * The patterns, each 0.5·hmax clear of the last, the first A on the base line 0: one A and
     * one B while every seam lies on the inner side, more where the seams are turned.
     */
    std::vector<ElbowStrip> strips;
    /** The strips of the first end, of the middle segments 1, 3, ... and 2, 4, ..., of the last. */
    std::size_t firstEndStrip = 0;
    std::size_t oddMiddleStrip = 0;
    std::size_t evenMiddleStrip = 0;
    std::size_t lastEndStrip = 0;
    /** The top of the last pattern and half an hmax above it, in hmax. */
    double topInHmax = 0.0;

    /** Centre line of the first B pattern when the seams lie on the inner side. */
    double middleCentreLine() const { return 2.5 * hmax; }
    /** Whether every segment's seam lies on the inner side of the bend, as the table has it. */
    bool seamsOnTheInnerSide() const;
    /** Segment `segment`'s strip, 0 the first end, Ns − 1 the last. */
    std::size_t stripOf(int segment) const;
};

/**
 * Where segment `segment`'s seam lies round its own axis, radians in [0, 2π) from the inner
 * side of the bend: the typed angle, half a turn more on every other segment when the seams
 * alternate.
 */
double segmentSeam(const ElbowInputs& inputs, int segment);

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
