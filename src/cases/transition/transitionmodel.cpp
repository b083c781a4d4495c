#include "cases/transition/transitionmodel.h"

#include "common/core/base/finite.h"
#include "common/core/geometry/thintriangle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/**
 * Fine parts of a quarter at most, as many as a circumference may be divided into; every N
 * divides them into whole steps of kFinePartsPerQuarter div N, four fine parts or more since
 * the four quarters' N parts each keep to the same limit.
 */
constexpr int kFinePartsPerQuarter = kMaxDivisions;

struct SpacePoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

double distance(const SpacePoint& p, const SpacePoint& q) {
    const double dx = p.x - q.x;
    const double dy = p.y - q.y;
    const double dz = p.z - q.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double sign(double value) {
    return value < 0.0 ? -1.0 : 1.0;
}

} // namespace

double triangleAngle(double p, double q, double r) {
    // The shared thin-triangle angle takes the side it measures from first: q, then p, then
    // the base r.
    return apexAngle(q, p, r);
}

Wall transitionWall(const TransitionInputs& in) {
    return {in.t, in.sizes, PartMaking::RolledFromPlate};
}

TransitionInputs developedInputs(const TransitionInputs& in) {
    TransitionInputs developed = in;
    if (in.t == 0.0) {
        return developed;
    }
    const Wall wall = transitionWall(in);
    const double outward = wall.outwardOfTyped(wall.developed());
    developed.A = in.A + 2 * outward;
    developed.B = in.B + 2 * outward;
    developed.D = 2 * radiusOf(wall, in.D / 2, wall.developed());
    return developed;
}

std::size_t TransitionModel::pointIndex(int k, int i) const {
    return static_cast<std::size_t>((k - 1) * (inputs.N + 1) + i);
}

namespace {

/** Whether a size (a side, or the diameter) still has an inside face with the plate's thickness. */
bool hasInside(const TransitionInputs& in, double size) {
    if (in.t == 0.0) {
        return true;
    }
    return size + 2 * transitionWall(in).outwardOfTyped(WallSurface::Inside) > 0.0;
}

} // namespace

const InputChecks<TransitionInputs>& transitionChecks() {
    using In = TransitionInputs;
    static const InputChecks<In> checks = {
        atLeastTwoParts(&In::N),
        // N counts the parts of a quarter; the message names the parts round the whole circle.
        atMostTheTableParts(&In::N, 4),
        notNegative("A", &In::A),
        notNegative("B", &In::B),
        notNegative("D", &In::D),
        notNegative("H", &In::H),
        // A plate thicker than half a size leaves the piece no inside there.
        {dataError("t zbyt duze dla A - brak wnetrza prostokata"),
         [](const In& in) { return !hasInside(in, in.A); }},
        {dataError("t zbyt duze dla B - brak wnetrza prostokata"),
         [](const In& in) { return !hasInside(in, in.B); }},
        {dataError("t zbyt duze dla D - brak wnetrza kola"),
         [](const In& in) { return !hasInside(in, in.D); }},
    };
    return checks;
}

std::vector<std::string> validateTransition(const TransitionInputs& in) {
    return failedChecks(transitionChecks(), in);
}

