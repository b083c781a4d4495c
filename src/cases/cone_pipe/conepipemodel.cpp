#include "cases/cone_pipe/conepipemodel.h"

#include "cases/cone_pipe/conepipegeneratrix.h"
#include "cases/cone_pipe/conepipewalls.h"

#include "common/core/base/finite.h"
#include "common/core/calculator/calculationresult.h"
#include "common/core/calculator/fittingrange.h"
#include "common/core/calculator/sheetseam.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/geometry/fittingsearch.h"
#include "common/core/pattern/patternlines.h"
#include "common/core/walls/wallhole.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <numbers>
#include <optional>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/**
 * The cone's pattern is drawn round its apex, and a point t from it is rounded by about t·ε at
 * each of the few steps that place it; so many steps' roundings must stay within the cut's
 * tolerance, or a milliardth of the joint's size for a huge one. At Gamma 1e-12° with Ds 200
 * the apex lies 1e16 mm away, where one step of a double is 2 mm: the pattern's lines no
 * longer meet.
 */
constexpr double kRoundingsOfAPatternPoint = 64 * std::numeric_limits<double>::epsilon();
constexpr double kShareOfTheJointsSize = 1e-9;

/**
 * How far past ±1 the sine of a cut point's angle on the pipe may come by rounding alone. A
 * generatrix that touches the pipe at its side, level with its axis, gives exactly ±1 in exact
 * arithmetic; the doubles of the construction land within a few units of the last place.
 */
constexpr double kSineRounding = 1e-9;

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
        m.maxY = m.girth;
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
                                m.sheetHeight(), m.girth, m.holeOverhang});
}

} // namespace

Wall coneWall(const ConePipeInputs& in) {
    return {in.ts, WallSurface::Outside, PartMaking::RolledFromPlate};
}

Wall pipeWall(const ConePipeInputs& in) {
    return {in.tr, WallSurface::Outside, in.pipeMade};
}

ConePipeSurfaces surfacesOf(const ConePipeInputs& in) {
    const JointContact contact = contactOf(in.joint);
    const Wall cone = coneWall(in);
    const Wall pipe = pipeWall(in);
    const double R = in.Dr / 2;
    return {.coneContact = cone.outwardOfTyped(contact.branch),
            .coneDevelopment = cone.outwardOfTyped(cone.developed()),
            .coneInside = cone.outwardOfTyped(WallSurface::Inside),
            .pipeContact = radiusOf(pipe, R, contact.main),
            .pipeDevelopment = radiusOf(pipe, R, pipe.developed()),
            .pipeInside = radiusOf(pipe, R, WallSurface::Inside),
            .pipeOutside = radiusOf(pipe, R, WallSurface::Outside)};
}

bool hasWallThickness(const ConePipeInputs& in) {
    return in.ts > 0 || in.tr > 0;
}

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
        // The pipe's sheet is L long, and holds the hole whichever part is developed. (Ds and
        // Dr of 0 the construction refuses with its own messages.)
        positiveSize<In>("L", &In::L),
        // A plate that leaves the cone no inside: its inside face lies ts/cos Gamma within the
        // outside in the free end's plane.
        {dataError("ts/cos(Gamma) >= Ds/2 - stozek z blachy ts nie ma wnetrza"),
         [](const In& in) {
             return in.ts > 0 && in.Gamma > 0 && in.Gamma < 90 &&
                    in.Ds / 2 + planeOffsetOf(coneWall(in), WallSurface::Inside,
                                              in.Gamma * std::numbers::pi / 180) <=
                        0;
         }},
        {dataError("tr >= Dr/2"), [](const In& in) { return in.tr > 0 && in.tr >= in.Dr / 2; }},
        // Set in, the cone's axis must pass within the pipe's bore.
        {dataError("P > Dr/2 - tr"),
         [](const In& in) {
             return hasWallThickness(in) && in.joint == BranchJoint::SetIn &&
                    in.P > in.Dr / 2 - in.tr;
         }},
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

/** Where a generatrix is cut and the point it gives the hole, or why it has none. */
using GeneratrixCut = std::function<ConePipeFault(double w, CutPoint& point)>;

/**
 * The three curves as exactly as they are cut, through their points: the free end's arc, the
 * cut along the pipe and the hole, each sampled round the free end. The fault of a generatrix
 * between two of the table's, if one has none.
 */
