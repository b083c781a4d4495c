// The pipe on a cone, built once for either development and any walls: the pipe's template cut
// where the first layer of its wall meets the cone's contact surface, and the hole the pipe's
// contact surface needs through the cone's whole plate; both pieces are checked whichever is
// developed, so that a joint is made whole or refused whole.
#include "cases/pipe_cone/pipeconefaults.h"
#include "cases/pipe_cone/pipeconefitting.h"
#include "cases/pipe_cone/pipeconejoint.h"
#include "cases/pipe_cone/pipeconemodel.h"

#include "common/core/base/finite.h"
#include "common/core/calculator/calculationresult.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/walls/wallhole.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <utility>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

Construction<PipeConeModel> failed(const std::string& why) {
    return constructionFailed<PipeConeModel>(why);
}

/** The joint of one set of inputs: what every step of its construction asks of it. */
struct Joint {
    Joint(const PipeConeInputs& in)
        : cone(coneMantle(in)), surfaces(surfacesOf(in)), plate(cone), pipe(in, cone, plate) {}

    /** Where the pipe's contact surface at θ meets the cone's plate at `depth`. */
    std::optional<PlateMeeting> holeAt(double theta, double depth) const {
        return pipe.meet(theta, surfaces.pipeContact, depth);
    }

    ConeMantle cone;
    PipeConeSurfaces surfaces;
    ConePlate plate;
    PipeThroughPlate pipe;
};

/**
 * How far along the cone the template's cut and the hole reach, at both faces of the plate,
 * for the inputs moved along the cone.
 */
std::optional<TurnExtremes> reachOf(const PipeConeInputs& moved) {
    const Joint joint(moved);
    std::optional<TurnExtremes> reach;
    const auto widen = [&reach](const std::optional<TurnExtremes>& more) {
        if (more) {
            reach = reach ? TurnExtremes{std::min(reach->least, more->least),
                                         std::max(reach->greatest, more->greatest)}
                          : *more;
        }
        return more.has_value();
    };
    const auto zOf = [](const std::optional<PlateMeeting>& m) -> std::optional<double> {
        return m ? std::optional(m->point.z) : std::nullopt;
    };
    if (!widen(extremesRoundATurn(
            [&](double t) { return zOf(joint.pipe.firstTouching(t, joint.surfaces)); }))) {
        return std::nullopt;
    }
    for (const double depth : {0.0, joint.surfaces.coneInside}) {
        if (!widen(extremesRoundATurn([&](double t) { return zOf(joint.holeAt(t, depth)); }))) {
            return std::nullopt;
        }
        if (joint.surfaces.coneInside == 0.0) {
            break;
        }
    }
    return reach;
}

/** A hole's points half a turn apart round the cone lie on either side of the mantle's cut. */
bool crossesTheCut(const std::vector<double>& phis) {
    for (std::size_t k = 1; k < phis.size(); ++k) {
        if (std::fabs(phis[k] - phis[k - 1]) > kPi) {
            return true;
        }
    }
    return false;
}

/**
 * The hole the pipe needs at both faces of the cone's plate, round the pipe from the table's
 * angles as finely as a cut: whether the pipe passes the plate there, keeps clear of the
 * mantle's cut and stays within the cone's ends. A fault, or nothing.
 */
