#pragma once

#include <cmath>

namespace blachorys::core {

/**
 * A running sum that carries the rounding error of every addition along (Neumaier's form of
 * Kahan's summation): after any number of additions it is within about one ulp of the exact
 * sum, where a plain running sum of n angles may drift by n/2 ulp, 4e-13 of a fan of 8000.
 */
class CompensatedSum {
public:
    void add(double value) {
        const double sum = m_sum + value;
        m_error +=
            std::fabs(m_sum) >= std::fabs(value) ? (m_sum - sum) + value : (value - sum) + m_sum;
        m_sum = sum;
    }

    double value() const { return m_sum + m_error; }

private:
    double m_sum = 0.0;
    double m_error = 0.0;
};

} // namespace blachorys::core
