#include "cases/pipe_cone/pipeconemodel.h"

#include "cases/pipe_cone/pipeconefaults.h"
#include "cases/pipe_cone/pipeconefitting.h"
#include "cases/pipe_cone/pipeconegenerators.h"
#include "cases/pipe_cone/pipeconewalls.h"

#include "common/core/branchchecks.h"
#include "common/core/calculationresult.h"
#include "common/core/curvesampling.h"
#include "common/core/finite.h"
#include "common/core/fittingrange.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

} // namespace

std::string endFaceInsideMessage(const PipeConeInputs& in, const std::vector<PatternPoint>& cut) {
    double shortest = std::numeric_limits<double>::infinity();
    for (const PatternPoint p : cut) {
        shortest = std::min(shortest, -p.y);
    }
    // Every generator grows by ΔHr / sin β as the end face rises.
    return "Blad obliczen. Prawdopodobnie koniec RURY lezy wewnatrz STOZKA (tworzaca h < 0) - "
           "zwieksz Hr " +
           fittingFromText("Hr", in.Hr - shortest * std::sin(in.BETA * kPi / 180)) + ".";
}

Wall pipeWall(const PipeConeInputs& in) {
    return {in.tr, WallSurface::Outside, in.pipeMade};
}

Wall coneWall(const PipeConeInputs& in) {
    return {in.ts, WallSurface::Outside, PartMaking::RolledFromPlate};
}

PipeConeSurfaces surfacesOf(const PipeConeInputs& in) {
    // Set on, the pipe's inside rests on the cone's outside; set in, the pipe's outside meets
    // the cone's inside.
    const bool setOn = in.joint == BranchJoint::SetOn;
    const Wall pipe = pipeWall(in);
    const Wall cone = coneWall(in);
    const double r = in.Dr / 2;
    return {.pipeContact = radiusOf(pipe, r, setOn ? WallSurface::Inside : WallSurface::Outside),
            .pipeDevelopment = radiusOf(pipe, r, pipe.developed()),
            .pipeInside = radiusOf(pipe, r, WallSurface::Inside),
            .pipeOutside = radiusOf(pipe, r, WallSurface::Outside),
            .coneContact = cone.outwardOfTyped(setOn ? WallSurface::Outside : WallSurface::Inside),
            .coneDevelopment = cone.outwardOfTyped(cone.developed()),
            .coneInside = cone.outwardOfTyped(WallSurface::Inside)};
}

bool hasWallThickness(const PipeConeInputs& in) {
    return in.tr > 0 || in.ts > 0;
}

namespace {

bool thinWalls(const PipeConeInputs& in) {
    return !hasWallThickness(in);
}

/** A check that applies only to walls with a thickness and the joint `joint`. */
InputCheck<PipeConeInputs> thickCheck(BranchJoint joint, const std::string& what,
                                      bool (*fails)(const PipeConeInputs&)) {
    return {dataError(what), [joint, fails](const PipeConeInputs& in) {
                return hasWallThickness(in) && in.joint == joint && fails(in);
            }};
}

/**
 * Whether the cone's inside face keeps a radius at the narrower end: the face lies
 * ts/cos a within the outside there, a the steepest generator's angle to the axis.
 */
bool plateFillsTheCone(const PipeConeInputs& in) {
    // Without a length the construction refuses the cone with its own message.
    if (!(in.ts > 0) || in.Hs == 0.0) {
        return false;
    }
    const double steepest =
        std::atan(std::fabs((in.Dsd - in.Dsm) / (2 * in.Hs)) + std::fabs(in.E / in.Hs));
    return std::min(in.Dsm, in.Dsd) / 2 +
               planeOffsetOf(coneWall(in), WallSurface::Inside, steepest) <=
           0;
}

/**
 * With a wall thickness the surfaces that meet are compared, not the outside diameters: the
 * pipe's contact surface within the cone's at its large end.
 */
void appendThickWallChecks(InputChecks<PipeConeInputs>& all) {
    using In = PipeConeInputs;
    all.push_back(
        {dataError("tr >= Dr/2"), [](const In& in) { return in.tr > 0 && in.tr >= in.Dr / 2; }});
    all.push_back({dataError("ts/cos(a) >= Dsm/2 - stozek z blachy ts nie ma wnetrza (a - kat "
                             "tworzacej do osi stozka)"),
                   [](const In& in) { return in.Dsm <= in.Dsd && plateFillsTheCone(in); }});
    all.push_back({dataError("ts/cos(a) >= Dsd/2 - stozek z blachy ts nie ma wnetrza (a - kat "
                             "tworzacej do osi stozka)"),
                   [](const In& in) { return in.Dsm > in.Dsd && plateFillsTheCone(in); }});
    const BranchJoint on = BranchJoint::SetOn;
    const BranchJoint in = BranchJoint::SetIn;
    all.push_back(
        thickCheck(on, "Dr - 2*tr > Dsd", [](const In& i) { return i.Dr - 2 * i.tr > i.Dsd; }));
    all.push_back(thickCheck(on, "Dr/2 - tr + P > Dsd/2",
                             [](const In& i) { return i.Dr / 2 - i.tr + i.P > i.Dsd / 2; }));
    all.push_back(
        thickCheck(in, "Dr > Dsd - 2*ts", [](const In& i) { return i.Dr > i.Dsd - 2 * i.ts; }));
    all.push_back(thickCheck(in, "Dr/2 + P > Dsd/2 - ts",
                             [](const In& i) { return i.Dr / 2 + i.P > i.Dsd / 2 - i.ts; }));
}

} // namespace

