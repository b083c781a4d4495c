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

} // namespace

const InputChecks<ConeInputs>& coneChecks() {
    using In = ConeInputs;
    static const InputChecks<In> checks = {
        atLeastTwoParts(&In::N),
        atMostTheTableParts(&In::N),
        {dataError("Dsm = Dsd "), [](const In& in) { return in.Dsm == in.Dsd; }},
    };
    return checks;
}

std::vector<std::string> validateCone(const ConeInputs& in) {
    return failedChecks(coneChecks(), in);
}

double apexHeight(const ConeInputs& in) {
    return in.Dsd * in.Hs / (in.Dsd - in.Dsm);
}

int fineStepsPerDivision(int divisions) {
    return (kMinFineSteps + divisions - 1) / divisions;
}

ConeModel computeCone(const ConeInputs& in) {
    ConeModel m;
    m.inputs = in;
    m.H = apexHeight(in);
    m.F = fineStepsPerDivision(in.N);
    m.M = in.N * m.F;
    const double Rd = in.Dsd / 2;
    const double Rm = in.Dsm / 2;
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
