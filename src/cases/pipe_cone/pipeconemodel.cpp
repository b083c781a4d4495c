#include "cases/pipe_cone/pipeconemodel.h"

#include "common/core/branchchecks.h"
#include "common/core/calculationresult.h"
#include "common/core/curvesampling.h"
#include "common/core/finite.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/**
 * An inclination this close to 90°, in radians, is taken as square to the cone's axis: the
 * generators then run parallel to the end faces and the quadratic's tan β is not needed.
 */
constexpr double kSquareTolerance = 1e-9;
/**
 * Share of c² below which the quadratic's leading coefficient k² − c² is rounding noise: the
 * pipe's generators then run parallel to a generator of the cone, and the second meeting the
 * quadratic would give lies some 10¹² cone lengths away.
 */
constexpr double kParallelTolerance = 1e-12;

const char* const kMissesTheCone =
    "Blad obliczen. Prawdopodobnie RURA nie cala powierzchnia \"wchodzi\" w STOZEK";
const char* const kNoCone =
    "Blad obliczen. Prawdopodobnie Dsd = 0 lub Hs = 0 - dzielenie przez zero.";
const char* const kParallelToTheCone =
    "Blad obliczen. Prawdopodobnie tworzaca RURY jest rownolegla do tworzacej STOZKA.";
const char* const kPastAnEnd =
    "Blad obliczen. Prawdopodobnie RURA wychodzi poza koniec STOZKA - sprawdz Lm, Hs i BETA.";
const char* const kEndFaceInside =
    "Blad obliczen. Prawdopodobnie koniec RURY lezy wewnatrz STOZKA (tworzaca h < 0) - zwieksz "
    "Hr.";
const char* const kHoleOverTheCut =
    "Blad obliczen. Prawdopodobnie otwor przecina linie ciecia (szew) STOZKA - zmien P.";

/** Where a pipe generator meets the mantle (x, y, z in the cone's frame), and its length h. */
struct Meeting {
    double x, y, z, h;
};

/**
 * The pipe generators and where they meet the cone. A square pipe's generators run at
 * constant height; an inclined pipe's generator is the line y = m + z·tan β, whose meeting
 * with the cone x² + (y − e(z))² = R(z)² is the quadratic A2·z² + A1·z + A0 = 0.
 */
class PipeGenerators {
public:
    PipeGenerators(const PipeConeInputs& in, const ConeMantle& cone)
        : m_in(in), m_cone(cone), m_beta(in.BETA * kPi / 180), m_r(in.Dr / 2),
          m_zA(cone.Zm() + in.Lm), m_square(std::fabs(m_beta - kPi / 2) < kSquareTolerance) {
        const double Zd = cone.Zd();
        m_c2 = in.Dsd * in.Dsd / (4 * Zd * Zd);
        m_tanBeta = std::tan(m_beta);
        m_k = in.E / in.Hs - m_tanBeta;
        m_A2 = m_k * m_k - m_c2;
    }

    /** The pipe's generators run parallel to one of the cone's generators. */
    bool parallelToTheCone() const {
        return !m_square && std::fabs(m_A2) <= kParallelTolerance * m_c2;
    }

    /** The meeting of the generator at θ (radians from the large-end side), if it meets. */
    std::optional<Meeting> meet(double theta) const {
        const double x = m_in.P - m_r * std::sin(theta);
        return m_square ? meetSquare(x, theta) : meetInclined(x, theta);
    }

private:
    std::optional<Meeting> meetSquare(double x, double theta) const {
        const double z = m_zA + m_r * std::cos(theta);
        const double R = m_cone.radiusAt(z);
        if (R * R - x * x < 0) {
            return std::nullopt;
        }
        const double w = std::sqrt(R * R - x * x);
        return Meeting{x, m_cone.centreAt(z) + w, z,
                       m_in.Hr - m_r * m_in.E * std::cos(theta) / m_in.Hs - w};
    }

