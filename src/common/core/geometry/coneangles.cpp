#include "common/core/geometry/coneangles.h"

#include "common/core/base/finite.h"
#include "common/core/base/parallelfor.h"
#include "common/core/geometry/conefan.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/** Intervals between the first Chebyshev points; each doubling adds one point in each. */
constexpr std::size_t kFirstIntervals = 16;
/** Two interpolations this close at every angle asked for have settled, radians. */
constexpr double kSettled = 1e-13;

/**
 * The large end's fan angle at the Chebyshev points x_k = cos(kπ/n), k = 0..n, of the range
 * [a, b] of section angles, and the polynomial through them (in barycentric form, which adds
 * no more rounding than the values carry).
 */
class ChebyshevSamples {
public:
    ChebyshevSamples(const ConeMantle& cone, double a, double b, unsigned threads)
        : m_Zd(cone.Zd()), m_Rd(cone.Dsd / 2), m_ed(cone.centreAt(m_Zd)), m_a(a), m_b(b),
          m_threads(threads) {
        placeNodes(kFirstIntervals);
        m_values.resize(kFirstIntervals + 1);
        runFans(0, 1);
    }

    std::size_t intervals() const { return m_values.size() - 1; }

    bool finite() const { return allFinite(m_values); }

    /** One more point in the middle of each interval; the points so far keep their fans. */
    void refine() {
        std::vector<double> values(2 * intervals() + 1);
        for (std::size_t k = 0; k < m_values.size(); ++k) {
            values[2 * k] = m_values[k];
        }
        m_values = std::move(values);
        placeNodes(intervals());
        runFans(1, 2);
    }

    /** The polynomial at section angle φ within [a, b]. */
    double at(double phi) const {
        const double x = std::clamp(((phi - m_a) - (m_b - phi)) / (m_b - m_a), -1.0, 1.0);
        const std::size_t n = intervals();
        double weighted = 0.0;
        double weights = 0.0;
        for (std::size_t k = 0; k <= n; ++k) {
            const double apart = x - m_nodes[k];
            if (apart == 0.0) {
                return m_values[k];
            }
            const double half = k == 0 || k == n ? 0.5 : 1.0;
            const double w = (k % 2 == 0 ? half : -half) / apart;
            weighted += w * m_values[k];
            weights += w;
        }
        return weighted / weights;
    }

private:
    /**
     * x_k written as a sine, symmetric about 0; doubling n leaves the old points where they
     * were, bit for bit (the sine's argument is only scaled by two).
     */
    void placeNodes(std::size_t intervals) {
        const auto n = static_cast<double>(intervals);
        m_nodes.resize(intervals + 1);
        for (std::size_t k = 0; k <= intervals; ++k) {
            m_nodes[k] = std::sin(kPi * (n - 2 * static_cast<double>(k)) / (2 * n));
        }
    }

    /** Runs the fans of points first, first + stride, ... */
    void runFans(std::size_t first, std::size_t stride) {
        const std::size_t count = (m_values.size() - first + stride - 1) / stride;
        parallelFor(
            count, 1,
            [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) {
                    const std::size_t k = first + i * stride;
                    const double x = m_nodes[k];
                    const double phi = ((1 - x) * m_a + (1 + x) * m_b) / 2;
                    m_values[k] =
                        fanSum({m_Zd, m_Rd, m_ed, phi, m_Rd * phi / kPointSteps, kPointSteps})
                            .angle;
                }
            },
            m_threads);
    }

    double m_Zd;
    double m_Rd;
    double m_ed;
    double m_a;
    double m_b;
    unsigned m_threads;
    std::vector<double> m_nodes;
    std::vector<double> m_values;
};

} // namespace

std::optional<std::vector<double>> interpolatedPointAngles(const ConeMantle& cone,
                                                           std::span<const double> phis,
                                                           std::size_t mostFans, unsigned threads) {
    if (phis.empty() || !allFinite(phis) || 2 * kFirstIntervals + 1 > mostFans) {
        return std::nullopt;
    }
    const auto [low, high] = std::minmax_element(phis.begin(), phis.end());
    if (!(*high > *low)) {
        return std::nullopt;
    }
    ChebyshevSamples samples(cone, *low, *high, threads);
    if (!samples.finite()) {
        return std::nullopt;
    }
    std::vector<double> coarse(phis.size());
    std::transform(phis.begin(), phis.end(), coarse.begin(),
                   [&](double phi) { return samples.at(phi); });
    while (2 * samples.intervals() + 1 <= mostFans) {
        samples.refine();
        if (!samples.finite()) {
            return std::nullopt;
        }
        std::vector<double> fine(phis.size());
        double apart = 0.0;
        for (std::size_t i = 0; i < phis.size(); ++i) {
            fine[i] = samples.at(phis[i]);
            apart = std::max(apart, std::fabs(fine[i] - coarse[i]));
        }
        if (apart <= kSettled && allFinite(fine)) {
            return fine;
        }
        coarse = std::move(fine);
    }
    return std::nullopt;
}

} // namespace blachorys::core
