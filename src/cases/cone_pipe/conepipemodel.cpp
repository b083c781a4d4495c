#include "cases/cone_pipe/conepipemodel.h"

#include "common/core/calculationresult.h"
#include "common/core/finite.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/**
 * How far past ±1 the sine of a cut point's angle on the pipe may come by rounding alone. A
 * generatrix that touches the pipe at its side, level with its axis, gives exactly ±1 in exact
 * arithmetic; the doubles of the construction land within a few units of the last place.
 */
constexpr double kSineRounding = 1e-9;
/**
 * A cut point level with the pipe's axis may come out a hair below it by rounding; so much,
 * as a share of the pipe's diameter, still counts as level.
 */
constexpr double kLevelRounding = 1e-9;

double toRadians(double degrees) {
    return degrees * kPi / 180.0;
}

ConePipeConstruction stopped(ConePipeConstruction construction, ConePipeFault fault,
                             int generatrix = -1) {
    construction.fault = fault;
    construction.generatrix = generatrix;
    return construction;
}

void fitBoundingBox(ConePipeModel& m) {
    if (m.inputs.development == ConePipeDevelopment::Pipe) {
        // The pipe's rectangle; the hole lies within it.
        m.minX = 0.0;
        m.maxX = m.inputs.L;
        m.minY = 0.0;
        m.maxY = kPi * m.inputs.Dr;
        return;
    }
    m.minX = m.maxX = m.Xm[0];
    m.minY = m.maxY = m.Ym[0];
    for (std::size_t n = 0; n < m.Xm.size(); ++n) {
        m.minX = std::min({m.minX, m.Xm[n], m.Xd[n]});
        m.maxX = std::max({m.maxX, m.Xm[n], m.Xd[n]});
        m.minY = std::min({m.minY, m.Ym[n], m.Yd[n]});
        m.maxY = std::max({m.maxY, m.Ym[n], m.Yd[n]});
    }
}

bool isFinite(const ConePipeModel& m) {
    return allFinite(m.Xm) && allFinite(m.Ym) && allFinite(m.Xd) && allFinite(m.Yd) &&
           allFinite(m.Xo) && allFinite(m.Yo) &&
           allFinite(std::array{m.h0, m.u, m.t, m.v, m.minX, m.maxX, m.minY, m.maxY, m.sheetWidth(),
                                m.sheetHeight(), kPi * m.inputs.Dr});
}

} // namespace

const InputChecks<ConePipeInputs>& conePipeChecks() {
    using In = ConePipeInputs;
    static const InputChecks<In> checks = {
        notNegative("Ds", &In::Ds),
        notNegative("Dr", &In::Dr),
        {dataError("P > Dr/2"), [](const In& in) { return in.P > in.Dr / 2; }},
        strictlyBetween("Gamma", &In::Gamma, 0, 90,
                        dataError("Gamma musi byc wieksza od 0 i mniejsza od 90°")),
        strictlyBetween("Beta", &In::Beta, 0, 180,
                        dataError("Beta musi byc wieksza od 0 i mniejsza od 180°")),
        notNegative("Hs", &In::Hs),
        notNegative("L", &In::L),
        notNegative("Lm", &In::Lm),
        atLeastTwoParts(&In::N),
        atMostTheTableParts(&In::N),
        // The pipe's sheet is L long; the cone's pattern does not use it. (Ds and Dr of 0 the
        // construction refuses with its own messages.)
        positiveSize<In>("L", &In::L,
                         [](const In& in) { return in.development == ConePipeDevelopment::Pipe; }),
    };
    return checks;
}

std::vector<std::string> validateConePipe(const ConePipeInputs& in) {
    return failedChecks(conePipeChecks(), in);
}

std::optional<double> angleOnPipe(double ratio) {
    if (!(std::fabs(ratio) <= 1.0 + kSineRounding)) {
        return std::nullopt;
    }
    return std::asin(std::clamp(ratio, -1.0, 1.0));
}

