#include "cases/cone/conemodel.h"

#include "common/core/finite.h"
#include "common/core/thintriangle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/**
 * Fine steps round the whole edge, at least. With the arc length standing in for the chord of
 * each fine triangle, this many keeps the developed angle exact to well within 0.1 mm.
 */
constexpr int kMinFineSteps = 8000;
/** Generators a plate's offset is measured along, round the cone. */
constexpr int kOffsetGenerators = 720;

struct Space {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

Space minus(Space a, Space b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Space along(Space a, double k, Space b) {
    return {a.x + k * b.x, a.y + k * b.y, a.z + k * b.z};
}

/**
 * How far, on average, `surface` of the plate crosses each edge's plane outward of the typed
 * edge, mm: each generator moved along its normal (square to it and to the edges' tangent
 * there), then met with the edges' planes.
 */
std::pair<double, double> edgeOffsets(const ConeInputs& in, WallSurface surface) {
    const double n = coneWall(in).outwardOfTyped(surface);
    const double Rd = in.Dsd / 2;
    const double Rm = in.Dsm / 2;
    double large = 0.0;
    double small = 0.0;
    for (int k = 0; k < kOffsetGenerators; ++k) {
        const double w = 2 * kPi * k / kOffsetGenerators;
        const Space onLarge{Rd * std::cos(w), Rd * std::sin(w), 0.0};
        const Space onSmall{in.E + Rm * std::cos(w), Rm * std::sin(w), in.Hs};
        const Space g = minus(onSmall, onLarge);
        // (−sin w, cos w, 0) × g: square to the generator and the edge, away from the axis.
        Space normal{g.z * std::cos(w), g.z * std::sin(w),
                     -(g.x * std::cos(w) + g.y * std::sin(w))};
        const double length = std::hypot(normal.x, normal.y, normal.z);
        normal = {normal.x / length, normal.y / length, normal.z / length};
        const Space movedLarge = along(onLarge, n, normal);
        const Space movedSmall = along(onSmall, n, normal);
        const Space inLarge = along(movedLarge, -movedLarge.z / g.z, g);
        const Space inSmall = along(movedSmall, -(movedSmall.z - in.Hs) / g.z, g);
        // Along the edge's own radius at w, so that a face pushed past the axis reads negative.
        large += inLarge.x * std::cos(w) + inLarge.y * std::sin(w) - Rd;
        small += (inSmall.x - in.E) * std::cos(w) + inSmall.y * std::sin(w) - Rm;
    }
    return {small / kOffsetGenerators, large / kOffsetGenerators};
}

/** The radii of the plate's inside face in the planes of the Dsm and the Dsd edge, mm. */
std::pair<double, double> insideEdges(const ConeInputs& in) {
    if (in.t == 0.0 || !(in.Hs > 0.0)) {
        return {in.Dsm / 2, in.Dsd / 2};
    }
    const auto [small, large] = edgeOffsets(in, WallSurface::Inside);
    return {in.Dsm / 2 + small, in.Dsd / 2 + large};
}

} // namespace

Wall coneWall(const ConeInputs& in) {
    return {in.t, in.diameters, PartMaking::RolledFromPlate};
}

DevelopedDiameters developedDiameters(const ConeInputs& in) {
    if (in.t == 0.0 || in.diameters == WallSurface::Mean || !(in.Hs > 0.0)) {
        return {in.Dsm, in.Dsd};
    }
    const auto [small, large] = edgeOffsets(in, WallSurface::Mean);
    return {in.Dsm + 2 * small, in.Dsd + 2 * large};
}

const InputChecks<ConeInputs>& coneChecks() {
    using In = ConeInputs;
    static const InputChecks<In> checks = {
        atLeastTwoParts(&In::N),
        atMostTheTableParts(&In::N),
        {dataError("Dsm = Dsd "), [](const In& in) { return in.Dsm == in.Dsd; }},
        // A plate thicker than an edge's radius leaves that edge no inside.
        {dataError("t zbyt duze dla Dsm - brak wnetrza stozka"),
         [](const In& in) { return insideEdges(in).first < 0.0; }},
        {dataError("t zbyt duze dla Dsd - brak wnetrza stozka"),
         [](const In& in) { return insideEdges(in).second < 0.0; }},
    };
    return checks;
}

std::vector<std::string> validateCone(const ConeInputs& in) {
    return failedChecks(coneChecks(), in);
}

double apexHeight(const ConeInputs& in) {
    const DevelopedDiameters d = developedDiameters(in);
    return d.Dsd * in.Hs / (d.Dsd - d.Dsm);
}

int fineStepsPerDivision(int divisions) {
    return (kMinFineSteps + divisions - 1) / divisions;
}

ConeModel computeCone(const ConeInputs& in) {
    ConeModel m;
    m.inputs = in;
    m.developed = developedDiameters(in);
    m.H = apexHeight(in);
    m.F = fineStepsPerDivision(in.N);
    m.M = in.N * m.F;
    const double Rd = m.developed.Dsd / 2;
    const double Rm = m.developed.Dsm / 2;
    // The apex lies on the line through the two centres.
    m.a = Rd * in.E / (Rd - Rm);
    m.k = (m.H - in.Hs) / m.H;
    // Each fine triangle's base is the arc of one fine step on the Dsd edge.
    const double base = 2 * kPi * Rd / m.M;
    // Angles on the edge run from the direction of E: with alfa = 0 the seam lies on the flank.
    double w = in.alfa * kPi / 180 + kPi / 2;
    const double deltaW = 2 * kPi / m.M;

    const auto points = static_cast<std::size_t>(in.N) + 1;
    m.Xm.resize(points);
    m.Ym.resize(points);
    m.Xd.resize(points);
    m.Yd.resize(points);
    double theta = 0.0;
    double previousSlant = 0.0;
    m.exactArcs.large.resize(static_cast<std::size_t>(m.M) + 1);
    m.exactArcs.small.resize(static_cast<std::size_t>(m.M) + 1);
    for (int i = 0; i <= m.M; ++i) {
        const double bx = Rd * std::cos(w) - m.a;
        const double by = Rd * std::sin(w);
        const double rho = std::sqrt(bx * bx + by * by);
        const double slant = std::sqrt(rho * rho + m.H * m.H);
        if (i >= 1) {
            theta += apexAngle(previousSlant, slant, base);
        }
        const auto fine = static_cast<std::size_t>(i);
        m.exactArcs.large[fine] = {slant * std::cos(theta), slant * std::sin(theta)};
        m.exactArcs.small[fine] = {m.k * slant * std::cos(theta), m.k * slant * std::sin(theta)};
        if (i % m.F == 0) {
            const auto j = static_cast<std::size_t>(i / m.F);
            m.Xd[j] = m.exactArcs.large[fine].x;
            m.Yd[j] = m.exactArcs.large[fine].y;
            m.Xm[j] = m.exactArcs.small[fine].x;
            m.Ym[j] = m.exactArcs.small[fine].y;
        }
        w += deltaW;
        previousSlant = slant;
    }

    m.sheet = sectorBox({m.Xm, m.Ym, m.Xd, m.Yd});
    return m;
}

bool isFinite(const ConeModel& model) {
    return allFinite(model.Xm) && allFinite(model.Ym) && allFinite(model.Xd) &&
           allFinite(model.Yd) &&
           allFinite(std::array{model.sheet.xMin, model.sheet.xMax, model.sheet.yMin,
                                model.sheet.yMax, model.sheet.width(), model.sheet.height()});
}

} // namespace blachorys::core