ConePipeFault exactCurves(ConePipeModel& m, const GeneratrixCut& cone,
                          const std::vector<double>& w) {
    const double startW = w.front();
    const double turnShare = m.v / (2 * kPi);
    ConePipeFault fault = ConePipeFault::None;
    // The three curves ask for many of the same generatrices.
    std::map<double, std::pair<ConePipeFault, CutPoint>> cuts;
    const auto cutAt = [&](double t, CutPoint& point) {
        auto [at, added] = cuts.try_emplace(t);
        if (added) {
            at->second.first = cone(t, at->second.second);
        }
        point = at->second.second;
        return at->second.first;
    };
    const auto sample = [&](const std::vector<PatternPoint>& knots, auto pointOf) {
        auto curve = sampleCurveWithParameters(
            [&](double t) -> std::optional<PatternPoint> {
                CutPoint point;
                const ConePipeFault f = cutAt(t, point);
                if (f != ConePipeFault::None) {
                    fault = f;
                    return std::nullopt;
                }
                return pointOf(t, point);
            },
            w, knots);
        if (!curve) {
            return std::vector<PatternPoint>{};
        }
        return std::move(curve->points);
    };
    const auto polar = [&](double radius, double t) {
        const double theta = (t - startW) * turnShare;
        return PatternPoint{radius * std::cos(theta), radius * std::sin(theta)};
    };
    m.exactFreeEnd =
        sample(pointsOf(m.Xm, m.Ym), [&](double t, const CutPoint&) { return polar(m.t, t); });
    m.exactCut =
        sample(pointsOf(m.Xd, m.Yd), [&](double t, const CutPoint& p) { return polar(p.Z, t); });
    m.exactHole = sample(pointsOf(m.Xo, m.Yo), [](double, const CutPoint& p) { return p.hole; });
    return fault;
}

/**
 * "(pasuje Hs od …)": the least Hs that puts the free end outside the pipe on every
 * generatrix, whose cut moves away from the apex as the cone is raised; the free end's slant
 * `freeEndSlant` does not change with Hs.
 */
