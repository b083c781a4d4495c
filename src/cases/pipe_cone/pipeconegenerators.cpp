#include "cases/pipe_cone/pipeconegenerators.h"

#include "cases/pipe_cone/pipeconemodel.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/pattern/pattern.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/**
 * An inclination this close to 90°, in radians, is taken as square to the cone's axis: the
 * generators then run parallel to the end faces and the quadratic's tan β is not needed.
 */
constexpr double kSquareTolerance = 1e-9;
/**
 * Share of c² below which the quadratic's leading coefficient k² − c² is rounding noise: the
 * pipe's generators then run parallel to a generator of the cone, and the second meeting the
 * quadratic would give lies some 10¹² cone lengths away.
 */
constexpr double kParallelTolerance = 1e-12;

} // namespace

PipeGenerators::PipeGenerators(const PipeConeInputs& in, const ConeMantle& cone, double radius)
    : m_in(&in), m_cone(&cone), m_beta(in.BETA * kPi / 180), m_r(radius), m_zA(cone.Zm() + in.Lm),
      m_square(std::fabs(m_beta - kPi / 2) < kSquareTolerance) {
    const double Zd = cone.Zd();
    m_c2 = in.Dsd * in.Dsd / (4 * Zd * Zd);
    m_tanBeta = std::tan(m_beta);
    m_k = in.E / in.Hs - m_tanBeta;
    m_A2 = m_k * m_k - m_c2;
}

PipeGenerators PipeGenerators::atRadius(double radius) const {
    PipeGenerators other = *this;
    other.m_r = radius;
    return other;
}

bool PipeGenerators::parallelToTheCone() const {
    return !m_square && std::fabs(m_A2) <= kParallelTolerance * m_c2;
}

std::optional<Meeting> PipeGenerators::meet(double theta) const {
    const double x = m_in->P - m_r * std::sin(theta);
    return m_square ? meetSquare(x, theta) : meetInclined(x, theta);
}

SpaceLine PipeGenerators::line(double theta) const {
    const double x = m_in->P - m_r * std::sin(theta);
    if (m_square) {
        return {{x, m_cone->centreAt(m_zA), m_zA + m_r * std::cos(theta)}, {0.0, 1.0, 0.0}};
    }
    const double across = m_r * std::cos(theta);
    return {
        {x, m_cone->centreAt(m_zA) - across * std::cos(m_beta), m_zA + across * std::sin(m_beta)},
        {0.0, std::sin(m_beta), std::cos(m_beta)}};
}

double PipeGenerators::toTheEndFace(double along) const {
    return (m_square ? m_in->Hr : m_in->Hr / std::sin(m_beta)) - along;
}

std::optional<Meeting> PipeGenerators::meetSquare(double x, double theta) const {
    const double z = m_zA + m_r * std::cos(theta);
    const double R = m_cone->radiusAt(z);
    if (R * R - x * x < 0) {
        return std::nullopt;
    }
    const double w = std::sqrt(R * R - x * x);
    return Meeting{x, m_cone->centreAt(z) + w, z,
                   m_in->Hr - m_r * m_in->E * std::cos(theta) / m_in->Hs - w};
}

std::optional<Meeting> PipeGenerators::meetInclined(double x, double theta) const {
    const double m = m_k * m_zA - m_r * std::cos(theta) / std::cos(m_beta);
    const double A1 = -2 * m_k * m;
    const double A0 = m * m + x * x;
    // A1² − 4·A2·A0 rearranged: near β = 90° A1² and 4·A2·A0 are two huge, nearly equal
    // numbers whose difference is all rounding, while c²·A0 − k²·x² loses nothing.
    const double D = 4 * (m_c2 * A0 - m_k * m_k * x * x);
    if (D < 0) {
        return std::nullopt;
    }
    const double z1 = (-A1 - std::sqrt(D)) / (2 * m_A2);
    const double z2 = (-A1 + std::sqrt(D)) / (2 * m_A2);
    const double y1 = m + z1 * m_tanBeta;
    const double y2 = m + z2 * m_tanBeta;
    // The meeting nearer the pipe's end face, which stands on the side of positive y.
    const bool first = y1 > y2;
    const double y = first ? y1 : y2;
    const double yEnd =
        m_in->Hr + m_in->E * m_zA / m_in->Hs - m_r * std::cos(m_beta) * std::cos(theta);
    return Meeting{x, y, first ? z1 : z2, (yEnd - y) / std::sin(m_beta)};
}

bool entersTheConeTowardsItsEnd(const PipeConeInputs& in, const ConeMantle& cone, double radius) {
    constexpr int kSteps = 360;
    const PipeGenerators pipe(in, cone, radius);
    const double lean = cone.E / cone.Hs;
    const double slope = (cone.Dsd - cone.Dsm) / (2 * cone.Hs);
    for (int k = 0; k < kSteps; ++k) {
        const double theta = 2 * kPi * k / kSteps;
        const std::optional<Meeting> m = pipe.meet(theta);
        if (!m) {
            continue;
        }
        // The mantle is x² + (y − e·z)² − (k·z)² = 0, negative inside: along the generator
        // towards the end face its gradient must point the same way, out of the cone.
        const Point3 d = pipe.line(theta).direction;
        const double across = m->y - lean * m->z;
        const double outward =
            m->x * d.x + across * d.y - (lean * across + slope * slope * m->z) * d.z;
        if (outward < 0) {
            return true;
        }
    }
    return false;
}

FrustumReach::FrustumReach(const ConeMantle& cone)
    : m_low(std::min(cone.Zm(), cone.Zd())), m_high(std::max(cone.Zm(), cone.Zd())),
      m_rounding(roundingAt(std::fabs(cone.Zd()) + cone.Hs)),
      m_lowest(std::numeric_limits<double>::infinity()),
      m_highest(-std::numeric_limits<double>::infinity()) {}

void FrustumReach::add(double z) {
    m_lowest = std::min(m_lowest, z);
    m_highest = std::max(m_highest, z);
}

double FrustumReach::clearance() const {
    return std::max(kCutAllowance, m_rounding);
}

bool FrustumReach::withinTheEnds() const {
    return m_lowest >= lowestWithin() && m_highest <= highestWithin();
}

} // namespace blachorys::core
