#include "cases/pipe_cone/pipeconemantle.h"

#include "common/core/thintriangle.h"

#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

/** Distance from the apex to the point of generator φ in the section of radius R about e. */
double generatorLength(double z, double R, double e, double phi) {
    const double across = R * std::cos(phi);
    const double along = e + R * std::sin(phi);
    return std::sqrt(z * z + across * across + along * along);
}

} // namespace

DevelopedPoint developPointReference(const ConeMantle& cone, double x, double y, double z) {
    const double R = cone.radiusAt(z);
    const double e = cone.centreAt(z);
    const double phi = x == 0.0 ? kPi / 2 : std::atan2(y - e, x);
    const double base = R * phi / kPointSteps;
    double previous = generatorLength(z, R, e, 0.0);
    double length = previous;
    double psi = 0.0;
    for (int j = 1; j <= kPointSteps; ++j) {
        length = generatorLength(z, R, e, j * phi / kPointSteps);
        psi += apexAngle(previous, length, base);
        previous = length;
    }
    return {length * std::cos(psi), length * std::sin(psi)};
}

int outlineStepsPerDivision(int divisions) {
    return (kOutlineSteps + divisions - 1) / divisions;
}

MantleOutline developOutlineReference(const ConeMantle& cone, int divisions) {
    MantleOutline outline;
    outline.K = outlineStepsPerDivision(divisions);
    outline.M = outline.K * divisions;
    const double Zd = cone.Zd();
    const double Rd = cone.Dsd / 2;
    const double ed = cone.centreAt(Zd);
    const double rho = (Zd - cone.Hs) / Zd;
    const double base = 2 * kPi * Rd / outline.M;

    for (std::vector<double>* table : {&outline.Xm, &outline.Ym, &outline.Xd, &outline.Yd}) {
        table->resize(static_cast<std::size_t>(divisions) + 1);
    }
    double previous = 0.0;
    double psi = 0.0;
    for (int s = 0; s <= outline.M; ++s) {
        const double length = generatorLength(Zd, Rd, ed, s * 2 * kPi / outline.M);
        if (s >= 1) {
            psi += apexAngle(previous, length, base);
        }
        previous = length;
        if (s % outline.K == 0) {
            const auto j = static_cast<std::size_t>(s / outline.K);
            outline.Xd[j] = length * std::cos(psi);
            outline.Yd[j] = length * std::sin(psi);
            outline.Xm[j] = rho * outline.Xd[j];
            outline.Ym[j] = rho * outline.Yd[j];
        }
    }
    return outline;
}

} // namespace blachorys::core
