#include "cases/pipe_cone/pipeconewalls.h"

#include "cases/pipe_cone/pipeconefaults.h"
#include "cases/pipe_cone/pipeconefitting.h"
#include "cases/pipe_cone/pipeconegenerators.h"
#include "cases/pipe_cone/pipeconeplate.h"
#include "common/core/calculationresult.h"
#include "common/core/curvesampling.h"
#include "common/core/depthsearch.h"
#include "common/core/finite.h"
#include "common/core/outlinenormal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <optional>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/**
 * Golden-section steps through a wall: to 1e-5 of its thickness. What is sought there (the
 * shortest generator, the widest outline) is stationary in the depth, or lies at a face, so
 * the length found is within a nanometre.
 */
constexpr int kLayerSteps = 24;
/** The step of the central difference along the hole's outline, radians. */
constexpr double kAlongTheOutline = 1e-6;
/** How far into a wall its face's slope is taken, in wall thicknesses. */
constexpr double kFaceSlopeShare = 1e-6;

double wrapped(double phi) {
    return phi - 2 * kPi * std::floor(phi / (2 * kPi));
}

/** Where a layer of the pipe's wall meets a layer of the cone's plate. */
struct PlateMeeting {
    double phi = 0.0;    ///< the cone's generator under it, by section angle, 0..2π
    double height = 0.0; ///< the height of the typed surface's point under it, mm
    double h = 0.0;      ///< the pipe generator's length from it to the pipe's end face, mm
    MantlePoint point;
};

/**
 * One generator of one layer of the pipe's wall through the cone's plate: where it meets the
 * typed surface, and from there each layer it reaches, each search starting where the last
 * ended.
 */
class PipeGeneratorThroughPlate {
public:
    PipeGeneratorThroughPlate(const PipeGenerators& generators, const ConeMantle& cone,
                              const ConePlate& plate, double theta)
        : m_generators(generators), m_plate(plate), m_theta(theta),
          m_typed(generators.meet(theta)) {
        if (m_typed) {
            m_phi = sectionAngle(cone, m_typed->x, m_typed->y, m_typed->z);
        }
    }

    /** Where it meets the plate's layer `depth`. */
    std::optional<PlateMeeting> through(double depth) const {
        if (!m_typed) {
            return std::nullopt;
        }
        if (depth == 0.0) {
            return PlateMeeting{
                m_phi, m_typed->z, m_typed->h, {m_typed->x, m_typed->y, m_typed->z}};
        }
        // Inside the outside face: the line goes on from where it met it.
        const std::optional<LayerMeeting> layer =
            m_plate.meet(m_generators.line(m_theta), depth, m_lastPhi.value_or(m_phi));
        if (!layer) {
            return std::nullopt;
        }
        m_lastPhi = layer->phi;
        return PlateMeeting{wrapped(layer->phi), layer->height,
                            m_generators.toTheEndFace(layer->along), layer->point};
    }

private:
    PipeGenerators m_generators;
    const ConePlate& m_plate;
    double m_theta;
    std::optional<Meeting> m_typed;
    double m_phi = 0.0;
    mutable std::optional<double> m_lastPhi;
};

/** The pipe's wall, layer by layer, against the cone's plate, layer by layer. */
class PipeThroughPlate {
public:
    PipeThroughPlate(const PipeConeInputs& in, const ConeMantle& cone, const ConePlate& plate)
        : m_cone(cone), m_plate(plate), m_generators(in, cone, in.Dr / 2) {}

    /** The generator at θ of the pipe's layer of `radius`. */
    PipeGeneratorThroughPlate generator(double theta, double radius) const {
        return {m_generators.atRadius(radius), m_cone, m_plate, theta};
    }

    /** Where the generator at θ of the pipe's layer of `radius` meets the plate's `depth`. */
    std::optional<PlateMeeting> meet(double theta, double radius, double depth) const {
        return generator(theta, radius).through(depth);
    }

    /**
     * The same, inside the outside face, for a generator close to one that met the layer on
     * the cone's generator at `nearPhi`.
     */
    std::optional<PlateMeeting> meetNear(double theta, double radius, double depth,
                                         double nearPhi) const {
        const PipeGenerators generators = m_generators.atRadius(radius);
        const std::optional<LayerMeeting> layer =
            m_plate.meet(generators.line(theta), depth, nearPhi);
        if (!layer) {
            return std::nullopt;
        }
        return PlateMeeting{wrapped(layer->phi), layer->height,
                            generators.toTheEndFace(layer->along), layer->point};
    }

