#include "common/core/walls/coneplate.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/** The first half-width round the expected generator to look for the meeting in, radians. */
constexpr double kFirstBracket = 1.0 / 64;
/** The widest: beyond it the generator found would not be the one the line meets going in. */
constexpr double kWidestBracket = kPi / 4;
/** Section angles this close are one generator: 1e-9 mm at 10 m from the apex. */
constexpr double kAngleTolerance = 1e-13;
/** False-position steps that always reach that tolerance: it converges superlinearly. */
constexpr int kMostSteps = 200;
/** Newton's steps from a close start: quadratic convergence needs some four. */
constexpr int kNewtonSteps = 12;

} // namespace

ConePlate::ConePlate(const ConeMantle& cone)
    : m_slope((cone.Dsd - cone.Dsm) / (2 * cone.Hs)), m_lean(cone.E / cone.Hs),
      m_side(cone.Zd() > 0 ? 1.0 : -1.0) {}

Point3 ConePlate::normal(double phi) const {
    // Square to the section's tangent and to the generator z·(k·cos φ, e + k·sin φ, 1).
    const double kappa = m_slope + m_lean * std::sin(phi);
    const double w = std::sqrt(1 + kappa * kappa);
    return {std::cos(phi) / w, std::sin(phi) / w, -kappa / w};
}

Point3 ConePlate::pointAt(double phi, double height, double depth) const {
    const Point3 n = normal(phi);
    return {height * m_slope * std::cos(phi) + depth * n.x,
            height * (m_lean + m_slope * std::sin(phi)) + depth * n.y, height + depth * n.z};
}

double ConePlate::typedHeight(double phi, Point3 point, double depth) const {
    return point.z - depth * normal(phi).z;
}

std::pair<double, double> ConePlate::under(Point3 c, double depth) const {
    const auto angleOf = [this](Point3 q) { return std::atan2(q.y - m_lean * q.z, q.x); };
    double phi = angleOf(c);
    phi -= 2 * kPi * std::floor(phi / (2 * kPi));
    // A layer's point lies off its typed point's section angle by its normal's lean.
    for (int k = 0; k < 8; ++k) {
        const Point3 q = pointAt(phi, typedHeight(phi, c, depth), depth);
        phi += std::remainder(angleOf(c) - angleOf(q), 2 * kPi);
    }
    return {phi, typedHeight(phi, c, depth)};
}

namespace {

/**
 * A line against the planes m(φ)·X = δ·w(φ), m = (cos φ, sin φ, −κ), κ = k + e·sin φ,
 * w = |m|, whose envelope is the layer at depth δ: the line meets plane φ at
 * λ(φ) = N/D = (δ·w − m·A)/(m·a), and the layer where λ is stationary, where
 * g = N'·D − N·D' vanishes: there the line crosses the generator itself.
 */
struct LineAgainstPlanes {
    Point3 A;
    Point3 a;
    double depth;
    double slope;
    double lean;

    /** g(φ) and, when asked, its slope g'(φ) = N''·D − N·D''. */
    double stationary(double phi, double* slopeOut = nullptr) const {
        const double s = std::sin(phi);
        const double c = std::cos(phi);
        const double kappa = slope + lean * s;
        const double dKappa = lean * c;
        const double w = std::sqrt(1 + kappa * kappa);
        const double dw = kappa * dKappa / w;
        const double N = depth * w - (c * A.x + s * A.y - kappa * A.z);
        const double D = c * a.x + s * a.y - kappa * a.z;
        const double dN = depth * dw - (-s * A.x + c * A.y - dKappa * A.z);
        const double dD = -s * a.x + c * a.y - dKappa * a.z;
        if (slopeOut != nullptr) {
            const double ddKappa = -lean * s;
            const double ddw = (dKappa * dKappa + kappa * ddKappa) / w - dw * dw / w;
            const double ddN = depth * ddw - (-c * A.x - s * A.y - ddKappa * A.z);
            const double ddD = -c * a.x - s * a.y - ddKappa * a.z;
            *slopeOut = ddN * D - N * ddD;
        }
        return dN * D - N * dD;
    }

