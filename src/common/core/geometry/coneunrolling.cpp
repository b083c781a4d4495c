#include "common/core/geometry/coneunrolling.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {

ConeUnrolling::ConeUnrolling(Point3 apex, std::function<Point3(double)> directrix, double from,
                             double to, int steps)
    : m_apex(apex), m_directrix(std::move(directrix)), m_from(from),
      m_step((to - from) / std::max(1, steps)),
      m_angles(static_cast<std::size_t>(std::max(1, steps)) + 1, 0.0) {
    Point3 previous = direction(from);
    for (std::size_t k = 1; k < m_angles.size(); ++k) {
        const Point3 next = direction(from + static_cast<double>(k) * m_step);
        // The angle between two unit vectors, exact however small: atan2 of sine and cosine.
        m_angles[k] =
            m_angles[k - 1] + std::atan2(norm(cross(previous, next)), dot(previous, next));
        previous = next;
    }
}

Point3 ConeUnrolling::direction(double t) const {
    return unit(m_directrix(t) - m_apex);
}

double ConeUnrolling::developedAngle(double t) const {
    const double at = (t - m_from) / m_step;
    const auto last = static_cast<double>(m_angles.size() - 1);
    const double k = std::clamp(std::floor(at), 0.0, last - 1);
    const auto low = static_cast<std::size_t>(k);
    return m_angles[low] + (at - k) * (m_angles[low + 1] - m_angles[low]);
}

double ConeUnrolling::parameterAt(double psi) const {
    // The first step whose end lies past psi; the end steps serve beyond the ends.
    const auto upper = std::upper_bound(m_angles.begin() + 1, m_angles.end() - 1, psi);
    const auto high = static_cast<std::size_t>(upper - m_angles.begin());
    const std::size_t low = high - 1;
    const double span = m_angles[high] - m_angles[low];
    const double share = span > 0.0 ? (psi - m_angles[low]) / span : 0.0;
    return m_from + (static_cast<double>(low) + share) * m_step;
}

Point3 ConeUnrolling::pointAt(double slant, double psi) const {
    return m_apex + slant * direction(parameterAt(psi));
}

} // namespace blachorys::core