    /** Across the pipe's axis towards its generator at θ: the pipe's radial direction. */
    MantlePoint radial(double theta) const {
        const SpaceLine onAxis = m_generators.atRadius(0.0).line(theta);
        const SpaceLine atOne = m_generators.atRadius(1.0).line(theta);
        return {atOne.origin.x - onAxis.origin.x, atOne.origin.y - onAxis.origin.y,
                atOne.origin.z - onAxis.origin.z};
    }

    const ConePlate& plate() const { return m_plate; }

private:
    const ConeMantle& m_cone;
    const ConePlate& m_plate;
    PipeGenerators m_generators;
};

/**
 * The template's generators: the pipe's wall, inside to outside, against the cone's contact
 * surface, cut square where its first layer meets it.
 */
class TemplateCut {
public:
    TemplateCut(const PipeThroughPlate& joint, const PipeConeSurfaces& surfaces)
        : m_joint(joint), m_s(surfaces) {}

    /**
     * The meeting of the wall's layer that meets the cone first at θ: the shortest generator
     * over the layers that meet it (a convex surface's section along parallel lines, so the
     * length is convex in the layer). Nothing when the pipe's contact surface misses the cone.
     */
    std::optional<PlateMeeting> at(double theta) const {
        const double contact = m_s.pipeContact;
        const std::optional<PlateMeeting> touching = meet(theta, contact);
        if (!touching || m_s.pipeInside == m_s.pipeOutside) {
            return touching;
        }
        double far = contact == m_s.pipeInside ? m_s.pipeOutside : m_s.pipeInside;
        if (!meet(theta, far)) {
            // The layers that meet the cone run from the contact surface to where the wall
            // passes the cone's side.
            double meets = contact;
            for (int step = 0; step < kLayerSteps; ++step) {
                const double middle = (meets + far) / 2;
                (meet(theta, middle) ? meets : far) = middle;
            }
            far = meets;
        }
        const double low = std::min(contact, far);
        const double high = std::max(contact, far);
        const double rho = depthOfMinimumFacesFirst(
            low, high,
            [&](double radius) {
                const std::optional<PlateMeeting> m = meet(theta, radius);
                return m ? m->h : std::numeric_limits<double>::infinity();
            },
            kFaceSlopeShare * (high - low), kLayerSteps);
        const std::optional<PlateMeeting> first = meet(theta, rho);
        return first ? first : touching;
    }

private:
    /** Each layer's search inside the outside face starts where the last one's ended. */
    std::optional<PlateMeeting> meet(double theta, double radius) const {
        if (m_s.coneContact != 0.0 && m_near && m_near->first == theta) {
            return m_joint.meetNear(theta, radius, m_s.coneContact, m_near->second);
        }
        const std::optional<PlateMeeting> found = m_joint.meet(theta, radius, m_s.coneContact);
        if (found) {
            m_near = {theta, found->phi};
        }
        return found;
    }

    const PipeThroughPlate& m_joint;
    const PipeConeSurfaces& m_s;
    mutable std::optional<std::pair<double, double>> m_near;
};

/**
 * The hole: the pipe's contact surface through the cone's plate, marked on the plate's mean
 * surface rolled out, at the depth that sets the outline furthest out, so that the hole cut
 * square to the plate passes the pipe at every depth.
 */
class HoleThroughPlate {
public:
    HoleThroughPlate(const PipeThroughPlate& joint, const LayerDevelopment& mean,
                     const PipeConeSurfaces& surfaces)
        : m_joint(joint), m_mean(mean), m_s(surfaces) {
        m_anticlockwise = runsAnticlockwise([this](double theta) { return onFace(theta); });
    }

    struct Cut {
        PatternPoint marked;
        PlateMeeting where;
    };

    /** The hole's outline at θ; nothing, and the fault kept, where the pipe misses the plate. */
    std::optional<Cut> at(double theta) const {
        const PipeGeneratorThroughPlate generator = m_joint.generator(theta, m_s.pipeContact);
        const std::optional<PlateMeeting> outside = generator.through(0.0);
        if (!outside) {
            m_fault = kMissesTheCone;
            return std::nullopt;
        }
        if (m_s.coneInside == 0.0) {
            return Cut{marked(*outside), *outside};
        }
        // The layers are nested convex surfaces: a line through the inside face passes all.
        if (!generator.through(m_s.coneInside)) {
            m_fault = kHoleMissesTheWall;
            return std::nullopt;
        }
        const PatternPoint normal = outwardNormal(theta);
        const double depth = depthOfMaximumFacesFirst(
            m_s.coneInside, 0.0,
            [&](double layer) {
                const std::optional<PlateMeeting> m = generator.through(layer);
                if (!m) {
                    return -std::numeric_limits<double>::infinity();
                }
                const PatternPoint p = marked(*m);
                return normal.x * p.x + normal.y * p.y;
            },
            -kFaceSlopeShare * m_s.coneInside, kLayerSteps);
        const std::optional<PlateMeeting> where = generator.through(depth);
        return where ? Cut{marked(*where), *where} : Cut{marked(*outside), *outside};
    }