    /** Newton's steps from `phi`; nothing when they wander off or do not settle. */
    std::optional<double> newton(double phi) const {
        for (int step = 0; step < kNewtonSteps; ++step) {
            double slopeAt = 0.0;
            const double at = stationary(phi, &slopeAt);
            if (at == 0.0) {
                return phi;
            }
            if (!(slopeAt != 0.0)) {
                return std::nullopt;
            }
            const double next = phi - at / slopeAt;
            if (!std::isfinite(next) || std::fabs(next - phi) > kWidestBracket) {
                return std::nullopt;
            }
            if (std::fabs(next - phi) < kAngleTolerance) {
                return next;
            }
            phi = next;
        }
        return std::nullopt;
    }

    /** False position within a bracket widened round `nearPhi` until it holds a root. */
    std::optional<double> bracketed(double nearPhi) const {
        double half = kFirstBracket;
        double low = nearPhi - half;
        double high = nearPhi + half;
        double atLow = stationary(low);
        double atHigh = stationary(high);
        while (!(atLow * atHigh <= 0)) {
            half *= 2;
            if (half > kWidestBracket) {
                return std::nullopt;
            }
            low = nearPhi - half;
            high = nearPhi + half;
            atLow = stationary(low);
            atHigh = stationary(high);
        }
        // The kept end's value is halved when the same end stays twice (Illinois).
        double phi = atLow == 0 ? low : high;
        for (int step = 0; step < kMostSteps && atLow != 0 && atHigh != 0; ++step) {
            phi = (low * atHigh - high * atLow) / (atHigh - atLow);
            const double at = stationary(phi);
            if (at == 0 || std::fabs(high - low) < kAngleTolerance) {
                break;
            }
            if (at * atHigh < 0) {
                low = high;
                atLow = atHigh;
            } else {
                atLow /= 2;
            }
            high = phi;
            atHigh = at;
        }
        return phi;
    }
};

} // namespace

std::optional<LayerMeeting> ConePlate::meet(const SpaceLine& line, double depth,
                                            double nearPhi) const {
    const LineAgainstPlanes planes{line.origin, line.direction, depth, m_slope, m_lean};
    const auto meeting = [&](double phi) -> std::optional<LayerMeeting> {
        const double kappa = m_slope + m_lean * std::sin(phi);
        const Point3 m{std::cos(phi), std::sin(phi), -kappa};
        const double D = dot(m, line.direction);
        // The plane must face the line's end: there the line goes in through the layer.
        if (!(D > 0)) {
            return std::nullopt;
        }
        const double along = (depth * std::sqrt(1 + kappa * kappa) - dot(m, line.origin)) / D;
        const Point3& A = line.origin;
        const Point3& a = line.direction;
        const Point3 point{A.x + along * a.x, A.y + along * a.y, A.z + along * a.z};
        return LayerMeeting{phi, typedHeight(phi, point, depth), along, point};
    };
    // From the typed surface's meeting the layer's lies close by: Newton's steps find it,
    // unless the line grazes the layer, where the bracket is surer.
    if (const std::optional<double> phi = planes.newton(nearPhi)) {
        if (std::fabs(*phi - nearPhi) <= kWidestBracket) {
            if (const std::optional<LayerMeeting> found = meeting(*phi)) {
                return found;
            }
        }
    }
    const std::optional<double> phi = planes.bracketed(nearPhi);
    return phi ? meeting(*phi) : std::nullopt;
}

LayerDevelopment::LayerDevelopment(const ConePlate& plate, const MantleOutline& outline,
                                   double depth)
    : m_plate(plate), m_outline(outline), m_depth(depth),
      m_foot(outline.fineAngles.size(), PatternPoint{}) {
    if (depth == 0.0) {
        return;
    }
    const double k = plate.slope();
    const double e = plate.lean();
    const double step = 2 * kPi / outline.M;
    // The generators point from the apex to the end faces, on whichever side of it they lie.
    const double side = plate.side();
    const auto rate = [&](std::size_t s) {
        const double phi = outline.seam + static_cast<double>(s) * step;
        const double sine = std::sin(phi);
        const double cosine = std::cos(phi);
        const double kappa = k + e * sine;
        const double w = std::sqrt(1 + kappa * kappa);
        const Point3 m{cosine, sine, -kappa};
        const Point3 dm{-sine, cosine, -e * cosine};
        const double dw = kappa * e * cosine / w;
        const Point3 dn = ((1 / w) * (((dm) - (((dw / w) * (m))))));
        const Point3 g{k * cosine, e + k * sine, 1.0};
        const Point3 dg{-k * sine, k * cosine, 0.0};
        const Point3 unit = ((1 / norm(g)) * (g));
        const Point3 turn = ((dg) - (((dot(unit, dg)) * (unit))));
        const double turning = dot(dn, turn) / norm(turn) * side;
        const double psi = outline.fineAngles[s];
        return PatternPoint{-depth * turning * std::sin(psi), depth * turning * std::cos(psi)};
    };
    PatternPoint previous = rate(0);
    for (std::size_t s = 1; s < m_foot.size(); ++s) {
        const PatternPoint now = rate(s);
        m_foot[s] = {m_foot[s - 1].x + step * (previous.x + now.x) / 2,
                     m_foot[s - 1].y + step * (previous.y + now.y) / 2};
        previous = now;
    }
}