namespace {

/** The fans developed fine triangle by fine triangle, quarter by quarter. */
struct Development {
    /** Every fine circle point, from (1, 0) to (4, N), the points quarters share once. */
    std::vector<PatternPoint> fine;
    /** The reported circle points, quarter by quarter, the shared ones twice. */
    std::vector<PatternPoint> reported;
    std::array<PatternPoint, 5> corners{};
    double shortestLine = 0.0;
};

/**
 * The development of the inputs with `step` fine parts between reported points and `M` per
 * quarter. Placed `late`, each fine point is set down before the angle of its own thin
 * triangle turns the line, as the point table has always been made; otherwise after it, which
 * is the exact development.
 */
Development develop(const TransitionInputs& in, int step, int M, bool late) {
    Development d;
    const double radius = in.D / 2;
    const double deltaPhi = 2 * kPi / (4 * M);
    // The short side of every thin triangle is the arc of one fine part, not its chord.
    const double ds = kPi * in.D / (4 * M);
    const auto circlePoint = [radius](double phi) {
        return SpacePoint{radius * std::cos(phi), radius * std::sin(phi), 0.0};
    };
    d.reported.reserve(4 * (static_cast<std::size_t>(in.N) + 1));
    d.fine.reserve(4 * static_cast<std::size_t>(M) + 1);
    double phi = 0.0;
    double direction = 0.0; // of the current line from the current corner, in the pattern
    double apex = 0.0;      // the last thin triangle's angle at the corner
    SpacePoint corner{in.PA + in.A / 2, in.PB + in.B / 2, in.H};
    double Xc = 0.0;
    double Yc = 0.0;
    double length = 0.0;
    double previousLength = 0.0;
    d.shortestLine = distance(corner, circlePoint(0.0));
    for (int k = 1; k <= 4; ++k) {
        for (int j = 0; j <= M; ++j) {
            length = distance(corner, circlePoint(phi));
            d.shortestLine = std::min(d.shortestLine, length);
            if (j > 0) {
                apex = triangleAngle(length, previousLength, ds);
                if (!late) {
                    direction += apex;
                }
            }
            // Late, the point goes down before the angle just found turns the direction; at
            // j = 0 the turn is the one left over from the previous fan.
            const PatternPoint point{Xc + length * std::cos(direction),
                                     Yc + length * std::sin(direction)};
            if (j % step == 0) {
                d.reported.push_back(point);
            }
            // A quarter's first point is the last one of the quarter before, found again.
            if (k == 1 || j > 0) {
                d.fine.push_back(point);
            }
            phi += deltaPhi;
            previousLength = length;
            if (late) {
                direction += apex;
            }
        }
        // Back to the circle point this quarter shares with the next, and to its line.
        phi -= deltaPhi;
        if (late) {
            direction -= apex;
        }

        // One radian past the quarter's end lies inside the next quadrant: its signs pick the
        // next corner (2, 3, 4, then 1 again).
        const SpacePoint next{sign(std::cos(phi + 1)) * in.A / 2 + in.PA,
                              sign(std::sin(phi + 1)) * in.B / 2 + in.PB, in.H};
        const double side = k % 2 == 1 ? in.A : in.B;
        const double nextLength = distance(next, circlePoint(phi));
        d.shortestLine = std::min(d.shortestLine, nextLength);
        // The flat triangle between the two corners and the shared circle point.
        const double atOldCorner = triangleAngle(length, side, nextLength);
        Xc += side * std::cos(direction + atOldCorner);
        Yc += side * std::sin(direction + atOldCorner);
        d.corners[static_cast<std::size_t>(k)] = {Xc, Yc};
        const double atCirclePoint = triangleAngle(length, nextLength, side);
        direction -= atCirclePoint;
        corner = next;
    }
    return d;
}

double apart(PatternPoint a, PatternPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

} // namespace

TransitionModel computeTransition(const TransitionInputs& in) {
    TransitionModel m;
    m.inputs = in;
    m.developed = developedInputs(in);
    m.step = kFinePartsPerQuarter / in.N;
    m.M = m.step * in.N;
    const Development table = develop(m.developed, m.step, m.M, true);
    const Development exact = develop(m.developed, m.step, m.M, false);
    const std::size_t points = table.reported.size();
    m.Xk.resize(points);
    m.Yk.resize(points);
    for (std::size_t index = 0; index < points; ++index) {
        m.Xk[index] = table.reported[index].x;
        m.Yk[index] = table.reported[index].y;
    }
    for (std::size_t c = 0; c < table.corners.size(); ++c) {
        m.Xp[c] = table.corners[c].x;
        m.Yp[c] = table.corners[c].y;
    }
    m.shortestLine = table.shortestLine;
    m.exactCircle = exact.fine;
    m.exactPoints = exact.reported;
    m.exactCorners = exact.corners;
    for (std::size_t index = 0; index < points; ++index) {
        m.tableOffset =
            std::max(m.tableOffset, apart(table.reported[index], exact.reported[index]));
    }
    for (std::size_t c = 0; c < table.corners.size(); ++c) {
        m.tableOffset = std::max(m.tableOffset, apart(table.corners[c], exact.corners[c]));
    }

    m.xmin = m.xmax = m.Xk[0];
    m.ymin = m.ymax = m.Yk[0];
    const auto widen = [&m](double x, double y) {
        m.xmin = std::min(m.xmin, x);
        m.xmax = std::max(m.xmax, x);
        m.ymin = std::min(m.ymin, y);
        m.ymax = std::max(m.ymax, y);
    };
    for (std::size_t index = 0; index < points; ++index) {
        widen(m.Xk[index], m.Yk[index]);
    }
    for (std::size_t c = 0; c < m.Xp.size(); ++c) {
        widen(m.Xp[c], m.Yp[c]);
    }
    m.W = m.xmax - m.xmin;
    m.Hs = m.ymax - m.ymin;
    return m;
}

bool isFinite(const TransitionModel& m) {
    return allFinite(m.Xk) && allFinite(m.Yk) && allFinite(m.Xp) && allFinite(m.Yp) &&
           allFinite(std::array{m.shortestLine, m.xmin, m.xmax, m.ymin, m.ymax, m.W, m.Hs});
}

} // namespace blachorys::core
