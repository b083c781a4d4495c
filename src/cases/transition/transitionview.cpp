#include "cases/transition/transitionview.h"

#include "common/core/geometry/coneunrolling.h"
#include "common/core/walls/walloffset.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

/** The view's pieces of the sheet reach this much past its ends: their sampling does not cut it. */
constexpr double kReachPast = 1.02;
/** A fan's end along the circle is drawn in this many steps for the outline of its region. */
constexpr int kStepsAlongAFansEnd = 64;
/**
 * A fan's squares are laid by angle times this many of its longest lines, so that they turn
 * by a few degrees each and its shading runs smoothly round the corner.
 */
constexpr double kGridRadiusPerSlant = 3.0;

double angleBetween(Point3 a, Point3 b) {
    return std::atan2(norm(cross(a, b)), dot(a, b));
}

PatternPoint towards(PatternPoint from, double length, double direction) {
    return {from.x + length * std::cos(direction), from.y + length * std::sin(direction)};
}

/**
 * A quarter's fan: its corner in space and on the pattern, its first line's direction, and
 * the circle it runs down to (radius `radius` about the axis in the plane z = 0).
 */
struct Fan {
    std::shared_ptr<const ConeUnrolling> unrolling;
    PatternPoint corner;
    double first = 0.0;
    double radius = 0.0;

    /** How far the fan's line at developed angle ψ runs from the corner to the circle. */
    double toTheCircle(double psi) const {
        const double t = unrolling->parameterAt(std::clamp(psi, 0.0, unrolling->totalAngle()));
        return norm(Point3{radius * std::cos(t), radius * std::sin(t), 0.0} - unrolling->apex());
    }
};

/** A flat triangle between two corners and the circle point both fans share. */
struct Flat {
    std::array<PatternPoint, 3> pattern;
    std::array<Point3, 3> space;
};

/** Where a point of the sheet goes on one piece, and how far outside that piece it lies. */
struct Placed {
    double outside;
    Point3 at;
};

Placed onFan(const Fan& fan, PatternPoint p) {
    const double dx = p.x - fan.corner.x;
    const double dy = p.y - fan.corner.y;
    const double slant = std::hypot(dx, dy);
    const double total = fan.unrolling->totalAngle();
    double psi = std::atan2(dy, dx) - fan.first;
    psi += 2 * kPi * std::round((total / 2 - psi) / (2 * kPi));
    // Beside the fan's lines, or beyond the circle along them: a wide rectangle's flat
    // triangles lie within another corner's angles, further out.
    const double outside =
        std::max({0.0, slant * std::max(-psi, psi - total), slant - fan.toTheCircle(psi)});
    return {outside, fan.unrolling->pointAt(slant, psi)};
}

Placed onFlat(const Flat& flat, PatternPoint p) {
    const PatternPoint a = flat.pattern[0];
    const PatternPoint u{flat.pattern[1].x - a.x, flat.pattern[1].y - a.y};
    const PatternPoint v{flat.pattern[2].x - a.x, flat.pattern[2].y - a.y};
    const double det = u.x * v.y - u.y * v.x;
    if (std::fabs(det) <= 0.0) {
        return {std::numeric_limits<double>::infinity(), {}};
    }
    const double s = ((p.x - a.x) * v.y - (p.y - a.y) * v.x) / det;
    const double t = (u.x * (p.y - a.y) - u.y * (p.x - a.x)) / det;
    const double size = std::max(std::hypot(u.x, u.y), std::hypot(v.x, v.y));
    return {size * std::max({0.0, -s, -t, s + t - 1}),
            flat.space[0] + s * (flat.space[1] - flat.space[0]) +
                t * (flat.space[2] - flat.space[0])};
}

/** The folded transition: which piece of the sheet a point lies in, and where it goes. */
class Folding {
public:
    explicit Folding(const TransitionInputs& in) {
        const double radius = in.D / 2;
        const auto circle = [radius](double phi) {
            return Point3{radius * std::cos(phi), radius * std::sin(phi), 0.0};
        };
        const std::array<Point3, 4> corners{Point3{in.PA + in.A / 2, in.PB + in.B / 2, in.H},
                                            Point3{in.PA - in.A / 2, in.PB + in.B / 2, in.H},
                                            Point3{in.PA - in.A / 2, in.PB - in.B / 2, in.H},
                                            Point3{in.PA + in.A / 2, in.PB - in.B / 2, in.H}};
        PatternPoint corner{0.0, 0.0};
        double direction = 0.0;
        for (int k = 0; k < 4; ++k) {
            const Point3 apex = corners[static_cast<std::size_t>(k)];
            const Point3 next = corners[static_cast<std::size_t>((k + 1) % 4)];
            const double start = k * kPi / 2;
            Fan fan{std::make_shared<const ConeUnrolling>(apex, circle, start, start + kPi / 2,
                                                          kUnrollingStepsPerTurn / 4),
                    corner, direction, radius};
            const double last = direction + fan.unrolling->totalAngle();
            const Point3 shared = circle(start + kPi / 2);
            const PatternPoint sharedOnPattern = towards(corner, norm(shared - apex), last);
            const double side = norm(next - apex);
            const PatternPoint nextCorner =
                towards(corner, side, last + angleBetween(shared - apex, next - apex));
            m_flats[static_cast<std::size_t>(k)] = {{corner, nextCorner, sharedOnPattern},
                                                    {apex, next, shared}};
            m_fans[static_cast<std::size_t>(k)] = std::move(fan);
            direction = last - angleBetween(apex - shared, next - shared);
            corner = nextCorner;
        }
    }

