#include "cases/cone_pipe/conepipegeneratrix.h"

#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/**
 * A cut point level with the pipe's axis may come out a hair below it by rounding; so much,
 * as a share of the pipe's diameter, still counts as level.
 */
constexpr double kLevelRounding = 1e-9;

double toRadians(double degrees) {
    return degrees * kPi / 180.0;
}

} // namespace

ConeInPipe::ConeInPipe(const ConePipeInputs& in) : ConeInPipe(in, in.Ds, in.Dr, in.Dr) {}

ConeInPipe::ConeInPipe(const ConePipeInputs& in, double freeEnd, double pipe, double markedOn)
    : m_in(&in), m_gamma(toRadians(in.Gamma)), m_beta(toRadians(in.Beta)),
      m_tanGamma(std::tan(m_gamma)), m_sinGamma(std::sin(m_gamma)), m_sinBeta(std::sin(m_beta)),
      m_tanBeta(std::tan(m_beta)), m_sinComplement(std::sin(kPi / 2 - m_beta)) {
    place(freeEnd, pipe, markedOn);
}

ConeInPipe ConeInPipe::layers(double freeEnd, double pipe, double markedOn) const {
    ConeInPipe other = *this;
    other.place(freeEnd, pipe, markedOn);
    return other;
}

void ConeInPipe::place(double freeEnd, double pipe, double markedOn) {
    m_freeEnd = freeEnd;
    m_pipe = pipe;
    m_markedOn = markedOn;
    m_u = freeEnd / 2 / m_tanGamma * m_sinBeta + m_in->Hs;
}

ConePipeFault ConeInPipe::cut(double w, CutPoint& point) const {
    const double sinW = std::sin(w);
    const double cosW = std::cos(w);
    const double freeEndRadius = m_freeEnd / 2;
    // The generatrix from its point on the free end, where the cone's radius is the free end's
    // and its height z0, towards the apex: where the radius is freeEndRadius + ρ it lies at
    // y = y0 − ρ·sin w, z = z0 − ρ·Q. Measured from the free end, not from the apex, the
    // quadratic's terms stay of the pipe's size however far the apex lies (a cone of a
    // millionth of a degree is a pipe whose apex lies thousands of kilometres away, and from
    // there the pipe's surface y² + z² = (Dr/2)² is lost in the rounding of u²).
    const double z0 = m_in->Hs - freeEndRadius * cosW * m_sinComplement;
    const double y0 = m_in->P - freeEndRadius * sinW;
    const double Q = 2 * (m_u - z0) / m_freeEnd;
    const double A = sinW * sinW + Q * Q;
    const double B = -2 * (y0 * sinW + z0 * Q);
    const double C = y0 * y0 + z0 * z0 - m_pipe * m_pipe / 4;
    const double discriminant = B * B - 4 * A * C;
    if (!std::isfinite(discriminant)) {
        return ConePipeFault::NotFinite;
    }
    if (A == 0.0) {
        return ConePipeFault::ParallelToPipe;
    }
    if (discriminant < 0.0) {
        return ConePipeFault::MissesPipe;
    }
    // The two roots, each without cancellation between −B and √Δ: the nearer one to the apex
    // is the point where the generatrix first meets the pipe.
    const double q = -(B + std::copysign(std::sqrt(discriminant), B)) / 2;
    const double rho1 = q / A;
    const double rho2 = q != 0.0 ? C / q : rho1;
    const double rho = std::min(rho1, rho2);
    const double rn = freeEndRadius + rho;
    // A root behind the apex is a point of the cone's other nappe: this generatrix, on the
    // cone's side, goes away from the pipe.
    if (rn < 0.0) {
        return ConePipeFault::MissesPipe;
    }
    point.rn = rn;
    point.Z = rn / m_sinGamma;
    point.zc = z0 - Q * rho;
    // The hole's arc is measured over the top of the pipe; a cut below its axis would be
    // mirrored into the upper half.
    if (point.zc < -kLevelRounding * m_pipe) {
        return ConePipeFault::BelowPipeAxis;
    }
    const auto angle = angleOnPipe(2 * (rn * sinW - m_in->P) / m_pipe);
    if (!angle) {
        return ConePipeFault::OffThePipe;
    }
    // Along the pipe: the axis point at the cut's height, then the cut's offset from the
    // axis in the plane of the axes.
    point.hole = {point.zc / m_tanBeta + rn * cosW / m_sinBeta + m_in->Lm,
                  (2 * *angle + kPi) * m_markedOn / 4};
    return ConePipeFault::None;
}

} // namespace blachorys::core
