#pragma once

#include <cmath>
#include <numbers>
#include <vector>

namespace blachorys::test {

struct SpacePoint {
    double x, y, z;
};

/**
 * A cone, right or oblique, with its apex at the origin and its axis along z: its section at
 * height z is the circle of radius slope·z about (0, lean·z). A point of the section lies at
 * section angle φ = atan2(y − lean·z, x). The cone is unrolled from the generator at φ0, the
 * angle of the flat pattern growing with φ; the developed angle of a generator is the sum of
 * the angles between close generators, which holds for any cone.
 */
class ConeRollBack {
public:
    ConeRollBack(double slope, double lean, double phi0, int steps = 200000)
        : m_slope(slope), m_lean(lean), m_phi0(phi0), m_step(2 * std::numbers::pi / steps),
          m_developed(static_cast<std::size_t>(steps) + 1, 0.0) {
        for (int k = 1; k <= steps; ++k) {
            const SpacePoint a = direction(phi0 + (k - 1) * m_step);
            const SpacePoint b = direction(phi0 + k * m_step);
            const double cosine = a.x * b.x + a.y * b.y + a.z * b.z;
            const double sine = std::hypot(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z,
                                           a.x * b.y - a.y * b.x);
            m_developed[static_cast<std::size_t>(k)] =
                m_developed[static_cast<std::size_t>(k) - 1] + std::atan2(sine, cosine);
        }
    }

    /** The point of the mantle that the pattern's point (x, y) rolls back to. */
    SpacePoint rollBack(double x, double y) const {
        double psi = std::atan2(y, x);
        if (psi < 0) {
            psi += 2 * std::numbers::pi;
        }
        std::size_t low = 0;
        std::size_t high = m_developed.size() - 1;
        while (high - low > 1) {
            const std::size_t middle = (low + high) / 2;
            (m_developed[middle] <= psi ? low : high) = middle;
        }
        const double share = (psi - m_developed[low]) / (m_developed[high] - m_developed[low]);
        const double phi = m_phi0 + (static_cast<double>(low) + share) * m_step;
        const SpacePoint d = direction(phi);
        const double slant = std::hypot(x, y);
        return {d.x * slant, d.y * slant, d.z * slant};
    }

private:
    /** The unit vector along the generator at section angle φ, away from the apex. */
    SpacePoint direction(double phi) const {
        const SpacePoint p{m_slope * std::cos(phi), m_lean + m_slope * std::sin(phi), 1.0};
        const double length = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        return {p.x / length, p.y / length, p.z / length};
    }

    double m_slope;
    double m_lean;
    double m_phi0;
    double m_step;
    std::vector<double> m_developed;
};

} // namespace blachorys::test
