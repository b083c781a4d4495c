#include "cases/pipe_cone/pipeconemantle.h"

#include "cases/pipe_cone/pipeconefan.h"
#include "common/core/finite.h"
#include "common/core/parallelfor.h"
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

namespace {

/** Hole points per chunk of work: some 0.1 ms each, long enough to be worth a thread. */
constexpr std::size_t kPointsPerChunk = 8;

DevelopedPoint developPoint(const ConeMantle& cone, const MantlePoint& point) {
    const double R = cone.radiusAt(point.z);
    const double e = cone.centreAt(point.z);
    const double phi = point.x == 0.0 ? kPi / 2 : std::atan2(point.y - e, point.x);
    const FanSum fan = fanSum({point.z, R, e, phi, R * phi / kPointSteps, kPointSteps});
    const DevelopedPoint developed{fan.lastLength * std::cos(fan.angle),
                                   fan.lastLength * std::sin(fan.angle)};
    if (!std::isfinite(developed.x) || !std::isfinite(developed.y)) {
        return developPointReference(cone, point.x, point.y, point.z);
    }
    return developed;
}

} // namespace

std::vector<DevelopedPoint> developPoints(const ConeMantle& cone,
                                          std::span<const MantlePoint> points, unsigned threads) {
    std::vector<DevelopedPoint> developed(points.size());
    parallelFor(
        points.size(), kPointsPerChunk,
        [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                developed[i] = developPoint(cone, points[i]);
            }
        },
        threads);
    return developed;
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

MantleOutline developOutline(const ConeMantle& cone, int divisions) {
    MantleOutline outline;
    outline.K = outlineStepsPerDivision(divisions);
    outline.M = outline.K * divisions;
    const double Zd = cone.Zd();
    const double Rd = cone.Dsd / 2;
    const double ed = cone.centreAt(Zd);
    const double rho = (Zd - cone.Hs) / Zd;
    const double base = 2 * kPi * Rd / outline.M;

    const auto steps = static_cast<std::size_t>(outline.M);
    std::vector<double> angles(steps);
    std::vector<double> lengths(steps + 1);
    fanAngles({Zd, Rd, ed, 2 * kPi, base, outline.M}, angles, lengths);
    for (std::vector<double>* table : {&outline.Xm, &outline.Ym, &outline.Xd, &outline.Yd}) {
        table->resize(static_cast<std::size_t>(divisions) + 1);
    }
    // The running sum in the reference loop's order, one angle at a time.
    double psi = 0.0;
    for (std::size_t s = 0; s <= steps; ++s) {
        if (s >= 1) {
            psi += angles[s - 1];
        }
        if (s % static_cast<std::size_t>(outline.K) == 0) {
            const std::size_t j = s / static_cast<std::size_t>(outline.K);
            outline.Xd[j] = lengths[s] * std::cos(psi);
            outline.Yd[j] = lengths[s] * std::sin(psi);
            outline.Xm[j] = rho * outline.Xd[j];
            outline.Ym[j] = rho * outline.Yd[j];
        }
    }
    if (!allFinite(outline.Xd) || !allFinite(outline.Yd)) {
        return developOutlineReference(cone, divisions);
    }
    return outline;
}

} // namespace blachorys::core