PatternPoint LayerDevelopment::developed(double phi, double psi, PatternPoint foot,
                                         double height) const {
    const double k = m_plate.slope();
    const double e = m_plate.lean();
    const double across = k * std::cos(phi);
    const double along = e + k * std::sin(phi);
    // The layer's point lies as far from its foot along the generator as the typed point
    // from the apex.
    const double slant = std::fabs(height) * std::sqrt(1 + across * across + along * along);
    return {foot.x + slant * std::cos(psi), foot.y + slant * std::sin(psi)};
}

PatternPoint LayerDevelopment::at(double phi, double height) const {
    const double step = 2 * kPi / m_outline.M;
    const double at = std::clamp(fromCut(phi) / step, 0.0, static_cast<double>(m_outline.M));
    const auto s = std::min(static_cast<std::size_t>(at), m_foot.size() - 2);
    const double share = at - static_cast<double>(s);
    const PatternPoint foot{m_foot[s].x + share * (m_foot[s + 1].x - m_foot[s].x),
                            m_foot[s].y + share * (m_foot[s + 1].y - m_foot[s].y)};
    return developed(phi, developedAngle(m_outline, fromCut(phi)), foot, height);
}

double LayerDevelopment::fromCut(double phi) const {
    if (m_outline.seam == 0.0) {
        return phi;
    }
    const double turned = std::fmod(phi - m_outline.seam, 2 * kPi);
    return turned < 0.0 ? turned + 2 * kPi : turned;
}

PatternPoint LayerDevelopment::atFine(std::size_t s, double height) const {
    const double phi = m_outline.seam + static_cast<double>(s) * 2 * kPi / m_outline.M;
    return developed(phi, m_outline.fineAngles[s], m_foot[s], height);
}

std::pair<double, double> LayerDevelopment::under(PatternPoint p) const {
    const double middle = m_outline.fineAngles.back() / 2;
    const double seam = m_outline.seam;
    double phi = seam + sectionAngleOfDeveloped(m_outline, sectorAngle(p, middle));
    // The feet move little with φ: a few steps settle the generator.
    for (int k = 0; k < 8; ++k) {
        const PatternPoint foot = at(phi, 0.0);
        phi = seam +
              sectionAngleOfDeveloped(m_outline, sectorAngle({p.x - foot.x, p.y - foot.y}, middle));
    }
    const PatternPoint foot = at(phi, 0.0);
    const PatternPoint unit = at(phi, 1.0);
    const double perHeight = std::hypot(unit.x - foot.x, unit.y - foot.y);
    return {phi, m_plate.side() * std::hypot(p.x - foot.x, p.y - foot.y) / perHeight};
}

double LayerDevelopment::heightInPlane(double phi, double plane) const {
    return plane - m_depth * m_plate.normal(phi).z;
}

LayerEnds layerEnds(const LayerDevelopment& layer, const ConeMantle& cone, MantleOutline& outline) {
    LayerEnds ends;
    ends.large.resize(outline.fineAngles.size());
    ends.small.resize(outline.fineAngles.size());
    const double step = 2 * kPi / outline.M;
    for (std::size_t s = 0; s < outline.fineAngles.size(); ++s) {
        const double phi = outline.seam + static_cast<double>(s) * step;
        const PatternPoint large = layer.atFine(s, layer.heightInPlane(phi, cone.Zd()));
        const PatternPoint small = layer.atFine(s, layer.heightInPlane(phi, cone.Zm()));
        ends.large[s] = large;
        ends.small[s] = small;
        if (s % static_cast<std::size_t>(outline.K) == 0) {
            const std::size_t j = s / static_cast<std::size_t>(outline.K);
            outline.Xd[j] = large.x;
            outline.Yd[j] = large.y;
            outline.Xm[j] = small.x;
            outline.Ym[j] = small.y;
        }
    }
    return ends;
}

} // namespace blachorys::core
