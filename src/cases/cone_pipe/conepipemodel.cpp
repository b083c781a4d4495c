#include "cases/cone_pipe/conepipemodel.h"

#include "common/core/calculationresult.h"
#include "common/core/curvesampling.h"
#include "common/core/finite.h"
#include "common/core/patternlines.h"

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

namespace {

/** Where one generatrix meets the pipe. */
struct CutPoint {
    double rn = 0.0; ///< the cone's radius there, mm
    double Z = 0.0;  ///< slant distance from the apex, mm: the cut's radius in the cone pattern
    double zc = 0.0; ///< height above the pipe's axis, mm
    PatternPoint hole; ///< the point on the pipe's rolled-out sheet
};

/** The cone and the pipe of the inputs, generatrix by generatrix. */
class ConeInPipe {
public:
    explicit ConeInPipe(const ConePipeInputs& in, const ConePipeModel& m)
        : m_in(in), m_u(m.u), m_gamma(toRadians(in.Gamma)), m_beta(toRadians(in.Beta)),
          // The pipe's surface in the cross-section: y² + z² = (Dr/2)². A point of a
          // generatrix where the cone's radius is r lies at y = P − r·sin w, z = u − r·Q; the
          // constant term of the quadratic in r is the same for every generatrix.
          m_C0(m.u * m.u - in.Dr * in.Dr / 4 + in.P * in.P) {}