const InputChecks<PipeConeInputs>& pipeConeChecks() {
    using In = PipeConeInputs;
    static const InputChecks<In> checks = [] {
        // The diameters are compared as the worker typed them only while the walls have no
        // thickness; with one, the surfaces that meet are compared instead.
        InputChecks<In> all = branchChecks<In>({"Dr", &In::Dr}, {"Dsd", &In::Dsd}, &In::P,
                                               &In::BETA, &In::N, thinWalls);
        all.push_back({dataError("Dsm = Dsd "), [](const In& in) { return in.Dsm == in.Dsd; }});
        // A pipe of no diameter has a template of no width and makes no hole. (Dsm may be 0,
        // a cone to its apex; Dsd and Hs of 0 the construction refuses with its own message.)
        all.push_back(positiveSize<In>("Dr", &In::Dr));
        appendThickWallChecks(all);
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

/**
 * The mantle's arcs and hole as exactly as they are cut: the arcs through the outline's fine
 * generators, the hole through the points where the pipe's generators meet the cone, each
 * unrolled along the fine generators' angles. The fault, when the pipe misses the cone between
 * two generators or the hole crosses the mantle's cut, where the unrolled mantle is cut apart
 * (its section angle runs once round from 0 to 2π); nullptr when the mantle is whole.
 */
const char* exactMantle(PipeConeModel& model, const ConeMantle& cone,
                        const PipeGenerators& generators, const std::vector<double>& thetas) {
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
    if (hasWallThickness(in)) {
        return constructWithWalls(in, loops == MantleLoops::Reference);
    }
    const ConeMantle cone = coneMantle(in);
    const PipeGenerators generators(in, cone, in.Dr / 2);
    if (generators.parallelToTheCone()) {
        return constructionFailed<PipeConeModel>(kParallelToTheCone);
    }
    if (entersTheConeTowardsItsEnd(in, cone, in.Dr / 2)) {
        return constructionFailed<PipeConeModel>(kEndInsideTheCone);
    }

    PipeConeModel model;
    model.inputs = in;
    model.Zd = cone.Zd();
    model.Zm = cone.Zm();
    model.girth = kPi * in.Dr;
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
    const auto reachOf = [&cone](const PipeConeInputs& moved) {
        const PipeGenerators pipe(moved, cone, moved.Dr / 2);
        return extremesRoundATurn([&pipe](double t) -> std::optional<double> {
            const std::optional<Meeting> m = pipe.meet(t);
            return m ? std::optional(m->z) : std::nullopt;
        });
    };
    if (const std::optional<std::string> past = pastAnEndFault(in, cone, reach, reachOf)) {
        return constructionFailed<PipeConeModel>(*past);
    }
    model.exactTemplate = std::move(*exactCut);
    const double rounding = roundingAt(std::fabs(in.Hr) + std::fabs(cone.Zd()) + in.Dr);
    if (!mantle && std::any_of(model.exactTemplate.begin(), model.exactTemplate.end(),
                               [&](PatternPoint p) { return -p.y < -rounding; })) {
        return constructionFailed<PipeConeModel>(endFaceInsideMessage(in, model.exactTemplate));
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
           allFinite(std::array{model.hmax, model.girth, model.holeOverhang, model.sheet.xMin,
                                model.sheet.xMax, model.sheet.yMin, model.sheet.yMax,
                                model.sheet.width(), model.sheet.height()});
}

} // namespace blachorys::core
