#include "cases/pipe_pipe/pipepipemodel.h"

#include "common/core/branchchecks.h"
#include "common/core/finite.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

double toRadians(double degrees) {
    return degrees * kPi / 180.0;
}

/**
 * √(R² − c²) for a generator that validation keeps within the shell (|c| ≤ R). At the
 * boundary (Dm/2 + P = Dd/2) rounding can push c a hair past R; the distance is then 0.
 */
double rootWithinShell(double R, double c) {
    return std::sqrt(std::max(0.0, R * R - c * c));
}

} // namespace

const InputChecks<PipePipeInputs>& pipePipeChecks() {
    using In = PipePipeInputs;
    static const InputChecks<In> checks = [] {
        InputChecks<In> all =
            branchChecks<In>({"Dm", &In::Dm}, {"Dd", &In::Dd}, &In::P, &In::BETA, &In::N);
        // A branch offset to the other side must stay within the shell too, or its generators
        // would miss the shell (the square roots of the construction would go negative).
        all.push_back({dataError("Dm/2 - P > Dd/2"),
                       [](const In& in) { return in.Dm / 2 - in.P > in.Dd / 2; }});
        // A shell of no diameter has no surface to develop; the hole would divide by its radius.
        all.push_back({dataError("Dd musi byc wieksza od 0"),
                       [](const In& in) { return !(in.Dd > 0); },
                       {"Dd"}});
        // A branch of no diameter has a template of no width; a shell of no length, no sheet.
        all.push_back(positiveSize<In>("Dm", &In::Dm));
        all.push_back(positiveSize<In>("Ld", &In::Ld, [](const In& in) {
            return in.development == PipePipeDevelopment::LargerPipe;
        }));
        return all;
    }();
    return checks;
}

std::vector<std::string> validatePipePipe(const PipePipeInputs& in) {
    return failedChecks(pipePipeChecks(), in);
}

PipePipeModel computePipePipe(const PipePipeInputs& in) {
    PipePipeModel model;
    model.inputs = in;
    const double r = in.Dm / 2;
    const double R = in.Dd / 2;
    const double beta = toRadians(in.BETA);
    const double deltaPhi = 2 * kPi / in.N;
    const auto points = static_cast<std::size_t>(in.N) + 1;
    double phi = toRadians(in.alfa);

    if (in.development == PipePipeDevelopment::SmallerPipe) {
        model.L.resize(points);
        model.h.resize(points);
        for (std::size_t i = 0; i < points; ++i) {
            model.L[i] = static_cast<double>(i) * kPi * in.Dm / in.N;
            const double s = r * std::sin(phi);
            const double z = rootWithinShell(R, in.P - s);
            model.h[i] = (in.H - r * std::cos(phi) * std::cos(beta) - z) / std::sin(beta);
            model.hmax = std::max(model.hmax, model.h[i]);
            phi += deltaPhi;
        }
        return model;
    }

    // At BETA = 90° the branch is square to the shell and the axial term vanishes; tan(π/2)
    // in doubles is huge but finite, so the exact case is spelt out.
    const bool square = in.BETA == 90.0;
    model.Xo.resize(points);
    model.Yo.resize(points);
    for (std::size_t i = 0; i < points; ++i) {
        const double c = in.P - r * std::sin(phi);
        const double root = rootWithinShell(R, c);
        const double theta = std::fabs(c) >= R ? std::copysign(kPi / 2, c) : std::atan(c / root);
        model.Yo[i] = R * (kPi / 2 - theta);
        model.Xo[i] =
            in.Lm + r * std::cos(phi) / std::sin(beta) + (square ? 0.0 : root / std::tan(beta));
        phi += deltaPhi;
    }
    return model;
}

bool isFinite(const PipePipeModel& model) {
    // The sheet's developed width comes from the diameter alone: the shell's π·Dd can overflow
    // while every hole point is still finite.
    const double diameter = model.inputs.development == PipePipeDevelopment::SmallerPipe
                                ? model.inputs.Dm
                                : model.inputs.Dd;
    return allFinite(model.L) && allFinite(model.h) && allFinite(model.Xo) && allFinite(model.Yo) &&
           std::isfinite(model.hmax) && std::isfinite(kPi * diameter);
}

} // namespace blachorys::core
