#include "common/core/geometry/obliquecone.h"

#include "common/core/base/compensatedsum.h"
#include "common/core/base/finite.h"
#include "common/core/base/parallelfor.h"
#include "common/core/geometry/coneangles.h"
#include "common/core/geometry/conefan.h"
#include "common/core/geometry/thintriangle.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <utility>

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

double sectionAngle(const ConeMantle& cone, double x, double y, double z) {
    const double e = cone.centreAt(z);
    const double phi = x == 0.0 ? (y >= e ? kPi / 2 : 3 * kPi / 2) : std::atan2(y - e, x);
    return phi < 0.0 ? phi + 2 * kPi : phi;
}

double developedAngle(const MantleOutline& outline, double phi) {
    const auto& angles = outline.fineAngles;
    const double step = 2 * kPi / outline.M;
    const double at = std::clamp(phi / step, 0.0, static_cast<double>(outline.M));
    const auto s = std::min(static_cast<std::size_t>(at), angles.size() - 2);
    const double share = at - static_cast<double>(s);
    return angles[s] + share * (angles[s + 1] - angles[s]);
}

double sectionAngleOfDeveloped(const MantleOutline& outline, double psi) {
    const std::vector<double>& a = outline.fineAngles;
    const bool rising = a.back() >= a.front();
    const auto after = rising ? std::upper_bound(a.begin(), a.end(), psi)
                              : std::upper_bound(a.begin(), a.end(), psi, std::greater<>());
    const auto s = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(
        after - a.begin() - 1, 0, static_cast<std::ptrdiff_t>(a.size()) - 2));
    const double share = (psi - a[s]) / (a[s + 1] - a[s]);
    return (static_cast<double>(s) + share) * 2 * kPi / outline.M;
}

DevelopedPoint developPointReference(const ConeMantle& cone, double x, double y, double z) {
    const double R = cone.radiusAt(z);
    const double e = cone.centreAt(z);
    const double phi = sectionAngle(cone, x, y, z);
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
/** The points' angles are interpolated only where that runs at most one fan for this many. */
constexpr std::size_t kPointsPerInterpolatedFan = 4;

DevelopedPoint developPoint(const ConeMantle& cone, const Point3& point) {
    const double R = cone.radiusAt(point.z);
    const double e = cone.centreAt(point.z);
    const double phi = sectionAngle(cone, point.x, point.y, point.z);
    const FanSum fan = fanSum({point.z, R, e, phi, R * phi / kPointSteps, kPointSteps});
    const DevelopedPoint developed{fan.lastLength * std::cos(fan.angle),
                                   fan.lastLength * std::sin(fan.angle)};
    if (!std::isfinite(developed.x) || !std::isfinite(developed.y)) {
        return developPointReference(cone, point.x, point.y, point.z);
    }
    return developed;
}

/**
 * The point at its own distance from the apex along the developed angle `psi`; where that is
 * no finite point away from the apex, the point's own fan.
 */
DevelopedPoint developPointAt(const ConeMantle& cone, const Point3& point, double phi, double psi) {
    const double length =
        generatorLength(point.z, cone.radiusAt(point.z), cone.centreAt(point.z), phi);
    const DevelopedPoint developed{length * std::cos(psi), length * std::sin(psi)};
    if (!(length > 0.0) || !std::isfinite(developed.x) || !std::isfinite(developed.y)) {
        return developPoint(cone, point);
    }
    return developed;
}

} // namespace

std::vector<DevelopedPoint> developPoints(const ConeMantle& cone, std::span<const Point3> points,
                                          unsigned threads) {
    std::vector<double> phis(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        phis[i] = sectionAngle(cone, points[i].x, points[i].y, points[i].z);
    }
    const std::optional<std::vector<double>> angles =
        interpolatedPointAngles(cone, phis, points.size() / kPointsPerInterpolatedFan, threads);
    std::vector<DevelopedPoint> developed(points.size());
    if (angles) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            developed[i] = developPointAt(cone, points[i], phis[i], (*angles)[i]);
        }
        return developed;
    }
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

namespace {

/** The large end's circle, divided for the outline, and the outline its fan fills. */
struct LargeEnd {
    LargeEnd(const ConeMantle& cone, int divisions, double seam)
        : Zd(cone.Zd()), Rd(cone.Dsd / 2), ed(cone.centreAt(Zd)), rho((Zd - cone.Hs) / Zd) {
        outline.seam = seam;
        outline.K = outlineStepsPerDivision(divisions);
        outline.M = outline.K * divisions;
        base = 2 * kPi * Rd / outline.M;
        for (std::vector<double>* table : {&outline.Xm, &outline.Ym, &outline.Xd, &outline.Yd}) {
            table->resize(static_cast<std::size_t>(divisions) + 1);
        }
        for (std::vector<double>* table : {&outline.fineAngles, &outline.fineXd, &outline.fineYd}) {
            table->resize(static_cast<std::size_t>(outline.M) + 1);
        }
    }

    /** Generator `step` of the fan, at `length` and developed angle `psi`; kept every K-th. */
    void keep(int step, double length, double psi) {
        const auto fine = static_cast<std::size_t>(step);
        outline.fineAngles[fine] = psi;
        outline.fineXd[fine] = length * std::cos(psi);
        outline.fineYd[fine] = length * std::sin(psi);
        if (step % outline.K == 0) {
            const auto j = static_cast<std::size_t>(step / outline.K);
            outline.Xd[j] = length * std::cos(psi);
            outline.Yd[j] = length * std::sin(psi);
            outline.Xm[j] = rho * outline.Xd[j];
            outline.Ym[j] = rho * outline.Yd[j];
        }
    }

    double Zd;
    double Rd;
    double ed;
    double rho;
    double base = 0.0;
    MantleOutline outline;
};

} // namespace

MantleOutline developOutlineReference(const ConeMantle& cone, int divisions, double seam) {
    LargeEnd end(cone, divisions, seam);
    double previous = 0.0;
    double psi = 0.0;
    for (int s = 0; s <= end.outline.M; ++s) {
        const double length =
            generatorLength(end.Zd, end.Rd, end.ed, seam + s * 2 * kPi / end.outline.M);
        if (s >= 1) {
            psi += apexAngle(previous, length, end.base);
        }
        previous = length;
        end.keep(s, length, psi);
    }
    return std::move(end.outline);
}

MantleOutline developOutline(const ConeMantle& cone, int divisions, double seam) {
    LargeEnd end(cone, divisions, seam);
    const int steps = end.outline.M;
    std::vector<double> angles(static_cast<std::size_t>(steps));
    std::vector<double> lengths(static_cast<std::size_t>(steps) + 1);
    // From the seam on, the section centre turned back by the seam's angle.
    const double centreAlong = seam == 0.0 ? end.ed : end.ed * std::cos(seam);
    const double centreAcross = seam == 0.0 ? 0.0 : end.ed * std::sin(seam);
    fanAngles({end.Zd, end.Rd, centreAlong, 2 * kPi, end.base, steps, centreAcross}, angles,
              lengths);
    // The developed angle of every generator, added up with the rounding carried along.
    CompensatedSum psi;
    for (int s = 0; s <= steps; ++s) {
        const auto at = static_cast<std::size_t>(s);
        if (s >= 1) {
            psi.add(angles[at - 1]);
        }
        end.keep(s, lengths[at], psi.value());
    }
    if (!allFinite(end.outline.Xd) || !allFinite(end.outline.Yd)) {
        return developOutlineReference(cone, divisions, seam);
    }
    return std::move(end.outline);
}

} // namespace blachorys::core
