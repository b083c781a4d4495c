#include "cases/cone_pipe/conepipewalls.h"

#include "common/core/depthsearch.h"
#include "common/core/outlinenormal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/**
 * Golden-section steps through a wall: to 1e-5 of its thickness. What is sought there (the
 * first layer to meet, the widest outline) is stationary in the depth, or lies at a face, so
 * the length found is within a nanometre.
 */
constexpr int kLayerSteps = 24;
/** How far into a wall its face's slope is taken, in wall thicknesses. */
constexpr double kFaceSlopeShare = 1e-6;

} // namespace

WalledConeOnPipe::WalledConeOnPipe(const ConePipeInputs& in)
    : m_in(in), m_s(surfacesOf(in)), m_typed(in), m_gamma(in.Gamma * kPi / 180.0) {
    m_anticlockwise =
        runsAnticlockwise([this](double w) { return pierced(w, m_s.pipeDevelopment); });
}

double WalledConeOnPipe::layerDiameter(double depth) const {
    // Square to the generatrices a layer lies `depth` out; in the free end's plane, that over
    // cos Gamma.
    return m_in.Ds + 2 * depth / std::cos(m_gamma);
}

double WalledConeOnPipe::freeEndSlant() const {
    return developedFreeEnd() / 2 / std::sin(m_gamma);
}

ConePipeFault WalledConeOnPipe::meet(double w, double depth, double radius, CutPoint& point) const {
    return m_typed.layers(layerDiameter(depth), 2 * radius, 2 * m_s.pipeDevelopment).cut(w, point);
}

double WalledConeOnPipe::developedSlant(double depth, const CutPoint& point) const {
    // Along a generatrix, square to it, a layer's apex lies depth·cot Gamma behind the outside
    // one's; the developed surface's, as far behind by its own depth.
    return point.Z - (depth - m_s.coneDevelopment) / std::tan(m_gamma);
}

ConePipeFault WalledConeOnPipe::cut(double w, CutPoint& point) const {
    if (const ConePipeFault fault = firstTouching(w, point); fault != ConePipeFault::None) {
        return fault;
    }
    CutPoint marked;
    if (const ConePipeFault fault = hole(w, marked); fault != ConePipeFault::None) {
        return fault;
    }
    point.hole = marked.hole;
    return ConePipeFault::None;
}

ConePipeFault WalledConeOnPipe::firstTouching(double w, CutPoint& point) const {
    const double contact = m_s.coneContact;
    CutPoint touching;
    if (const ConePipeFault fault = meet(w, contact, m_s.pipeContact, touching);
        fault != ConePipeFault::None) {
        return fault;
    }
    const auto slant = [&](double depth) {
        CutPoint p;
        return meet(w, depth, m_s.pipeContact, p) == ConePipeFault::None
                   ? developedSlant(depth, p)
                   : std::numeric_limits<double>::infinity();
    };
    double far = contact == 0.0 ? m_s.coneInside : 0.0;
    if (far != contact && !std::isfinite(slant(far))) {
        // The layers that meet the pipe run from the contact surface to where the plate
        // passes the pipe's side.
        double meets = contact;
        for (int step = 0; step < kLayerSteps; ++step) {
            const double middle = (meets + far) / 2;
            (std::isfinite(slant(middle)) ? meets : far) = middle;
        }
        far = meets;
    }
    const double low = std::min(contact, far);
    const double high = std::max(contact, far);
    const double depth =
        low == high ? contact
                    : depthOfMinimumFacesFirst(low, high, slant, kFaceSlopeShare * (high - low),
                                               kLayerSteps);
    CutPoint first;
    if (meet(w, depth, m_s.pipeContact, first) != ConePipeFault::None) {
        first = touching;
        point.Z = developedSlant(contact, touching);
    } else {
        point.Z = developedSlant(depth, first);
    }
    point.rn = first.rn;
    point.zc = first.zc;
    return ConePipeFault::None;
}

PatternPoint WalledConeOnPipe::pierced(double w, double radius) const {
    CutPoint point;
    if (const ConePipeFault fault = meet(w, m_s.coneContact, radius, point);
        fault != ConePipeFault::None) {
        m_fault = fault;
        return {};
    }
    return point.hole;
}

PatternPoint WalledConeOnPipe::outwardNormal(double w) const {
    return outwardNormalOf([this](double t) { return pierced(t, m_s.pipeDevelopment); }, w,
                           m_anticlockwise);
}

ConePipeFault WalledConeOnPipe::hole(double w, CutPoint& point) const {
    if (const ConePipeFault fault = meet(w, m_s.coneContact, m_s.pipeOutside, point);
        fault != ConePipeFault::None) {
        return fault;
    }
    // Only the pipe's sheet is cut through its wall: the cone's pattern needs the cone to
    // meet the pipe, not the hole to pass it.
    if (m_s.pipeInside == m_s.pipeOutside || m_in.development == ConePipeDevelopment::Cone) {
        return ConePipeFault::None;
    }
    // The pipe's layers are nested cylinders: a generatrix through the inside face passes all.
    CutPoint inside;
    if (meet(w, m_s.coneContact, m_s.pipeInside, inside) != ConePipeFault::None) {
        return ConePipeFault::HoleMissesTheWall;
    }
    const PatternPoint normal = outwardNormal(w);
    const double radius = depthOfMaximumFacesFirst(
        m_s.pipeInside, m_s.pipeOutside,
        [&](double layer) {
            CutPoint p;
            if (meet(w, m_s.coneContact, layer, p) != ConePipeFault::None) {
                return -std::numeric_limits<double>::infinity();
            }
            return normal.x * p.hole.x + normal.y * p.hole.y;
        },
        kFaceSlopeShare * (m_s.pipeOutside - m_s.pipeInside), kLayerSteps);
    return meet(w, m_s.coneContact, radius, point) == ConePipeFault::None
               ? ConePipeFault::None
               : meet(w, m_s.coneContact, m_s.pipeOutside, point);
}

double WalledConeOnPipe::overhang(const std::vector<double>& angles) const {
    if (m_s.pipeInside == m_s.pipeOutside) {
        return 0.0;
    }
    const double onOutside = m_s.pipeOutside / m_s.pipeDevelopment;
    double worst = 0.0;
    for (const double w : angles) {
        CutPoint cut;
        if (hole(w, cut) != ConePipeFault::None) {
            continue;
        }
        const PatternPoint face = pierced(w, m_s.pipeOutside);
        const PatternPoint normal = outwardNormal(w);
        // Round the pipe, millimetres on the outside face are those on the sheet scaled.
        worst = std::max(worst, normal.x * (cut.hole.x - face.x) +
                                    normal.y * (cut.hole.y - face.y) * onOutside);
    }
    return worst;
}

} // namespace blachorys::core