    /**
     * How far the hole stands clear of the pipe's contact surface at the cone's outside face,
     * at most over `thetas` (their cuts `cuts`), mm: on that face, square to the outline the
     * pipe makes on it.
     */
    double overhang(const std::vector<double>& thetas, const std::vector<Cut>& cuts) const {
        double worst = 0.0;
        for (std::size_t k = 0; k < thetas.size(); ++k) {
            const double theta = thetas[k];
            const std::optional<Cut> cut = cuts[k];
            const std::optional<PlateMeeting> face = pierced(theta, 0.0);
            const std::optional<PlateMeeting> ahead = pierced(theta + kAlongTheOutline, 0.0);
            const std::optional<PlateMeeting> behind = pierced(theta - kAlongTheOutline, 0.0);
            if (!cut || !face || !ahead || !behind) {
                continue;
            }
            const MantlePoint onFace =
                m_joint.plate().pointAt(cut->where.phi, cut->where.height, 0.0);
            const MantlePoint t{ahead->point.x - behind->point.x, ahead->point.y - behind->point.y,
                                ahead->point.z - behind->point.z};
            const MantlePoint n = m_joint.plate().normal(face->phi);
            MantlePoint across{t.y * n.z - t.z * n.y, t.z * n.x - t.x * n.z, t.x * n.y - t.y * n.x};
            const double size =
                std::sqrt(across.x * across.x + across.y * across.y + across.z * across.z);
            if (!(size > 0)) {
                continue;
            }
            const MantlePoint away = m_joint.radial(theta);
            const double side =
                across.x * away.x + across.y * away.y + across.z * away.z < 0 ? -1.0 : 1.0;
            worst = std::max(worst, side *
                                        ((onFace.x - face->point.x) * across.x +
                                         (onFace.y - face->point.y) * across.y +
                                         (onFace.z - face->point.z) * across.z) /
                                        size);
        }
        return worst;
    }

    const char* fault() const { return m_fault; }

private:
    std::optional<PlateMeeting> pierced(double theta, double depth) const {
        return m_joint.meet(theta, m_s.pipeContact, depth);
    }

    PatternPoint marked(const PlateMeeting& m) const { return m_mean.at(m.phi, m.height); }

    /**
     * The pipe's contact surface on the cone's outside face, marked on the mean surface: the
     * outline's shape, whose normal the layers' outlines share but for the plate's curvature.
     */
    PatternPoint onFace(double theta) const {
        const std::optional<PlateMeeting> m = pierced(theta, 0.0);
        if (!m) {
            m_fault = kMissesTheCone;
            return {};
        }
        return marked(*m);
    }

    PatternPoint outwardNormal(double theta) const {
        return outwardNormalOf([this](double t) { return onFace(t); }, theta, m_anticlockwise);
    }

    const PipeThroughPlate& m_joint;
    const LayerDevelopment& m_mean;
    const PipeConeSurfaces& m_s;
    bool m_anticlockwise = true;
    mutable const char* m_fault = nullptr;
};

/** The mantle's arcs: both end planes' sections of the plate's mean surface, rolled out. */
void developArcs(PipeConeModel& model, const ConeMantle& cone, const LayerDevelopment& mean) {
    MantleOutline& o = model.outline;
    const double step = 2 * kPi / o.M;
    model.exactArcs.large.resize(o.fineAngles.size());
    model.exactArcs.small.resize(o.fineAngles.size());
    for (std::size_t s = 0; s < o.fineAngles.size(); ++s) {
        const double phi = static_cast<double>(s) * step;
        const PatternPoint large = mean.atFine(s, mean.heightInPlane(phi, cone.Zd()));
        const PatternPoint small = mean.atFine(s, mean.heightInPlane(phi, cone.Zm()));
        model.exactArcs.large[s] = large;
        model.exactArcs.small[s] = small;
        if (s % static_cast<std::size_t>(o.K) == 0) {
            const std::size_t j = s / static_cast<std::size_t>(o.K);
            o.Xd[j] = large.x;
            o.Yd[j] = large.y;
            o.Xm[j] = small.x;
            o.Ym[j] = small.y;
        }
    }
}