    std::optional<Meeting> meetInclined(double x, double theta) const {
        const double m = m_k * m_zA - m_r * std::cos(theta) / std::cos(m_beta);
        const double A1 = -2 * m_k * m;
        const double A0 = m * m + x * x;
        // A1² − 4·A2·A0 rearranged: near β = 90° A1² and 4·A2·A0 are two huge, nearly equal
        // numbers whose difference is all rounding, while c²·A0 − k²·x² loses nothing.
        const double D = 4 * (m_c2 * A0 - m_k * m_k * x * x);
        if (D < 0) {
            return std::nullopt;
        }
        const double z1 = (-A1 - std::sqrt(D)) / (2 * m_A2);
        const double z2 = (-A1 + std::sqrt(D)) / (2 * m_A2);
        const double y1 = m + z1 * m_tanBeta;
        const double y2 = m + z2 * m_tanBeta;
        // The meeting nearer the pipe's end face, which stands on the side of positive y.
        const bool first = y1 > y2;
        const double y = first ? y1 : y2;
        const double yEnd =
            m_in.Hr + m_in.E * m_zA / m_in.Hs - m_r * std::cos(m_beta) * std::cos(theta);
        return Meeting{x, y, first ? z1 : z2, (yEnd - y) / std::sin(m_beta)};
    }

    const PipeConeInputs& m_in;
    const ConeMantle& m_cone;
    double m_beta;
    double m_r;
    double m_zA;
    bool m_square;
    double m_c2 = 0.0;
    double m_tanBeta = 0.0;
    double m_k = 0.0;
    double m_A2 = 0.0;
};

} // namespace

const InputChecks<PipeConeInputs>& pipeConeChecks() {
    using In = PipeConeInputs;
    static const InputChecks<In> checks = [] {
        InputChecks<In> all =
            branchChecks<In>({"Dr", &In::Dr}, {"Dsd", &In::Dsd}, &In::P, &In::BETA, &In::N);
        all.push_back({dataError("Dsm = Dsd "), [](const In& in) { return in.Dsm == in.Dsd; }});
        // A pipe of no diameter has a template of no width and makes no hole. (Dsm may be 0,
        // a cone to its apex; Dsd and Hs of 0 the construction refuses with its own message.)
        all.push_back(positiveSize<In>("Dr", &In::Dr));
        return all;
    }();
    return checks;
}

std::vector<std::string> validatePipeCone(const PipeConeInputs& in) {
    return failedChecks(pipeConeChecks(), in);
}

ConeMantle coneMantle(const PipeConeInputs& in) {
    return {in.Dsm, in.Dsd, in.Hs, in.E};
}

namespace {

/** Which loops unroll the mantle. */
enum class MantleLoops { Fast, Reference };

/** How far along the cone's axis the pipe's generators meet it, against its end faces. */
class FrustumReach {
public:
    explicit FrustumReach(const ConeMantle& cone)
        : m_low(std::min(cone.Zm(), cone.Zd())), m_high(std::max(cone.Zm(), cone.Zd())),
          m_rounding(roundingAt(std::fabs(cone.Zd()) + cone.Hs)) {}

    void add(double z) {
        m_lowest = std::min(m_lowest, z);
        m_highest = std::max(m_highest, z);
    }