const char* holeFault(const Joint& joint, const std::vector<double>& thetas, FrustumReach& reach) {
    // Round each section by its arc and along the cone by height: the mantle's own millimetres,
    // near enough to sample the hole on as finely as a cut.
    const auto onMantle = [&joint](const PlateMeeting& m) {
        return PatternPoint{m.phi * joint.cone.radiusAt(m.point.z), m.point.z};
    };
    for (const double depth : {0.0, joint.surfaces.coneInside}) {
        std::vector<PatternPoint> knots;
        // Each sample's section angle by its parameter, looked up once the curve is drawn.
        std::vector<std::pair<double, double>> phiAt;
        for (const double theta : thetas) {
            const std::optional<PlateMeeting> m = joint.holeAt(theta, depth);
            if (!m) {
                return depth == 0.0 ? kMissesTheCone : kHoleMissesTheWall;
            }
            reach.add(m->point.z);
            phiAt.emplace_back(theta, m->phi);
            knots.push_back(onMantle(*m));
        }
        const auto faceCurve = sampleCurveWithParameters(
            [&](double t) -> std::optional<PatternPoint> {
                const std::optional<PlateMeeting> m = joint.holeAt(t, depth);
                if (!m) {
                    return std::nullopt;
                }
                reach.add(m->point.z);
                phiAt.emplace_back(t, m->phi);
                return onMantle(*m);
            },
            thetas, knots);
        if (!faceCurve) {
            return depth == 0.0 ? kMissesTheCone : kHoleMissesTheWall;
        }
        // The knots came first, in the order of the table's angles; the samples between them
        // in the sampler's: sorted apart, the two runs merge in one pass.
        const auto samples = phiAt.begin() + static_cast<std::ptrdiff_t>(thetas.size());
        std::sort(samples, phiAt.end());
        if (std::is_sorted(phiAt.begin(), samples)) {
            std::inplace_merge(phiAt.begin(), samples, phiAt.end());
        } else {
            std::sort(phiAt.begin(), phiAt.end());
        }
        const auto before = [](const std::pair<double, double>& sample, double key) {
            return sample.first < key;
        };
        const bool rising = faceCurve->parameters.front() <= faceCurve->parameters.back();
        std::vector<double> phis;
        phis.reserve(faceCurve->parameters.size());
        auto at = phiAt.begin();
        for (const double t : faceCurve->parameters) {
            // Along rising parameters the lookup only moves on.
            at = std::lower_bound(rising ? at : phiAt.begin(), phiAt.end(), t, before);
            phis.push_back(at->second);
        }
        if (crossesTheCut(phis)) {
            return kHoleOverTheCut;
        }
        if (joint.surfaces.coneInside == 0.0) {
            break;
        }
    }
    return nullptr;
}

/** The mantle with its hole rolled out on the surface it is developed on. */
std::optional<std::string> developMantle(PipeConeModel& model, const Joint& joint,
                                         const std::vector<double>& thetas, bool referenceLoops) {
    const PipeConeInputs& in = model.inputs;
    const PipeConeSurfaces& s = joint.surfaces;
    model.outline = referenceLoops ? developOutlineReference(joint.cone, in.N)
                                   : developOutline(joint.cone, in.N);
    const MantleSheet sheet(joint.cone, joint.plate, model.outline, s.coneDevelopment);
    model.exactArcs = sheet.arcs(model.outline);
    const MantleOutline& o = model.outline;
    model.sheet = sectorBox({o.Xm, o.Ym, o.Xd, o.Yd});
    std::vector<PlateMeeting> meetings;
    for (const double theta : thetas) {
        meetings.push_back(joint.holeAt(theta, 0.0).value());
        model.hole.push_back(meetings.back().point);
    }
    const auto marked = [&](double depth, double theta) -> std::optional<PatternPoint> {
        const std::optional<PlateMeeting> m = joint.holeAt(theta, depth);
        return m ? std::optional(sheet.at(*m)) : std::nullopt;
    };
    std::vector<PatternPoint> table;
    if (s.coneInside == 0.0) {
        table = sheet.tablePoints(meetings, referenceLoops);
        auto exact = sampleCurve([&](double t) { return marked(0.0, t); }, thetas, table);
        if (!exact) {
            return kMissesTheCone;
        }
        model.exactHole = std::move(*exact);
    } else {
        const WallHoleResult through = holeThroughWall(marked, s.coneInside, 0.0, thetas);
        if (!through.hole) {
            return kHoleMissesTheWall;
        }
        // Every layer between the faces keeps clear of the mantle's cut, as the faces do.
        for (const SampledLayer& layer : through.hole->layers) {
            std::vector<double> phis;
            for (const double t : layer.angles) {
                phis.push_back(joint.holeAt(t, layer.depth).value().phi);
            }
            if (crossesTheCut(phis)) {
                return kHoleOverTheCut;
            }
        }
        table = through.hole->points;
        model.exactHole = through.hole->exact;
        model.holeOverhang = overhangAtTheOutsideFace(
            *through.hole, [&sheet](PatternPoint p) { return sheet.onOutsideFace(p); });
    }
    for (const PatternPoint p : table) {
        model.Xo.push_back(p.x);
        model.Yo.push_back(p.y);
    }
    if (!isFinite(model)) {
        return kNotFiniteMessage;
    }
    return std::nullopt;
}

/** A fault of the construction, with what would fit where the pipe misses the cone. */
Construction<PipeConeModel> refused(const PipeConeInputs& in, const std::string& fault) {
    return failed(fault == kMissesTheCone ? missesTheConeFault(in) : fault);
}

