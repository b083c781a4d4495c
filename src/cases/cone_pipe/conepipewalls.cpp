#include "cases/cone_pipe/conepipewalls.h"

#include "common/core/walls/firsttouching.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

} // namespace

WalledConeOnPipe::WalledConeOnPipe(const ConePipeInputs& in)
    : m_in(in), m_s(surfacesOf(in)), m_typed(in), m_gamma(in.Gamma * kPi / 180.0) {}

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
    const auto slant = [&](double depth) -> std::optional<double> {
        CutPoint p;
        if (meet(w, depth, m_s.pipeContact, p) != ConePipeFault::None) {
            return std::nullopt;
        }
        const double length = developedSlant(depth, p);
        return std::isfinite(length) ? std::optional(length) : std::nullopt;
    };
    const double depth = firstTouchingLayer(slant, contact, contact == 0.0 ? m_s.coneInside : 0.0);
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

std::optional<PatternPoint> WalledConeOnPipe::pierced(double w, double radius) const {
    CutPoint point;
    if (meet(w, m_s.coneContact, radius, point) != ConePipeFault::None) {
        return std::nullopt;
    }
    return point.hole;
}

ConePipeFault WalledConeOnPipe::hole(double w, CutPoint& point) const {
    if (const ConePipeFault fault = meet(w, m_s.coneContact, m_s.pipeOutside, point);
        fault != ConePipeFault::None) {
        return fault;
    }
    // The pipe's layers are nested cylinders: a generatrix through the inside face passes all.
    // Both developments ask it: the joint is made whole or not at all.
    CutPoint inside;
    if (m_s.pipeInside != m_s.pipeOutside &&
        meet(w, m_s.coneContact, m_s.pipeInside, inside) != ConePipeFault::None) {
        return ConePipeFault::HoleMissesTheWall;
    }
    return ConePipeFault::None;
}

} // namespace blachorys::core