std::string leastHsThatFits(const ConePipeInputs& in, double freeEndSlant) {
    const std::optional<double> least = endOfFitting(
        [&](double Hs) -> std::optional<double> {
            ConePipeInputs raised = in;
            raised.Hs = Hs;
            const ConeInPipe cone(raised);
            std::optional<WalledConeOnPipe> walled;
            if (hasWallThickness(raised)) {
                walled.emplace(raised);
            }
            const std::optional<TurnExtremes> slant =
                extremesRoundATurn([&](double w) -> std::optional<double> {
                    CutPoint point;
                    const ConePipeFault fault = walled ? walled->cut(w, point) : cone.cut(w, point);
                    return fault == ConePipeFault::None ? std::optional(point.Z) : std::nullopt;
                });
            return slant ? std::optional(slant->least - freeEndSlant) : std::nullopt;
        },
        in.Hs, true);
    return least ? fittingFromText("Hs", *least) : "";
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
    m.girth = kPi * in.Dr;
    // With a wall, each generatrix is cut and holed through the walls, on the developed
    // surfaces; without, on the one surface of each part the worker typed.
    std::optional<WalledConeOnPipe> walled;
    GeneratrixCut generatrix;
    const ConeInPipe cone(in);
    if (hasWallThickness(in)) {
        walled.emplace(in);
        m.t = walled->freeEndSlant();
        m.v = kPi * walled->developedFreeEnd() / m.t;
        m.girth = 2 * kPi * surfacesOf(in).pipeDevelopment;
        generatrix = [&walled](double w, CutPoint& point) { return walled->cut(w, point); };
    } else {
        generatrix = [&cone](double w, CutPoint& point) { return cone.cut(w, point); };
    }

    // Refused for both parts: the joint is made whole or not at all.
    const double farthest =
        std::max(kCutLineTolerance, kShareOfTheJointsSize * (in.Ds + in.Dr)) /
        kRoundingsOfAPatternPoint;
    if (std::isfinite(m.t) && m.t > farthest) {
        construction.fitting =
            fittingFromText("Gamma", std::asin(freeEndRadius / farthest) * 180 / kPi);
        return stopped(construction, ConePipeFault::ApexTooFar);
    }

    const auto points = static_cast<std::size_t>(in.N) + 1;
    for (auto* table : {&m.Xm, &m.Ym, &m.Xd, &m.Yd, &m.Xo, &m.Yo}) {
        table->assign(points, 0.0);
    }
    const double startW = toRadians(in.alfa);
    const double deltaW = 2 * kPi / in.N;
    std::vector<double> angles(points);
    for (int n = 0; n <= in.N; ++n) {
        const auto i = static_cast<std::size_t>(n);
        // From the start angle each time, so that point N is point 0 once round.
        const double w = startW + n * deltaW;
        angles[i] = w;
        CutPoint point;
        if (const ConePipeFault fault = generatrix(w, point); fault != ConePipeFault::None) {
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
    if (const ConePipeFault fault = exactCurves(m, generatrix, angles);
        fault != ConePipeFault::None) {
        return stopped(construction, fault);
    }
    const double rounding = roundingAt(m.t + in.L + in.Dr);
    // The free end lies beyond the cut on some generatrix: it is inside the pipe.
    for (const PatternPoint p : m.exactCut) {
        if (std::hypot(p.x, p.y) < m.t - rounding) {
            construction.fitting = leastHsThatFits(in, m.t);
            return stopped(construction, ConePipeFault::FreeEndInsidePipe);
        }
    }
    const ConePipeSurfaces surfaces = surfacesOf(in);
    std::vector<PatternPoint> hole = m.exactHole;
    if (walled && surfaces.pipeInside != surfaces.pipeOutside) {
        // Through the pipe's wall the hole is every layer's hole at once; whichever part is
        // developed, the joint is made only where it can be cut.
        const WallHoleResult through = holeThroughWall(
            [&walled](double radius, double w) { return walled->pierced(w, radius); },
            surfaces.pipeInside, surfaces.pipeOutside, angles);
        if (!through.hole) {
            return stopped(construction, ConePipeFault::HoleMissesTheWall);
        }
        hole = through.hole->exact;
        if (in.development == ConePipeDevelopment::Pipe) {
            for (std::size_t i = 0; i < points; ++i) {
                m.Xo[i] = through.hole->points[i].x;
                m.Yo[i] = through.hole->points[i].y;
            }
            m.exactHole = through.hole->exact;
            const double onOutside = surfaces.pipeOutside / surfaces.pipeDevelopment;
            m.holeOverhang = overhangAtTheOutsideFace(*through.hole, [onOutside](PatternPoint p) {
                return PatternPoint{p.x, p.y * onOutside};
            });
        }
    }
    // The pipe's sheet must hold the hole, which moves along the pipe as Lm does, whichever
    // part is developed.
    if (!hole.empty()) {
        const auto [left, right] = std::minmax_element(
            hole.begin(), hole.end(), [](PatternPoint a, PatternPoint b) { return a.x < b.x; });
        if (left->x < -rounding || right->x > in.L + rounding) {
            construction.fitting = fittingRangeText("Lm", in.Lm - left->x, in.Lm + in.L - right->x);
            return stopped(construction, ConePipeFault::PastThePipesEnd);
        }
    }
    const SheetSeam seam = turnedSheetSeam(in.pipeSeam, 2 * kPi * surfaces.pipeDevelopment, hole);
    if (seam.clearing) {
        construction.fitting = *seam.clearing;
        return stopped(construction, ConePipeFault::SeamThroughTheHole);
    }
    if (seam.shift != 0.0 && in.development == ConePipeDevelopment::Pipe) {
        m.holeShift = seam.shift;
        for (double& y : m.Yo) {
            y += seam.shift;
        }
        for (PatternPoint& p : m.exactHole) {
            p.y += seam.shift;
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
    case ConePipeFault::ApexTooFar:
        return "Blad obliczen. Prawdopodobnie kat Gamma jest zbyt maly - wierzcholek STOZKA lezy "
               "zbyt daleko, by narysowac rozwiniecie - zwieksz Gamma.";
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
    case ConePipeFault::SeamThroughTheHole:
        return seamThroughTheHoleMessage("RURY") + ".";
    case ConePipeFault::PastThePipesEnd:
        return "Blad obliczen. Prawdopodobnie STOZEK wychodzi poza koniec RURY - sprawdz Lm i L.";
    case ConePipeFault::HoleMissesTheWall:
        return "Blad obliczen. Prawdopodobnie STOZEK nie przechodzi przez cala scianke RURY - "
               "otworu nie da sie wyciac - zmien P lub Beta.";
    case ConePipeFault::NotFinite:
        return kNotFiniteMessage;
    }
    return kNotFiniteMessage;
}

} // namespace blachorys::core