    Point3 operator()(PatternPoint p) const {
        // The piece the point lies in, or the one it lies least far outside of.
        Placed best{std::numeric_limits<double>::infinity(), {}};
        for (const Fan& fan : m_fans) {
            const Placed placed = onFan(fan, p);
            best = placed.outside < best.outside ? placed : best;
        }
        for (const Flat& flat : m_flats) {
            const Placed placed = onFlat(flat, p);
            best = placed.outside < best.outside ? placed : best;
        }
        return best.at;
    }

    /**
     * The fans and the flat triangles as the view cuts them: each reaches a little past the
     * sheet's ends, a fan's squares run along its lines, a triangle's are square.
     */
    std::vector<GridRegion>
    regions(const std::function<std::vector<SheetSurface>(SheetSurface)>& facesOf) const {
        std::vector<GridRegion> regions;
        for (std::size_t k = 0; k < m_fans.size(); ++k) {
            const Fan& fan = m_fans[k];
            const double total = fan.unrolling->totalAngle();
            GridRegion wedge;
            wedge.outline.push_back(fan.corner);
            double slant = 0.0;
            for (int step = 0; step <= kStepsAlongAFansEnd; ++step) {
                const double psi = total * step / kStepsAlongAFansEnd;
                const double length = fan.toTheCircle(psi);
                slant = std::max(slant, length);
                wedge.outline.push_back(towards(fan.corner, kReachPast * length, fan.first + psi));
            }
            wedge.grid = sectorGrid(fan.corner, fan.first + total / 2, kGridRadiusPerSlant * slant);
            wedge.faces = facesOf([fan](PatternPoint p) { return onFan(fan, p).at; });
            regions.push_back(std::move(wedge));

            const Flat& flat = m_flats[k];
            const PatternPoint shared = flat.pattern[2];
            const auto past = [shared](PatternPoint corner) {
                return PatternPoint{shared.x + kReachPast * (corner.x - shared.x),
                                    shared.y + kReachPast * (corner.y - shared.y)};
            };
            regions.push_back({{past(flat.pattern[0]), past(flat.pattern[1]), shared},
                               {},
                               facesOf([flat](PatternPoint p) { return onFlat(flat, p).at; })});
        }
        return regions;
    }

    /** The seam in space: from corner 1 down to the circle's point at angle 0. */
    Point3 seamCorner() const { return m_flats[0].space[0]; }
    Point3 seamDirection() const { return m_fans[0].unrolling->direction(0.0); }

private:
    std::array<Fan, 4> m_fans;
    std::array<Flat, 4> m_flats;
};

} // namespace

JointView transitionView(const TransitionModel& model) {
    // The pattern is the plate's mean surface, folded sharp (the typed sizes without a thickness).
    const TransitionInputs& in = model.developed;
    const auto folding = std::make_shared<const Folding>(in);
    DevelopedPart part;
    part.contours = {0};
    part.measuredOn = [folding](PatternPoint p) { return (*folding)(p); };
    const double t = model.inputs.t;
    const Point3 axisTop{in.PA, in.PB, in.H};
    // The plate's outside and inside, half its thickness either side of the mean surface.
    const auto facesOf = [t, axisTop](const SheetSurface& mean) {
        if (!(t > 0.0)) {
            return std::vector<SheetSurface>{mean};
        }
        return std::vector<SheetSurface>{offsetAlongNormal(mean, t / 2, {}, axisTop),
                                         offsetAlongNormal(mean, -t / 2, {}, axisTop)};
    };
    part.faces = facesOf(part.measuredOn);
    part.regions = folding->regions(facesOf);
    part.meetings.push_back({LineRole::EndEdge, [](Point3 p) { return p.z; }});
    part.meetings.push_back({LineRole::StartEdge, [H = in.H](Point3 p) { return p.z - H; }});
    const Point3 corner = folding->seamCorner();
    const Point3 seam = folding->seamDirection();
    part.meetings.push_back(
        {LineRole::SeamEdge, [corner, seam](Point3 p) { return fromLine(p, corner, seam); }});
    JointView view;
    view.developed.push_back(std::move(part));
    return view;
}

} // namespace blachorys::core
