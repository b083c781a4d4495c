#include "cases/elbow/elbowmodel.h"

#include "cases/elbow/elbowstrips.h"

#include "common/core/base/finite.h"
#include "common/core/calculator/fittingrange.h"
#include "common/core/geometry/curvesampling.h"

#include <array>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kFullTurn = 360.0;

} // namespace

Wall elbowWall(const ElbowInputs& in) {
    return {in.t, in.diameter, in.made};
}

double developedDiameter(const ElbowInputs& in) {
    const Wall wall = elbowWall(in);
    return 2 * radiusOf(wall, in.Dr / 2, wall.developed());
}

const InputChecks<ElbowInputs>& elbowChecks() {
    using In = ElbowInputs;
    static const InputChecks<In> checks = {
        atLeastTwoParts(&In::N),
        atMostTheTableParts(&In::N),
        {dataError("Ns < 3"), [](const In& in) { return in.Ns < 3; }, {"Ns"}},
        // A bend radius of exactly half the diameter is a sharp inner corner: still an elbow.
        {dataError("Rk < Dr/2"),
         [](const In& in) { return in.Dr / 2 > in.Rk; },
         {},
         [](const In& in) { return fittingFromText("Rk", in.Dr / 2); }},
        {dataError("BETA > 360"), [](const In& in) { return in.BETA > kFullTurn; }},
        {dataError("BETA = 0"), [](const In& in) { return in.BETA == 0.0; }},
        // A wall thicker than the pipe's radius leaves it no inside.
        {dataError("t zbyt duze dla Dr - brak wnetrza rury"),
         [](const In& in) {
             return in.t > 0 && !(radiusOf(elbowWall(in), in.Dr / 2, WallSurface::Inside) > 0);
         }},
    };
    return checks;
}

std::vector<std::string> validateElbow(const ElbowInputs& in) {
    return failedChecks(elbowChecks(), in);
}

double halfAngleDegrees(const ElbowInputs& in) {
    // Halved first, then shared out: the order the heights have always been computed in.
    return 0.5 * in.BETA / (in.Ns - 1);
}

ElbowModel computeElbow(const ElbowInputs& in) {
    ElbowModel m;
    m.inputs = in;
    m.developedDr = developedDiameter(in);
    const double Dr = m.developedDr;
    m.halfAngle = halfAngleDegrees(in) * kPi * (1.0 / 180.0);
    const double slope = std::tan(m.halfAngle);
    const auto points = static_cast<std::size_t>(in.N) + 1;
    m.L.resize(points);
    m.h.resize(points);
    m.hmax = 0.0;
    // Every joint's plane holds the axis the elbow bends about, so a generator is as high as
    // tan δ times its distance from that axis, Rk − (Dr/2)·cos φ, φ round the pipe from the
    // inner side of the bend.
    const auto heightAt = [&](double L) {
        const double phi = 2 * L / Dr;
        return slope * (in.Rk - 0.5 * Dr * std::cos(phi));
    };
    std::vector<PatternPoint> cut(points);
    for (std::size_t i = 0; i < points; ++i) {
        m.L[i] = static_cast<double>(i) * kPi * Dr / in.N;
        m.h[i] = heightAt(m.L[i]);
        if (m.h[i] > m.hmax) {
            m.hmax = m.h[i];
        }
        cut[i] = {m.L[i], m.h[i]};
    }
    m.Lc = kPi * Dr;
    m.exactCut = sampleCurve(
                     [&](double L) {
                         return std::optional(PatternPoint{L, heightAt(L)});
                     },
                     m.L, cut)
                     .value_or(cut);
    layOutStrips(m);
    return m;
}

bool isFinite(const ElbowModel& model) {
    for (const ElbowStrip& strip : model.strips) {
        for (const ElbowGenerator& g : strip.generators) {
            if (!allFinite(std::array{g.L, g.h})) {
                return false;
            }
        }
    }
    return allFinite(model.L) && allFinite(model.h) &&
           allFinite(std::array{model.halfAngle, model.hmax, model.Lc, model.middleCentreLine(),
                                model.topInHmax * model.hmax});
}

} // namespace blachorys::core
