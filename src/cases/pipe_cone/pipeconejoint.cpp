#include "cases/pipe_cone/pipeconejoint.h"

#include "common/core/walls/firsttouching.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

double wrapped(double phi) {
    return phi - 2 * kPi * std::floor(phi / (2 * kPi));
}

} // namespace

PipeThroughPlate::PipeThroughPlate(const PipeConeInputs& in, const ConeMantle& cone,
                                   const ConePlate& plate)
    : m_cone(cone), m_plate(plate), m_generators(in, cone, in.Dr / 2) {}

std::optional<PlateMeeting> PipeThroughPlate::meet(double theta, double radius,
                                                   double depth) const {
    const PipeGenerators generators = m_generators.atRadius(radius);
    const std::optional<Meeting> typed = generators.meet(theta);
    if (!typed) {
        return std::nullopt;
    }
    const double phi = sectionAngle(m_cone, typed->x, typed->y, typed->z);
    if (depth == 0.0) {
        return PlateMeeting{phi, typed->z, typed->h, {typed->x, typed->y, typed->z}};
    }
    // Inside the outside face: the line goes on from where it met it, and the layer's
    // meeting lies close to that generator.
    const std::optional<LayerMeeting> layer = m_plate.meet(generators.line(theta), depth, phi);
    if (!layer) {
        return std::nullopt;
    }
    return PlateMeeting{wrapped(layer->phi), layer->height, generators.toTheEndFace(layer->along),
                        layer->point};
}

std::optional<PlateMeeting> PipeThroughPlate::firstTouching(double theta,
                                                            const PipeConeSurfaces& s) const {
    const double depth = s.coneContact;
    const double contact = s.pipeContact;
    const double far = contact == s.pipeInside ? s.pipeOutside : s.pipeInside;
    // The layer found was met on the way: its meeting is kept, not worked out again.
    std::optional<PlateMeeting> last;
    double lastRadius = std::numeric_limits<double>::quiet_NaN();
    const auto meeting = [&](double radius) {
        if (radius != lastRadius) {
            last = meet(theta, radius, depth);
            lastRadius = radius;
        }
        return last;
    };
    const double layer = firstTouchingLayer(
        [&](double radius) -> std::optional<double> {
            const std::optional<PlateMeeting> m = meeting(radius);
            return m ? std::optional(m->h) : std::nullopt;
        },
        contact, far);
    const std::optional<PlateMeeting> first = meeting(layer);
    return first ? first : meeting(contact);
}

MantleSheet::MantleSheet(const ConeMantle& cone, const ConePlate& plate,
                         const MantleOutline& outline, double depth)
    : m_cone(cone), m_plate(plate), m_outline(outline), m_mean(plate, outline, depth),
      m_outside(plate, outline, 0.0) {}

PatternPoint MantleSheet::at(const PlateMeeting& m) const {
    if (!thin()) {
        return m_mean.at(m.phi, m.height);
    }
    const Point3& p = m.point;
    const double psi = developedAngle(m_outline, sectionAngle(m_cone, p.x, p.y, p.z));
    const double length = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    return {length * std::cos(psi), length * std::sin(psi)};
}

std::vector<PatternPoint> MantleSheet::tablePoints(const std::vector<PlateMeeting>& meetings,
                                                   bool referenceLoops) const {
    std::vector<PatternPoint> table;
    if (!thin()) {
        for (const PlateMeeting& m : meetings) {
            table.push_back(at(m));
        }
        return table;
    }
    std::vector<Point3> points;
    for (const PlateMeeting& m : meetings) {
        points.push_back(m.point);
    }
    if (referenceLoops) {
        for (const Point3& p : points) {
            const DevelopedPoint d = developPointReference(m_cone, p.x, p.y, p.z);
            table.push_back({d.x, d.y});
        }
        return table;
    }
    for (const DevelopedPoint& d : developPoints(m_cone, points)) {
        table.push_back({d.x, d.y});
    }
    return table;
}

ExactArcs MantleSheet::arcs(MantleOutline& o) const {
    ExactArcs arcs;
    arcs.large.resize(o.fineXd.size());
    arcs.small.resize(o.fineXd.size());
    if (thin()) {
        // The small end is the large one scaled towards the apex.
        const double rho = (m_cone.Zd() - m_cone.Hs) / m_cone.Zd();
        for (std::size_t s = 0; s < o.fineXd.size(); ++s) {
            arcs.large[s] = {o.fineXd[s], o.fineYd[s]};
            arcs.small[s] = {rho * o.fineXd[s], rho * o.fineYd[s]};
        }
        return arcs;
    }
    // Both end planes' sections of the plate's mean surface, rolled out.
    LayerEnds ends = layerEnds(m_mean, m_cone, o);
    arcs.large = std::move(ends.large);
    arcs.small = std::move(ends.small);
    return arcs;
}

PatternPoint MantleSheet::onOutsideFace(PatternPoint p) const {
    const auto [phi, height] = m_mean.under(p);
    // The mean surface's point and the outside face's over the same typed point.
    return m_outside.at(phi, height);
}

} // namespace blachorys::core