    bool withinTheEnds() const {
        return m_lowest >= m_low - m_rounding && m_highest <= m_high + m_rounding;
    }

private:
    double m_low;
    double m_high;
    double m_rounding;
    double m_lowest = std::numeric_limits<double>::infinity();
    double m_highest = -std::numeric_limits<double>::infinity();
};

/**
 * The mantle's arcs and hole as exactly as they are cut: the arcs through the outline's fine
 * generators, the hole through the points where the pipe's generators meet the cone, each
 * unrolled along the fine generators' angles. The fault, when the pipe misses the cone between
 * two generators or the hole crosses the mantle's cut, where the unrolled mantle is cut apart
 * (its section angle runs once round from 0 to 2π); nullptr when the mantle is whole.
 */
const char* exactMantle(PipeConeModel& model, const ConeMantle& cone, const PipeGenerators& generators,
                 const std::vector<double>& thetas) {
    const MantleOutline& o = model.outline;
    const double rho = (cone.Zd() - cone.Hs) / cone.Zd();
    model.exactArcs.large.resize(o.fineXd.size());
    model.exactArcs.small.resize(o.fineXd.size());
    for (std::size_t s = 0; s < o.fineXd.size(); ++s) {
        model.exactArcs.large[s] = {o.fineXd[s], o.fineYd[s]};
        model.exactArcs.small[s] = {rho * o.fineXd[s], rho * o.fineYd[s]};
    }
    std::vector<PatternPoint> knots(model.Xo.size());
    for (std::size_t i = 0; i < knots.size(); ++i) {
        knots[i] = {model.Xo[i], model.Yo[i]};
    }
    const auto angleAt = [&](double t) -> std::optional<double> {
        const std::optional<Meeting> m = generators.meet(t);
        if (!m) {
            return std::nullopt;
        }
        return sectionAngle(cone, m->x, m->y, m->z);
    };
    const auto hole = sampleCurveWithParameters(
        [&](double t) -> std::optional<PatternPoint> {
            const std::optional<Meeting> m = generators.meet(t);
            if (!m) {
                return std::nullopt;
            }
            const double psi = developedAngle(o, sectionAngle(cone, m->x, m->y, m->z));
            const double length = std::sqrt(m->x * m->x + m->y * m->y + m->z * m->z);
            return PatternPoint{length * std::cos(psi), length * std::sin(psi)};
        },
        thetas, knots);
    if (!hole) {
        return kMissesTheCone;
    }
    // Neighbouring points of the hole a half turn apart round the cone lie on either side of
    // the cut.
    std::optional<double> previous;
    for (const double t : hole->parameters) {
        const std::optional<double> phi = angleAt(t);
        if (!phi) {
            return kMissesTheCone;
        }
        if (previous && std::fabs(*phi - *previous) > kPi) {
            return kHoleOverTheCut;
        }
        previous = phi;
    }
    model.exactHole = std::move(hole->points);
    return nullptr;
}

Construction<PipeConeModel> construct(const PipeConeInputs& in, MantleLoops loops) {
    // Without a length or a large end the apex distance Zd is 0 and every section divides by it.
    if (in.Hs == 0.0 || in.Dsd == 0.0) {
        return constructionFailed<PipeConeModel>(kNoCone);
    }
    const ConeMantle cone = coneMantle(in);
    const PipeGenerators generators(in, cone);
    if (generators.parallelToTheCone()) {
        return constructionFailed<PipeConeModel>(kParallelToTheCone);
    }

    PipeConeModel model;
    model.inputs = in;
    model.Zd = cone.Zd();
    model.Zm = cone.Zm();
    const bool mantle = in.development == PipeConeDevelopment::Cone;
    const auto points = static_cast<std::size_t>(in.N) + 1;
    model.L.resize(points);
    model.h.resize(points);
    if (mantle) {
        model.hole.resize(points);
    }
    // θ is carried on by adding its step, so point N is the seam at alfa again.
    const double theta0 = in.alfa * kPi / 180;
    double theta = theta0;
    const double deltaTheta = 2 * kPi / in.N;
    std::vector<double> thetas(points);
    std::vector<PatternPoint> cut(points);
    FrustumReach reach(cone);
    for (std::size_t i = 0; i < points; ++i) {
        model.L[i] = static_cast<double>(i) * kPi * in.Dr / in.N;
        const std::optional<Meeting> meeting = generators.meet(theta);
        if (!meeting) {
            return constructionFailed<PipeConeModel>(kMissesTheCone);
        }
        reach.add(meeting->z);
        model.h[i] = meeting->h;
        model.hmax = std::max(model.hmax, meeting->h);
        if (mantle) {
            model.hole[i] = {meeting->x, meeting->y, meeting->z};
        }
        thetas[i] = theta;
        cut[i] = {model.L[i], -model.h[i]};
        theta += deltaTheta;
    }
    // Numbers that overflowed say so before the curve between them is looked at.
    if (!allFinite(model.L) || !allFinite(model.h) ||
        !allFinite(std::array{cone.Zd(), cone.Zm(), kPi * in.Dr})) {
        return constructionFailed<PipeConeModel>(kNotFiniteMessage);
    }
    // Between two generators the pipe may still miss the cone, reach past an end face, or
    // bulge: the curve as it is cut tells.
    const auto exactCut = sampleCurve(
        [&](double t) -> std::optional<PatternPoint> {
            const std::optional<Meeting> meeting = generators.meet(t);
            if (!meeting) {
                return std::nullopt;
            }
            reach.add(meeting->z);
            return PatternPoint{(t - theta0) * in.Dr / 2, -meeting->h};
        },
        thetas, cut);
    if (!exactCut) {
        return constructionFailed<PipeConeModel>(kMissesTheCone);
    }
    if (!reach.withinTheEnds()) {
        return constructionFailed<PipeConeModel>(kPastAnEnd);
    }
    model.exactTemplate = std::move(*exactCut);
    const double rounding = roundingAt(std::fabs(in.Hr) + std::fabs(cone.Zd()) + in.Dr);
    if (!mantle && std::any_of(model.exactTemplate.begin(), model.exactTemplate.end(),
                               [&](PatternPoint p) { return -p.y < -rounding; })) {
        return constructionFailed<PipeConeModel>(kEndFaceInside);
    }

    if (mantle) {
        model.Xo.resize(points);
        model.Yo.resize(points);
        if (loops == MantleLoops::Fast) {
            const std::vector<DevelopedPoint> developed = developPoints(cone, model.hole);
            for (std::size_t i = 0; i < points; ++i) {
                model.Xo[i] = developed[i].x;
                model.Yo[i] = developed[i].y;
            }
            model.outline = developOutline(cone, in.N);
        } else {
            for (std::size_t i = 0; i < points; ++i) {
                const MantlePoint& p = model.hole[i];
                const DevelopedPoint developed = developPointReference(cone, p.x, p.y, p.z);
                model.Xo[i] = developed.x;
                model.Yo[i] = developed.y;
            }
            model.outline = developOutlineReference(cone, in.N);
        }
        const MantleOutline& o = model.outline;
        model.sheet = sectorBox({o.Xm, o.Ym, o.Xd, o.Yd});
        if (!isFinite(model)) {
            return constructionFailed<PipeConeModel>(kNotFiniteMessage);
        }
        if (const char* fault = exactMantle(model, cone, generators, thetas)) {
            return constructionFailed<PipeConeModel>(fault);
        }
    }
    return constructed(std::move(model));
}

} // namespace

Construction<PipeConeModel> computePipeCone(const PipeConeInputs& in) {
    return construct(in, MantleLoops::Fast);
}

Construction<PipeConeModel> computePipeConeReference(const PipeConeInputs& in) {
    return construct(in, MantleLoops::Reference);
}

bool isFinite(const PipeConeModel& model) {
    const MantleOutline& o = model.outline;
    return allFinite(model.L) && allFinite(model.h) && allFinite(o.Xm) && allFinite(o.Ym) &&
           allFinite(o.Xd) && allFinite(o.Yd) && allFinite(model.Xo) && allFinite(model.Yo) &&
           allFinite(std::array{model.hmax, kPi * model.inputs.Dr, model.sheet.xMin,
                                model.sheet.xMax, model.sheet.yMin, model.sheet.yMax,
                                model.sheet.width(), model.sheet.height()});
}

} // namespace blachorys::core