Construction<PipeConeModel> failed(const std::string& why) {
    return constructionFailed<PipeConeModel>(why);
}

/**
 * How far along the cone the template's cut and, given the mantle's mean surface, the hole
 * reach, for the inputs moved along the cone.
 */
ReachOfInputs reachThroughTheWalls(const ConeMantle& cone, const ConePlate& plate,
                                   const LayerDevelopment* mean) {
    return [&cone, &plate, mean](const PipeConeInputs& moved) -> std::optional<TurnExtremes> {
        const PipeConeSurfaces surfaces = surfacesOf(moved);
        const PipeThroughPlate joint(moved, cone, plate);
        const TemplateCut cut(joint, surfaces);
        const std::optional<TurnExtremes> cutReach =
            extremesRoundATurn([&cut](double t) -> std::optional<double> {
                const std::optional<PlateMeeting> m = cut.at(t);
                return m ? std::optional(m->point.z) : std::nullopt;
            });
        if (!cutReach || mean == nullptr) {
            return cutReach;
        }
        const HoleThroughPlate hole(joint, *mean, surfaces);
        if (hole.fault() != nullptr) {
            return std::nullopt;
        }
        const std::optional<TurnExtremes> holeReach =
            extremesRoundATurn([&hole](double t) -> std::optional<double> {
                const std::optional<HoleThroughPlate::Cut> at = hole.at(t);
                return at ? std::optional(at->where.point.z) : std::nullopt;
            });
        if (!holeReach) {
            return std::nullopt;
        }
        return TurnExtremes{std::min(cutReach->least, holeReach->least),
                            std::max(cutReach->greatest, holeReach->greatest)};
    };
}

/**
 * The mantle and its hole, the template's table being made: what the hole needs of the pipe
 * is its contact surface, which its own outline samples as exactly as it is cut.
 */
Construction<PipeConeModel>
withMantle(PipeConeModel model, const PipeConeInputs& in, const ConeMantle& cone,
           const ConePlate& plate, const PipeThroughPlate& joint, const PipeConeSurfaces& surfaces,
           const std::vector<double>& thetas, FrustumReach& reach, bool referenceLoops) {
    const auto points = thetas.size();
    model.outline =
        referenceLoops ? developOutlineReference(cone, in.N) : developOutline(cone, in.N);
    const LayerDevelopment mean(plate, model.outline, surfaces.coneDevelopment);
    developArcs(model, cone, mean);
    const MantleOutline& o = model.outline;
    model.sheet = sectorBox({o.Xm, o.Ym, o.Xd, o.Yd});
    const HoleThroughPlate hole(joint, mean, surfaces);
    if (hole.fault() != nullptr) {
        return failed(hole.fault());
    }
    model.hole.resize(points);
    model.Xo.resize(points);
    model.Yo.resize(points);
    std::vector<PatternPoint> holeKnots(points);
    std::optional<double> knotBefore;
    for (std::size_t i = 0; i < points; ++i) {
        const std::optional<HoleThroughPlate::Cut> at = hole.at(thetas[i]);
        if (!at) {
            return failed(hole.fault());
        }
        // A hole over the cut jumps across the sheet: the fine outline between would be as wide.
        if (knotBefore && std::fabs(at->where.phi - *knotBefore) > kPi) {
            return failed(kHoleOverTheCut);
        }
        knotBefore = at->where.phi;
        model.hole[i] = at->where.point;
        model.Xo[i] = at->marked.x;
        model.Yo[i] = at->marked.y;
        holeKnots[i] = at->marked;
        reach.add(at->where.point.z);
    }
    if (!isFinite(model)) {
        return failed(kNotFiniteMessage);
    }
    // Each point of the exact outline, by its angle round the pipe, for the checks after it.
    std::map<double, HoleThroughPlate::Cut> sampled;
    const auto exactHole = sampleCurveWithParameters(
        [&](double t) -> std::optional<PatternPoint> {
            const std::optional<HoleThroughPlate::Cut> at = hole.at(t);
            if (!at) {
                return std::nullopt;
            }
            reach.add(at->where.point.z);
            sampled.emplace(t, *at);
            return at->marked;
        },
        thetas, holeKnots);
    if (!exactHole) {
        return failed(hole.fault() != nullptr ? hole.fault() : kMissesTheCone);
    }
    // Neighbouring points of the hole a half turn apart round the cone lie on either side of
    // the cut.
    std::optional<double> previous;
    std::vector<HoleThroughPlate::Cut> cuts;
    for (const double t : exactHole->parameters) {
        const auto at = sampled.find(t);
        const std::optional<HoleThroughPlate::Cut> cutAt =
            at != sampled.end() ? std::optional(at->second) : hole.at(t);
        if (!cutAt) {
            return failed(hole.fault());
        }
        if (previous && std::fabs(cutAt->where.phi - *previous) > kPi) {
            return failed(kHoleOverTheCut);
        }
        previous = cutAt->where.phi;
        cuts.push_back(*cutAt);
    }
    if (const std::optional<std::string> past =
            pastAnEndFault(in, cone, reach, reachThroughTheWalls(cone, plate, &mean))) {
        return failed(*past);
    }
    model.exactHole = exactHole->points;
    model.holeOverhang = hole.overhang(exactHole->parameters, cuts);
    if (!std::isfinite(model.holeOverhang)) {
        return failed(kNotFiniteMessage);
    }
    return constructed(std::move(model));
}

} // namespace