    /** The generatrix at angle w round the free end, or why it has no cut. */
    ConePipeFault cut(double w, CutPoint& point) const {
        const double freeEndRadius = m_in.Ds / 2;
        const double z0 = m_in.Hs - freeEndRadius * std::cos(w) * std::sin(kPi / 2 - m_beta);
        const double Q = 2 * (m_u - z0) / m_in.Ds;
        const double A = std::sin(w) * std::sin(w) + Q * Q;
        const double B = -2 * (m_in.P * std::sin(w) + m_u * Q);
        const double discriminant = B * B - 4 * A * m_C0;
        if (!std::isfinite(discriminant)) {
            return ConePipeFault::NotFinite;
        }
        if (A == 0.0) {
            return ConePipeFault::ParallelToPipe;
        }
        if (discriminant < 0.0) {
            return ConePipeFault::MissesPipe;
        }
        // The two roots, each without cancellation between −B and √Δ: the nearer one is the
        // point where the generatrix first meets the pipe.
        const double q = -(B + std::copysign(std::sqrt(discriminant), B)) / 2;
        const double r1 = q / A;
        const double r2 = q != 0.0 ? m_C0 / q : r1;
        const double rn = std::min(r1, r2);
        // A root behind the apex is a point of the cone's other nappe: this generatrix, on the
        // cone's side, goes away from the pipe.
        if (rn < 0.0) {
            return ConePipeFault::MissesPipe;
        }
        point.rn = rn;
        point.Z = rn / std::sin(m_gamma);
        point.zc = m_u - 2 * (m_u - z0) * rn / m_in.Ds;
        // The hole's arc is measured over the top of the pipe; a cut below its axis would be
        // mirrored into the upper half.
        if (point.zc < -kLevelRounding * m_in.Dr) {
            return ConePipeFault::BelowPipeAxis;
        }
        const auto angle = angleOnPipe(2 * (rn * std::sin(w) - m_in.P) / m_in.Dr);
        if (!angle) {
            return ConePipeFault::OffThePipe;
        }
        // Along the pipe: the axis point at the cut's height, then the cut's offset from the
        // axis in the plane of the axes.
        point.hole = {point.zc / std::tan(m_beta) + rn * std::cos(w) / std::sin(m_beta) + m_in.Lm,
                      (2 * *angle + kPi) * m_in.Dr / 4};
        return ConePipeFault::None;
    }

private:
    const ConePipeInputs& m_in;
    double m_u;
    double m_gamma;
    double m_beta;
    double m_C0;
};

/**
 * The three curves as exactly as they are cut, through their points: the free end's arc, the
 * cut along the pipe and the hole, each sampled round the free end. The fault of a generatrix
 * between two of the table's, if one has none.
 */
ConePipeFault exactCurves(ConePipeModel& m, const ConeInPipe& cone, const std::vector<double>& w) {
    const double startW = w.front();
    const double turnShare = m.v / (2 * kPi);
    ConePipeFault fault = ConePipeFault::None;
    const auto sample = [&](const std::vector<PatternPoint>& knots, auto pointOf) {
        auto curve = sampleCurve(
            [&](double t) -> std::optional<PatternPoint> {
                CutPoint point;
                const ConePipeFault f = cone.cut(t, point);
                if (f != ConePipeFault::None) {
                    fault = f;
                    return std::nullopt;
                }
                return pointOf(t, point);
            },
            w, knots);
        return curve.value_or(std::vector<PatternPoint>{});
    };
    const auto polar = [&](double radius, double t) {
        const double theta = (t - startW) * turnShare;
        return PatternPoint{radius * std::cos(theta), radius * std::sin(theta)};
    };
    m.exactFreeEnd = sample(pointsOf(m.Xm, m.Ym),
                            [&](double t, const CutPoint&) { return polar(m.t, t); });
    m.exactCut = sample(pointsOf(m.Xd, m.Yd),
                        [&](double t, const CutPoint& p) { return polar(p.Z, t); });
    m.exactHole =
        sample(pointsOf(m.Xo, m.Yo), [](double, const CutPoint& p) { return p.hole; });
    return fault;
}

} // namespace

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
    const ConeInPipe cone(in, m);
    const double startW = toRadians(in.alfa);
    const double deltaW = 2 * kPi / in.N;
    std::vector<double> angles(points);
    for (int n = 0; n <= in.N; ++n) {
        const auto i = static_cast<std::size_t>(n);
        // From the start angle each time, so that point N is point 0 once round.
        const double w = startW + n * deltaW;
        angles[i] = w;
        CutPoint point;
        if (const ConePipeFault fault = cone.cut(w, point); fault != ConePipeFault::None) {
            return stopped(construction, fault, n);
        }
        const double theta = static_cast<double>(n) / in.N * m.v;
        m.Xm[i] = m.t * std::cos(theta);
        m.Ym[i] = m.t * std::sin(theta);
        m.Xd[i] = point.Z * std::cos(theta);
        m.Yd[i] = point.Z * std::sin(theta);
        m.Xo[i] = point.hole.x;
        m.Yo[i] = point.hole.y;
    }
    fitBoundingBox(m);
    if (!isFinite(m)) {
        return stopped(construction, ConePipeFault::NotFinite);
    }
    if (const ConePipeFault fault = exactCurves(m, cone, angles); fault != ConePipeFault::None) {
        return stopped(construction, fault);
    }
    const double rounding = roundingAt(m.t + in.L + in.Dr);
    // The free end lies beyond the cut on some generatrix: it is inside the pipe.
    for (const PatternPoint p : m.exactCut) {
        if (std::hypot(p.x, p.y) < m.t - rounding) {
            return stopped(construction, ConePipeFault::FreeEndInsidePipe);
        }
    }
    // Only the pipe's sheet must hold the hole: the cone's pattern does not depend on L.
    for (const PatternPoint p : m.exactHole) {
        if (in.development == ConePipeDevelopment::Pipe &&
            (p.x < -rounding || p.x > in.L + rounding)) {
            return stopped(construction, ConePipeFault::PastThePipesEnd);
        }
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
    case ConePipeFault::FreeEndInsidePipe:
        return "Blad obliczen. Prawdopodobnie wolny koniec STOZKA lezy wewnatrz RURY - zwieksz Hs.";
    case ConePipeFault::PastThePipesEnd:
        return "Blad obliczen. Prawdopodobnie STOZEK wychodzi poza koniec RURY - sprawdz Lm i L.";
    case ConePipeFault::NotFinite:
        return kNotFiniteMessage;
    }
    return kNotFiniteMessage;
}

} // namespace blachorys::core
