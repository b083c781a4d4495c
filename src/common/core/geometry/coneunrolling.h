#pragma once

#include "common/core/geometry/space.h"

#include <functional>
#include <vector>

namespace blachorys::core {

/**
 * A cone unrolled about its apex, and rolled back up: the cone is its apex and a curve round
 * it (its directrix, over a parameter from `from` to `to`); the generators run from the apex
 * through the curve's points. A generator's developed angle is the sum of the angles between
 * close generators, which holds for any cone, right or oblique, and tends to the exact
 * development as the steps shrink.
 */
class ConeUnrolling {
public:
    ConeUnrolling(Point3 apex, std::function<Point3(double)> directrix, double from, double to,
                  int steps);

    /** The developed angle of the generator at parameter t, radians from the one at `from`. */
    double developedAngle(double t) const;
    /** The developed angle of the generator at `to`: the whole development's. */
    double totalAngle() const { return m_angles.back(); }
    /**
     * The parameter of the generator at developed angle `psi`, between the steps along the
     * straight line joining their parameters; past either end it goes on as the end step does.
     */
    double parameterAt(double psi) const;
    /** The unit direction from the apex along the generator at parameter t. */
    Point3 direction(double t) const;
    /** The point `slant` from the apex on the generator at developed angle `psi`. */
    Point3 pointAt(double slant, double psi) const;
    Point3 apex() const { return m_apex; }

private:
    Point3 m_apex;
    std::function<Point3(double)> m_directrix;
    double m_from;
    double m_step;
    std::vector<double> m_angles;
};

/** Steps round a whole turn: the development's error stays far below a micrometre. */
inline constexpr int kUnrollingStepsPerTurn = 16384;

} // namespace blachorys::core