ConePipeConstruction computeConePipe(const ConePipeInputs& in) {
    ConePipeConstruction construction;
    ConePipeModel& m = construction.model;
    m.inputs = in;
    if (in.Ds == 0.0) {
        return stopped(construction, ConePipeFault::NoFreeEnd);
    }
    if (in.Dr == 0.0) {
        return stopped(construction, ConePipeFault::NoPipe);
    }
    const double gamma = toRadians(in.Gamma);
    const double beta = toRadians(in.Beta);
    const double freeEndRadius = in.Ds / 2;
    m.h0 = freeEndRadius / std::tan(gamma);
    m.u = m.h0 * std::sin(beta) + in.Hs;
    m.t = freeEndRadius / std::sin(gamma);
    m.v = kPi * in.Ds / m.t;

    const auto points = static_cast<std::size_t>(in.N) + 1;
    for (auto* table : {&m.Xm, &m.Ym, &m.Xd, &m.Yd, &m.Xo, &m.Yo}) {
        table->assign(points, 0.0);
    }
    // The pipe's surface in the cross-section: y² + z² = (Dr/2)². A point of a generatrix
    // where the cone's radius is r lies at y = P − r·sin w, z = u − r·Q; the constant term of
    // the quadratic in r is the same for every generatrix.
    const double C0 = m.u * m.u - in.Dr * in.Dr / 4 + in.P * in.P;
    const double startW = toRadians(in.alfa);
    const double deltaW = 2 * kPi / in.N;
    for (int n = 0; n <= in.N; ++n) {
        const auto i = static_cast<std::size_t>(n);
        // From the start angle each time, so that point N is point 0 once round.
        const double w = startW + n * deltaW;
        const double z0 = in.Hs - freeEndRadius * std::cos(w) * std::sin(kPi / 2 - beta);
        const double Q = 2 * (m.u - z0) / in.Ds;
        const double A = std::sin(w) * std::sin(w) + Q * Q;
        const double B = -2 * (in.P * std::sin(w) + m.u * Q);
        const double discriminant = B * B - 4 * A * C0;
        if (!std::isfinite(discriminant)) {
            return stopped(construction, ConePipeFault::NotFinite, n);
        }
        if (A == 0.0) {
            return stopped(construction, ConePipeFault::ParallelToPipe, n);
        }
        if (discriminant < 0.0) {
            return stopped(construction, ConePipeFault::MissesPipe, n);
        }
        // The two roots, each without cancellation between −B and √Δ: the nearer one is the
        // point where the generatrix first meets the pipe.
        const double q = -(B + std::copysign(std::sqrt(discriminant), B)) / 2;
        const double r1 = q / A;
        const double r2 = q != 0.0 ? C0 / q : r1;
        const double rn = std::min(r1, r2);
        // A root behind the apex is a point of the cone's other nappe: this generatrix, on the
        // cone's side, goes away from the pipe.
        if (rn < 0.0) {
            return stopped(construction, ConePipeFault::MissesPipe, n);
        }
        const double Z = rn / std::sin(gamma);
        const double theta = static_cast<double>(n) / in.N * m.v;
        m.Xm[i] = m.t * std::cos(theta);
        m.Ym[i] = m.t * std::sin(theta);
        m.Xd[i] = Z * std::cos(theta);
        m.Yd[i] = Z * std::sin(theta);

        const double zc = m.u - 2 * (m.u - z0) * rn / in.Ds;
        // The hole's arc is measured over the top of the pipe; a cut below its axis would be
        // mirrored into the upper half.
        if (zc < -kLevelRounding * in.Dr) {
            return stopped(construction, ConePipeFault::BelowPipeAxis, n);
        }
        const auto angle = angleOnPipe(2 * (rn * std::sin(w) - in.P) / in.Dr);
        if (!angle) {
            return stopped(construction, ConePipeFault::OffThePipe, n);
        }
        // Along the pipe: the axis point at the cut's height, then the cut's offset from the
        // axis in the plane of the axes.
        m.Xo[i] = zc / std::tan(beta) + rn * std::cos(w) / std::sin(beta) + in.Lm;
        m.Yo[i] = (2 * *angle + kPi) * in.Dr / 4;
    }
    fitBoundingBox(m);
    if (!isFinite(m)) {
        return stopped(construction, ConePipeFault::NotFinite);
    }
    return construction;
}

std::string faultMessage(ConePipeFault fault) {
    switch (fault) {
    case ConePipeFault::None:
        return {};
    case ConePipeFault::NoFreeEnd:
        return "Blad obliczen. Prawdopodobnie Ds = 0 - dzielenie przez zero.";
    case ConePipeFault::NoPipe:
        return "Blad obliczen. Prawdopodobnie Dr = 0 - dzielenie przez zero.";
    case ConePipeFault::ParallelToPipe:
        return "Blad obliczen. Prawdopodobnie tworzaca STOZKA jest rownolegla do osi RURY.";
    case ConePipeFault::MissesPipe:
        return "Blad obliczen. Prawdopodobnie STOZEK nie cala powierzchnia \"wchodzi\" w RURE";
    case ConePipeFault::BelowPipeAxis:
        return "Blad obliczen. Prawdopodobnie STOZEK wchodzi w RURE ponizej jej osi.";
    case ConePipeFault::OffThePipe:
        return "Blad obliczen. Prawdopodobnie punkt otworu lezy poza RURA.";
    case ConePipeFault::NotFinite:
        return kNotFiniteMessage;
    }
    return kNotFiniteMessage;
}

} // namespace blachorys::core
