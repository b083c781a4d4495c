#include "cases/elbow/elbowmodel.h"

#include "common/core/finite.h"

#include <array>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kFullTurn = 360.0;

} // namespace

const InputChecks<ElbowInputs>& elbowChecks() {
    using In = ElbowInputs;
    static const InputChecks<In> checks = {
        atLeastTwoParts(&In::N),
        atMostTheTableParts(&In::N),
        {dataError("Ns < 3"), [](const In& in) { return in.Ns < 3; }, {"Ns"}},
        // A bend radius of exactly half the diameter is a sharp inner corner: still an elbow.
        {dataError("Rk < Dr/2"), [](const In& in) { return in.Dr / 2 > in.Rk; }},
        {dataError("BETA > 360"), [](const In& in) { return in.BETA > kFullTurn; }},
        {dataError("BETA = 0"), [](const In& in) { return in.BETA == 0.0; }},
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
    m.halfAngle = halfAngleDegrees(in) * kPi * (1.0 / 180.0);
    const double slope = std::tan(m.halfAngle);
    const auto points = static_cast<std::size_t>(in.N) + 1;
    m.L.resize(points);
    m.h.resize(points);
    m.hmax = 0.0;
    for (std::size_t i = 0; i < points; ++i) {
        m.L[i] = static_cast<double>(i) * kPi * in.Dr / in.N;
        // Angle round the pipe from the inner side of the bend.
        const double phi = 2 * m.L[i] / in.Dr;
        // Every joint's plane holds the axis the elbow bends about, so a generator is as high
        // as tan δ times its distance from that axis, Rk − (Dr/2)·cos φ.
        m.h[i] = slope * (in.Rk - 0.5 * in.Dr * std::cos(phi));
        if (m.h[i] > m.hmax) {
            m.hmax = m.h[i];
        }
    }
    m.Lc = kPi * in.Dr;
    return m;
}

bool isFinite(const ElbowModel& model) {
    return allFinite(model.L) && allFinite(model.h) &&
           allFinite(std::array{model.halfAngle, model.hmax, model.Lc, model.middleCentreLine()});
}

} // namespace blachorys::core
