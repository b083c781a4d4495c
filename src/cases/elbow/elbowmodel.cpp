#include "cases/elbow/elbowmodel.h"

#include "common/core/finite.h"

#include <array>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kMaxDivisions = 2000;
constexpr double kFullTurn = 360.0;

} // namespace

std::vector<std::string> validateElbow(const ElbowInputs& in) {
    std::vector<std::string> messages;
    if (in.N < 2) {
        messages.emplace_back("Blad danych : N < 2");
    }
    if (in.N > kMaxDivisions) {
        messages.emplace_back("Blad danych : N > 2000");
    }
    if (in.Ns < 3) {
        messages.emplace_back("Blad danych : Ns < 3");
    }
    // A bend radius of exactly half the diameter is a sharp inner corner: still an elbow.
    if (in.Dr / 2 > in.Rk) {
        messages.emplace_back("Blad danych : Rk < Dr/2");
    }
    if (in.BETA > kFullTurn) {
        messages.emplace_back("Blad danych : BETA > 360");
    }
    if (in.BETA == 0.0) {
        messages.emplace_back("Blad danych : BETA = 0");
    }
    return messages;
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
