#include "cases/cone/conemodel.h"

#include "common/core/base/finite.h"
#include "common/core/calculator/fittingrange.h"
#include "common/core/geometry/fittingsearch.h"
#include "common/core/geometry/obliquecone.h"
#include "common/core/geometry/space.h"
#include "common/core/walls/coneplate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/** Generators a plate's offset is measured along, round the cone. */
constexpr int kOffsetGenerators = 720;

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
        const Point3 onLarge{Rd * std::cos(w), Rd * std::sin(w), 0.0};
        const Point3 onSmall{in.E + Rm * std::cos(w), Rm * std::sin(w), in.Hs};
        const Point3 g = onSmall - onLarge;
        // (−sin w, cos w, 0) × g: square to the generator and the edge, away from the axis.
        Point3 normal{g.z * std::cos(w), g.z * std::sin(w),
                      -(g.x * std::cos(w) + g.y * std::sin(w))};
        const double length = std::hypot(normal.x, normal.y, normal.z);
        normal = {normal.x / length, normal.y / length, normal.z / length};
        const Point3 movedLarge = onLarge + n * normal;
        const Point3 movedSmall = onSmall + n * normal;
        const Point3 inLarge = movedLarge + (-movedLarge.z / g.z) * g;
        const Point3 inSmall = movedSmall + (-(movedSmall.z - in.Hs) / g.z) * g;
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

/**
 * The thicknesses that leave both edges an inside: from 0 to where the thinner edge's inside
 * radius, which falls as the plate thickens, reaches 0.
 */
std::string fittingThickness(const ConeInputs& in) {
    // Without a plate the edge has no inside for another reason (a negative diameter), which
    // its own check names: no thickness would cure it.
    if (in.t == 0.0) {
        return "";
    }
    const std::optional<double> greatest = endOfFitting(
        [&in](double t) -> std::optional<double> {
            ConeInputs thicker = in;
            thicker.t = t;
            const auto [small, large] = insideEdges(thicker);
            const double least = std::min(small, large);
            return std::isfinite(least) ? std::optional(-least) : std::nullopt;
        },
        in.t, false);
    return greatest ? fittingRangeText("t", 0.0, *greatest) : "";
}

} // namespace

Wall coneWall(const ConeInputs& in) {
    return {in.t, in.diameters, PartMaking::RolledFromPlate};
}

ConeMantle typedMantle(const ConeInputs& in) {
    return {in.Dsm, in.Dsd, in.Hs, in.E};
}

double meanDepth(const ConeInputs& in) {
    return coneWall(in).outwardOfTyped(WallSurface::Mean);
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
         [](const In& in) { return insideEdges(in).first < 0.0; },
         {},
         fittingThickness},
        {dataError("t zbyt duze dla Dsd - brak wnetrza stozka"),
         [](const In& in) { return insideEdges(in).second < 0.0; },
         {},
         fittingThickness},
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
    return outlineStepsPerDivision(divisions);
}

ConeModel computeCone(const ConeInputs& in) {
    ConeModel m;
    m.inputs = in;
    m.developed = developedDiameters(in);
    m.H = apexHeight(in);
    const double Rd = m.developed.Dsd / 2;
    const double Rm = m.developed.Dsm / 2;
    // The apex lies on the line through the two centres.
    m.a = Rd * in.E / (Rd - Rm);
    m.k = (m.H - in.Hs) / m.H;
    // The mantle's section angles run from the flank, a quarter turn from the direction of E:
    // with alfa = 0 the seam lies on the flank.
    const double seam = in.alfa * kPi / 180;
    MantleOutline outline;
    if (in.t > 0.0 && in.E != 0.0) {
        // The typed cone's generators each moved along their own normal to the mean surface,
        // rolled out, cut by the edges' planes.
        const ConeMantle typed = typedMantle(in);
        m.typedOutline = developOutline(typed, in.N, seam);
        outline = *m.typedOutline;
        const ConePlate plate(typed);
        const LayerDevelopment mean(plate, *m.typedOutline, meanDepth(in));
        LayerEnds ends = layerEnds(mean, typed, outline);
        m.exactArcs.large = std::move(ends.large);
        m.exactArcs.small = std::move(ends.small);
    } else {
        outline = developOutline({m.developed.Dsm, m.developed.Dsd, in.Hs, in.E}, in.N, seam);
        const auto fine = static_cast<std::size_t>(outline.M) + 1;
        m.exactArcs.large.resize(fine);
        m.exactArcs.small.resize(fine);
        for (std::size_t s = 0; s < fine; ++s) {
            m.exactArcs.large[s] = {outline.fineXd[s], outline.fineYd[s]};
            m.exactArcs.small[s] = {m.k * outline.fineXd[s], m.k * outline.fineYd[s]};
        }
    }
    m.F = outline.K;
    m.M = outline.M;
    m.Xm = std::move(outline.Xm);
    m.Ym = std::move(outline.Ym);
    m.Xd = std::move(outline.Xd);
    m.Yd = std::move(outline.Yd);
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