Construction<PipeConeModel> constructWithWalls(const PipeConeInputs& in, bool referenceLoops) {
    const ConeMantle cone = coneMantle(in);
    if (PipeGenerators(in, cone, in.Dr / 2).parallelToTheCone()) {
        return failed(kParallelToTheCone);
    }
    const PipeConeSurfaces surfaces = surfacesOf(in);
    if (entersTheConeTowardsItsEnd(in, cone, surfaces.pipeOutside)) {
        return failed(kEndInsideTheCone);
    }
    const ConePlate plate(cone);
    const PipeThroughPlate joint(in, cone, plate);
    const TemplateCut cut(joint, surfaces);

    PipeConeModel model;
    model.inputs = in;
    model.Zd = cone.Zd();
    model.Zm = cone.Zm();
    model.girth = 2 * kPi * surfaces.pipeDevelopment;
    const bool mantle = in.development == PipeConeDevelopment::Cone;
    const auto points = static_cast<std::size_t>(in.N) + 1;
    model.L.resize(points);
    model.h.resize(points);
    // θ is carried on by adding its step, so point N is the seam at alfa again.
    const double theta0 = in.alfa * kPi / 180;
    const double deltaTheta = 2 * kPi / in.N;
    std::vector<double> thetas(points);
    std::vector<PatternPoint> knots(points);
    FrustumReach reach(cone);
    double theta = theta0;
    for (std::size_t i = 0; i < points; ++i) {
        thetas[i] = theta;
        model.L[i] = static_cast<double>(i) * model.girth / in.N;
        const std::optional<PlateMeeting> meeting = cut.at(theta);
        if (!meeting) {
            return failed(kMissesTheCone);
        }
        reach.add(meeting->point.z);
        model.h[i] = meeting->h;
        model.hmax = std::max(model.hmax, meeting->h);
        knots[i] = {model.L[i], -model.h[i]};
        theta += deltaTheta;
    }
    if (!allFinite(model.L) || !allFinite(model.h) ||
        !allFinite(std::array{cone.Zd(), cone.Zm(), model.girth})) {
        return failed(kNotFiniteMessage);
    }
    if (mantle) {
        return withMantle(std::move(model), in, cone, plate, joint, surfaces, thetas, reach,
                          referenceLoops);
    }
    // Between two generators the pipe may still miss the cone, reach past an end face, or
    // bulge: the curve as it is cut tells.
    const auto exactCut = sampleCurve(
        [&](double t) -> std::optional<PatternPoint> {
            const std::optional<PlateMeeting> meeting = cut.at(t);
            if (!meeting) {
                return std::nullopt;
            }
            reach.add(meeting->point.z);
            return PatternPoint{(t - theta0) * surfaces.pipeDevelopment, -meeting->h};
        },
        thetas, knots);
    if (!exactCut) {
        return failed(kMissesTheCone);
    }
    if (const std::optional<std::string> past =
            pastAnEndFault(in, cone, reach, reachThroughTheWalls(cone, plate, nullptr))) {
        return failed(*past);
    }
    model.exactTemplate = std::move(*exactCut);
    const double rounding = roundingAt(std::fabs(in.Hr) + std::fabs(cone.Zd()) + in.Dr);
    if (std::any_of(model.exactTemplate.begin(), model.exactTemplate.end(),
                    [&](PatternPoint p) { return -p.y < -rounding; })) {
        return failed(endFaceInsideMessage(in, model.exactTemplate));
    }
    return constructed(std::move(model));
}

} // namespace blachorys::core
