#pragma once

#include "common/core/geometry/ring.h"
#include "common/core/pattern/markinglines.h"
#include "common/core/pattern/pattern.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace blachorys::core {

/**
 * A piece as it is cut, in one frame: its outline, anticlockwise, and its holes, clockwise,
 * each a closed chain with its edges' roles.
 */
struct FlatPiece {
    Contour outline;
    std::vector<Contour> holes;
};

/** What is cut of one piece or part, and marked and numbered on it, in one frame. */
struct PieceDrawing {
    FlatPiece piece;
    std::vector<MarkedLine> markings;
    std::vector<PointMark> points;
    /** "B – część 1/2 – 4 szt.": what it is, set at the middle of it; empty for none. */
    std::string caption;
};

/** A rigid motion of the plane: turned about the origin by the angle of (cos, sin), then moved. */
struct Motion {
    double cos = 1.0;
    double sin = 0.0;
    PatternPoint shift;

    PatternPoint operator()(PatternPoint p) const {
        return {cos * p.x - sin * p.y + shift.x, sin * p.x + cos * p.y + shift.y};
    }
    /** This motion, then `next`. */
    Motion then(const Motion& next) const;
    Motion inverse() const;
    static Motion moveBy(PatternPoint by) { return {1.0, 0.0, by}; }
    /** Turned by a quarter turn `quarters` times, exactly. */
    static Motion quarterTurns(int quarters);
};

/** The motion that takes `a` to `toA` and the direction from `a` to `b` to that from `toA` to
 * `toB`. */
Motion motionOnto(PatternPoint a, PatternPoint b, PatternPoint toA, PatternPoint toB);

Contour moved(const Contour& contour, const Motion& motion);
PieceDrawing moved(const PieceDrawing& drawing, const Motion& motion);
MarkedLine moved(MarkedLine line, const Motion& motion);
PointMark moved(PointMark mark, const Motion& motion);

/** A box round points, mm; empty round nothing. */
struct FlatBox {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    bool empty = true;

    void add(PatternPoint p);
    double width() const { return empty ? 0.0 : maxX - minX; }
    double height() const { return empty ? 0.0 : maxY - minY; }
};

FlatBox boxOf(const std::vector<PatternPoint>& points);

/** The area of the piece's plate, mm²: its outline's, less its holes'. */
double netArea(const FlatPiece& piece);

/** The middle of the area the outline encloses (its holes left in), mm. */
PatternPoint centroidOf(const Contour& outline);

/** The chain run the other way, each edge keeping its role. */
Contour reversed(const Contour& contour);

/**
 * Whether points lie inside a piece (within its outline, outside its holes), for many points:
 * the edges bucketed by the horizontal band they cross, so a point looks only at its band's.
 * The bands hold about as many vertices each, so a long, nearly level cut shares its edges
 * among many bands instead of filling one. A point on an edge may fall either side.
 */
class InsideTest {
public:
    explicit InsideTest(const FlatPiece& piece);
    bool contains(PatternPoint p) const;

private:
    struct Edge {
        PatternPoint a;
        PatternPoint b;
    };
    /** The band holding height y: bands run from one bound up to the next. */
    std::size_t bandOf(double y) const;

    std::vector<Edge> m_edges;
    std::vector<double> m_bounds;
    std::vector<std::vector<std::size_t>> m_bands;
};

/**
 * The closed chain with as few of its own points as keep every dropped point within
 * `tolerance` of the chain that remains (Douglas and Peucker's), for work that need not be
 * exact: the nesting's outlines.
 */
std::vector<PatternPoint> simplifiedChain(const std::vector<PatternPoint>& points,
                                          double tolerance);

/** The smallest convex chain round the points, anticlockwise. */
std::vector<PatternPoint> convexHull(std::vector<PatternPoint> points);

/**
 * The turn about the origin that gives the points their smallest box: along one edge of their
 * hull (the rotating calipers' rule); none when their box is already as small.
 */
Motion uprightTurn(const std::vector<PatternPoint>& points);

/**
 * A turn about the origin under which the points' box is no longer than `length` along X and
 * no wider than `width` along Y: the smallest box's turn or a quarter turn from it where one
 * fits, else the first of the turns a twentieth of a degree apart that does (a piece that is
 * narrowest aslant fits so where its smallest box does not); none when no turn fits.
 */
std::optional<Motion> turnThatFits(const std::vector<PatternPoint>& points, double length,
                                   double width);

} // namespace blachorys::core