Construction<PipeConeModel> construct(const PipeConeInputs& in, bool referenceLoops) {
    // Without a length or a large end the apex distance Zd is 0 and every section divides by it.
    if (in.Hs == 0.0 || in.Dsd == 0.0) {
        return failed(kNoCone);
    }
    // A pipe narrower than the smallest normal number has a template and a hole of rounding.
    if (in.Dr != 0.0 && !std::isnormal(in.Dr)) {
        return failed(kNotFiniteMessage);
    }
    const Joint joint(in);
    if (PipeGenerators(in, joint.cone, in.Dr / 2).parallelToTheCone()) {
        return failed(kParallelToTheCone);
    }
    if (entersTheConeTowardsItsEnd(in, joint.cone, joint.surfaces.pipeOutside)) {
        return failed(kEndInsideTheCone);
    }
    PipeConeModel model;
    model.inputs = in;
    model.Zd = joint.cone.Zd();
    model.Zm = joint.cone.Zm();
    const double developedDiameter = 2 * joint.surfaces.pipeDevelopment;
    model.girth = kPi * developedDiameter;
    const auto points = static_cast<std::size_t>(in.N) + 1;
    model.L.resize(points);
    model.h.resize(points);
    // θ is carried on by adding its step, so point N is the seam at alfa again.
    const double theta0 = in.alfa * kPi / 180;
    const double deltaTheta = 2 * kPi / in.N;
    std::vector<double> thetas(points);
    std::vector<PatternPoint> cut(points);
    FrustumReach reach(joint.cone);
    double theta = theta0;
    for (std::size_t i = 0; i < points; ++i) {
        model.L[i] = static_cast<double>(i) * kPi * developedDiameter / in.N;
        const std::optional<PlateMeeting> meeting = joint.pipe.firstTouching(theta, joint.surfaces);
        if (!meeting) {
            return refused(in, kMissesTheCone);
        }
        reach.add(meeting->point.z);
        model.h[i] = meeting->h;
        model.hmax = std::max(model.hmax, meeting->h);
        thetas[i] = theta;
        cut[i] = {model.L[i], -model.h[i]};
        theta += deltaTheta;
    }
    // Numbers that overflowed say so before the curve between them is looked at.
    if (!allFinite(model.L) || !allFinite(model.h) ||
        !allFinite(std::array{joint.cone.Zd(), joint.cone.Zm(), model.girth})) {
        return failed(kNotFiniteMessage);
    }
    // Between two generators the pipe may still miss the cone, reach past an end face, or
    // bulge: the curve as it is cut tells.
    const auto exactCut = sampleCurve(
        [&](double t) -> std::optional<PatternPoint> {
            const std::optional<PlateMeeting> meeting = joint.pipe.firstTouching(t, joint.surfaces);
            if (!meeting) {
                return std::nullopt;
            }
            reach.add(meeting->point.z);
            return PatternPoint{(t - theta0) * joint.surfaces.pipeDevelopment, -meeting->h};
        },
        thetas, cut);
    if (!exactCut) {
        return refused(in, kMissesTheCone);
    }
    model.exactTemplate = std::move(*exactCut);
    if (const char* fault = holeFault(joint, thetas, reach)) {
        return refused(in, fault);
    }
    if (const std::optional<std::string> past = pastAnEndFault(in, joint.cone, reach, reachOf)) {
        return failed(*past);
    }
    const double rounding = roundingAt(std::fabs(in.Hr) + std::fabs(joint.cone.Zd()) + in.Dr);
    if (std::any_of(model.exactTemplate.begin(), model.exactTemplate.end(),
                    [&](PatternPoint p) { return -p.y < -rounding; })) {
        return failed(endFaceInsideMessage(in, model.exactTemplate));
    }
    if (in.development == PipeConeDevelopment::Cone) {
        if (const std::optional<std::string> fault =
                developMantle(model, joint, thetas, referenceLoops)) {
            return refused(in, *fault);
        }
    } else if (joint.surfaces.coneInside != 0.0) {
        // Through a walled cone the hole is the union of every layer's, which the mantle's
        // sheet alone shows: the pipe's template is given only for a hole that can be cut.
        PipeConeModel mantle = model;
        if (const std::optional<std::string> fault =
                developMantle(mantle, joint, thetas, referenceLoops)) {
            return failed(*fault);
        }
    }
    return constructed(std::move(model));
}

} // namespace

std::optional<TurnExtremes> jointReach(const PipeConeInputs& in) {
    // Without a length or a large end there is no cone to reach along.
    if (in.Hs == 0.0 || in.Dsd == 0.0 || !std::isnormal(in.Dr)) {
        return std::nullopt;
    }
    return reachOf(in);
}

Construction<PipeConeModel> computePipeCone(const PipeConeInputs& in) {
    return construct(in, false);
}

Construction<PipeConeModel> computePipeConeReference(const PipeConeInputs& in) {
    return construct(in, true);
}

} // namespace blachorys::core
