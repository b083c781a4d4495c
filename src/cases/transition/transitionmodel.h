#pragma once

#include "common/core/calculator/inputchecks.h"
#include "common/core/pattern/pattern.h"
#include "common/core/walls/wall.h"

#include <array>
#include <string>
#include <vector>

namespace blachorys::core {

/** The transition inputs as read from the fields, millimetres. */
struct TransitionInputs {
    double A = 150.0; ///< horizontal side of the rectangle
    double PA = 15.0; ///< horizontal shift of the rectangle's centre from the circle's centre
    double B = 220.0; ///< vertical side of the rectangle
    double PB = 20.0; ///< vertical shift of the rectangle's centre
    double D = 300.0; ///< diameter of the circle
    double H = 230.0; ///< distance between the planes of the circle and the rectangle
    int N = 12;       ///< reported parts of each quarter of the circle (4·N round the circle)
    double t = 0.0;   ///< the plate's thickness; 0: A, B and D are the developed sizes
    /** The surface A, B and D are measured on, when the plate has a thickness. */
    WallSurface sizes = WallSurface::Outside;
};

/** The transition's plate, bent: developed on its mean surface. */
Wall transitionWall(const TransitionInputs& inputs);

/**
 * The piece as developed: A, B and D of the plate's mean surface (outside less t, inside
 * plus t), the folds sharp on it; H, PA and PB between the same planes and centres. Without a
 * thickness, the inputs themselves.
 */
TransitionInputs developedInputs(const TransitionInputs& inputs);

/**
 * The developed transition. In space the circle lies in the plane z = 0 about the origin and
 * the rectangle in the plane z = H; corner 1 is the one at +A/2, +B/2 from the rectangle's
 * centre and the corners follow counterclockwise. Quarter k of the circle is fanned from
 * corner k. In the pattern corner 1 is the origin, the first line (corner 1 to the circle
 * point at angle 0) lies along the positive X axis and the fans turn counterclockwise.
 */
struct TransitionModel {
    TransitionInputs inputs;
    /** The sizes developed: the inputs', or the plate's mean surface's. */
    TransitionInputs developed;
    /** Fine parts between two reported points (kFinePartsPerQuarter div N), and fine parts per
     * quarter. */
    int step = 0;
    int M = 0;
    /** Pattern positions of corners 1 to 5; corner 5 is corner 1 at the other end of the seam. */
    std::array<double, 5> Xp{};
    std::array<double, 5> Yp{};
    /**
     * Pattern positions of the reported circle points, quarter by quarter: entry
     * (k − 1)·(N + 1) + i holds point i of quarter k. The last point of a quarter and the
     * first of the next are the same circle point, stored twice.
     */
    std::vector<double> Xk;
    std::vector<double> Yk;
    /** The shortest line from a corner to a circle point in space, mm. */
    double shortestLine = 0.0;
    /** Bounding box of every reported point and the five corners, mm. */
    double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;
    /** The sheet the pattern fits on, W = xmax − xmin by Hs = ymax − ymin, mm. */
    double W = 0.0, Hs = 0.0;
    /**
     * The exact development, which is cut: the point table's construction sets each point down
     * one thin triangle before its angle turns the line, which the table keeps; here each point
     * comes after it. The developed circle through every fine point of the four fans, from
     * point (1, 0) to point (4, N), the point a quarter shares with the next kept once; the
     * reported points in the table's order; the corners 1 to 5.
     */
    std::vector<PatternPoint> exactCircle;
    std::vector<PatternPoint> exactPoints;
    std::array<PatternPoint, 5> exactCorners{};
    /** How far the table's points and corners lie from the exact development's, at most, mm. */
    double tableOffset = 0.0;

    /** Flat index of point i of quarter k (k = 1..4, i = 0..N). */
    std::size_t pointIndex(int k, int i) const;
};

/** Messages of the failing checks, in the order the window shows them (empty: inputs pass). */
std::vector<std::string> validateTransition(const TransitionInputs& inputs);

/** The checks of the inputs, in the order the window shows their messages. */
const InputChecks<TransitionInputs>& transitionChecks();

/**
 * The angle, in radians, between the sides p and q of a triangle whose third side is r, from
 * t = (r² − p² + q²) / (2·q) and the arctangent of √(r² − t²) / (q − t). A right angle
 * (q − t = 0) is π/2 and a straight one (r = p + q) is π; q must not be 0.
 */
double triangleAngle(double p, double q, double r);

/**
 * The development by thin triangles, quarter by quarter: the inputs must have passed
 * validation and have A, B and D above zero.
 */
TransitionModel computeTransition(const TransitionInputs& inputs);

/** True when every point, corner, the bounding box and the sheet size are finite numbers. */
bool isFinite(const TransitionModel& model);

} // namespace blachorys::core
