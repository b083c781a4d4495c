#include "cases/pipe_pipe/pipepipemodel.h"

#include "common/core/branchchecks.h"
#include "common/core/curvesampling.h"
#include "common/core/depthsearch.h"
#include "common/core/finite.h"
#include "common/core/fittingrange.h"
#include "common/core/outlinenormal.h"

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

Wall branchWall(const PipePipeInputs& in) {
    return {in.tm, WallSurface::Outside, in.branchMade};
}

Wall shellWall(const PipePipeInputs& in) {
    return {in.td, WallSurface::Outside, in.shellMade};
}

PipePipeSurfaces surfacesOf(const PipePipeInputs& in) {
    // Set on, the branch's inside rests on the shell's outside; set in, the branch's outside
    // meets the shell's inside.
    const bool setOn = in.joint == BranchJoint::SetOn;
    const Wall branch = branchWall(in);
    const Wall shell = shellWall(in);
    const double r = in.Dm / 2;
    const double R = in.Dd / 2;
    return {.branchContact =
                radiusOf(branch, r, setOn ? WallSurface::Inside : WallSurface::Outside),
            .shellContact = radiusOf(shell, R, setOn ? WallSurface::Outside : WallSurface::Inside),
            .branchDevelopment = radiusOf(branch, r, branch.developed()),
            .shellDevelopment = radiusOf(shell, R, shell.developed()),
            .branchInside = radiusOf(branch, r, WallSurface::Inside),
            .branchOutside = radiusOf(branch, r, WallSurface::Outside),
            .shellInside = radiusOf(shell, R, WallSurface::Inside),
            .shellOutside = radiusOf(shell, R, WallSurface::Outside)};
}

bool hasWallThickness(const PipePipeInputs& in) {
    return in.tm > 0 || in.td > 0;
}

namespace {

bool thinWalls(const PipePipeInputs& in) {
    return !hasWallThickness(in);
}

/** A check that applies only to walls with a thickness and the joint `joint`. */
InputCheck<PipePipeInputs> thickCheck(BranchJoint joint, const std::string& what,
                                      bool (*fails)(const PipePipeInputs&)) {
    return {dataError(what), [joint, fails](const PipePipeInputs& in) {
                return hasWallThickness(in) && in.joint == joint && fails(in);
            }};
}

/**
 * With a wall thickness the surfaces that meet are checked, not the outside diameters: the
 * branch's contact surface beside the offset within the shell's, and, on the shell's sheet,
 * within the surface the hole is developed on.
 */
void appendThickWallChecks(InputChecks<PipePipeInputs>& all) {
    using In = PipePipeInputs;
    all.push_back(
        {dataError("tm >= Dm/2"), [](const In& in) { return in.tm > 0 && in.tm >= in.Dm / 2; }});
    all.push_back(
        {dataError("td >= Dd/2"), [](const In& in) { return in.td > 0 && in.td >= in.Dd / 2; }});
    const BranchJoint on = BranchJoint::SetOn;
    const BranchJoint in = BranchJoint::SetIn;
    all.push_back(
        thickCheck(on, "Dm - 2*tm > Dd", [](const In& i) { return i.Dm - 2 * i.tm > i.Dd; }));
    all.push_back(thickCheck(on, "Dm/2 - tm + P > Dd/2",
                             [](const In& i) { return i.Dm / 2 - i.tm + i.P > i.Dd / 2; }));
    all.push_back(thickCheck(on, "Dm/2 - tm - P > Dd/2",
                             [](const In& i) { return i.Dm / 2 - i.tm - i.P > i.Dd / 2; }));
    all.push_back(
        thickCheck(in, "Dm > Dd - 2*td", [](const In& i) { return i.Dm > i.Dd - 2 * i.td; }));
    all.push_back(thickCheck(in, "Dm/2 + P > Dd/2 - td",
                             [](const In& i) { return i.Dm / 2 + i.P > i.Dd / 2 - i.td; }));
    all.push_back(thickCheck(in, "Dm/2 - P > Dd/2 - td",
                             [](const In& i) { return i.Dm / 2 - i.P > i.Dd / 2 - i.td; }));
    // The hole is cut square through the shell's wall round the branch's contact surface: a
    // set-on branch's bore must pass within the shell's inside face, or the hole would open
    // the shell's side; the set-in branch's outside is held there by the checks above.
    all.push_back({dataError("Dm/2 - tm + |P| > Dd/2 - td - otwor nie przechodzi przez scianke "
                             "plaszcza"),
                   [](const In& i) {
                       if (!hasWallThickness(i) || i.joint != BranchJoint::SetOn ||
                           i.development != PipePipeDevelopment::LargerPipe) {
                           return false;
                       }
                       const PipePipeSurfaces s = surfacesOf(i);
                       return s.branchContact + std::fabs(i.P) > s.shellInside;
                   }});
}

} // namespace

const InputChecks<PipePipeInputs>& pipePipeChecks() {
    using In = PipePipeInputs;
    static const InputChecks<In> checks = [] {
        // The diameters are compared as the worker typed them only while the walls have no
        // thickness; with one, the surfaces that meet are compared instead.
        InputChecks<In> all = branchChecks<In>({"Dm", &In::Dm}, {"Dd", &In::Dd}, &In::P, &In::BETA,
                                               &In::N, thinWalls);
        // A branch offset to the other side must stay within the shell too, or its generators
        // would miss the shell (the square roots of the construction would go negative).
        all.push_back({dataError("Dm/2 - P > Dd/2"),
                       [](const In& in) { return thinWalls(in) && in.Dm / 2 - in.P > in.Dd / 2; }});
        // A shell of no diameter has no surface to develop; the hole would divide by its radius.
        all.push_back({dataError("Dd musi byc wieksza od 0"),
                       [](const In& in) { return !(in.Dd > 0); },
                       {"Dd"}});
        // A branch of no diameter has a template of no width; a shell of no length, no sheet.
        all.push_back(positiveSize<In>("Dm", &In::Dm));
        all.push_back(positiveSize<In>("Ld", &In::Ld, [](const In& in) {
            return in.development == PipePipeDevelopment::LargerPipe;
        }));
        appendThickWallChecks(all);
        return all;
    }();
    return checks;
}

std::vector<std::string> validatePipePipe(const PipePipeInputs& in) {
    return failedChecks(pipePipeChecks(), in);
}

namespace {

/**
 * The joint's geometry round the branch, at angle φ from the seam's side: the branch's wall
 * (radii from its inside to its outside) meeting the shell's contact surface (radius R); the
 * branch's contact surface (radius r) passing through the shell's wall (radii from its inside
 * to its outside), marked on the surface the shell's sheet is developed on (radius Rs).
 */
struct BranchOnShell {
    BranchOnShell(const PipePipeInputs& in, const PipePipeSurfaces& surfaces)
        : in(in), r(surfaces.branchContact), R(surfaces.shellContact),
          Rs(surfaces.shellDevelopment), wallInside(surfaces.branchInside),
          wallOutside(surfaces.branchOutside), shellInside(surfaces.shellInside),
          shellOutside(surfaces.shellOutside), beta(toRadians(in.BETA)),
          // At BETA = 90° the branch is square to the shell and the axial term vanishes;
          // tan(π/2) in doubles is huge but finite, so the exact case is spelt out.
          square(in.BETA == 90.0) {
        // Which way round the hole runs as φ grows: its outward side is the right of that.
        holeAnticlockwise = runsAnticlockwise([this](double phi) { return pierced(phi, Rs); });
    }

    /**
     * Length of the generator at φ of the wall's layer of radius ρ, from the shell's contact
     * surface to the end face (square to the branch's axis).
     */
    double hAt(double phi, double rho) const {
        const double s = rho * std::sin(phi);
        const double z = rootWithinShell(R, in.P - s);
        return (in.H - rho * std::cos(phi) * std::cos(beta) - z) / std::sin(beta);
    }

    /**
     * Length of the branch's generator at φ, cut square through the wall: the shortest of its
     * layers', so that the layer that meets the shell first rests on it and none enters it.
     */
    double h(double phi) const {
        if (wallInside == wallOutside) {
            return hAt(phi, wallInside);
        }
        return hAt(phi, firstTouching(phi));
    }

    /**
     * The wall's layer at φ that meets the shell's contact surface first. The generator's
     * length is convex in ρ (a circle's lower arc along a line, less a straight term): its least
     * value on the wall lies at the unbounded minimum moved into the wall.
     */
    double firstTouching(double phi) const {
        const double s = std::sin(phi);
        const double k = std::cos(phi) * std::cos(beta);
        double low = wallInside;
        double high = wallOutside;
        if (s != 0.0) {
            // The layers whose generators meet the shell at all: |P − ρ·s| ≤ R.
            const double a = (in.P - R) / s;
            const double b = (in.P + R) / s;
            low = std::max(low, std::min(a, b));
            high = std::min(high, std::max(a, b));
            if (low > high) {
                return r;
            }
        }
        if (s == 0.0) {
            return k > 0 ? high : low;
        }
        // Where the slope −k − s·y/√(R² − y²) vanishes, y = P − ρ·s.
        const double y = -k * std::copysign(R, s) / std::hypot(s, k);
        return std::clamp((in.P - y) / s, low, high);
    }

    /** Where the branch's contact surface at φ pierces the shell's layer of radius `depth`. */
    PatternPoint pierced(double phi, double depth) const {
        const double c = in.P - r * std::sin(phi);
        const double root = rootWithinShell(depth, c);
        const double theta =
            std::fabs(c) >= depth ? std::copysign(kPi / 2, c) : std::atan(c / root);
        return {in.Lm + r * std::cos(phi) / std::sin(beta) + (square ? 0.0 : root / std::tan(beta)),
                Rs * (kPi / 2 - theta)};
    }

    /**
     * The hole's outline at φ on the rolled-out shell, cut square to the plate: where the
     * branch's contact surface pierces the shell's wall, at the depth that sets the outline
     * furthest out, so that the cut passes the branch at every depth.
     */
    PatternPoint hole(double phi) const {
        if (shellInside == shellOutside) {
            return pierced(phi, Rs);
        }
        return pierced(phi, widestDepth(phi));
    }

    /** The depth through the shell's wall at which the hole's outline at φ lies furthest out. */
    double widestDepth(double phi) const {
        const PatternPoint normal = outwardNormal(phi);
        return depthOfMaximum(shellInside, shellOutside, [&](double depth) {
            const PatternPoint p = pierced(phi, depth);
            return normal.x * p.x + normal.y * p.y;
        });
    }

    /** The unit normal of the hole's outline at φ, on its outward side. */
    PatternPoint outwardNormal(double phi) const {
        return outwardNormalOf([this](double t) { return pierced(t, Rs); }, phi, holeAnticlockwise);
    }

    const PipePipeInputs& in;
    double r;
    double R;
    double Rs;
    double wallInside;
    double wallOutside;
    double shellInside;
    double shellOutside;
    double beta;
    bool square;
    bool holeAnticlockwise = true;
};

/**
 * How far the hole, cut square through the shell's wall, stands clear of the branch's contact
 * surface at the shell's outside face at most, mm: measured on that face, along the outline's
 * normal, over the hole's exact outline.
 */
double holeOverhang(const BranchOnShell& joint, const std::vector<double>& angles) {
    if (joint.shellInside == joint.shellOutside) {
        return 0.0;
    }
    const double onOutside = joint.shellOutside / joint.Rs;
    double worst = 0.0;
    for (const double phi : angles) {
        const PatternPoint cut = joint.hole(phi);
        const PatternPoint face = joint.pierced(phi, joint.shellOutside);
        const PatternPoint normal = joint.outwardNormal(phi);
        // Round the shell, millimetres on the outside face are those on the sheet scaled.
        worst =
            std::max(worst, normal.x * (cut.x - face.x) + normal.y * (cut.y - face.y) * onOutside);
    }
    return worst;
}

/**
 * The curve through the table's points at their angles, as exactly as it is cut; the angle of
 * each of its points into `sampledAngles` when asked.
 */
std::vector<PatternPoint> exactThrough(const std::vector<double>& angles,
                                       const std::vector<PatternPoint>& points, const CurveAt& at,
                                       std::vector<double>* sampledAngles = nullptr) {
    // The branch's functions are defined round the whole turn: the sampling cannot fail.
    auto sampled = sampleCurveWithParameters(at, angles, points);
    if (!sampled) {
        if (sampledAngles != nullptr) {
            *sampledAngles = angles;
        }
        return points;
    }
    if (sampledAngles != nullptr) {
        *sampledAngles = std::move(sampled->parameters);
    }
    return std::move(sampled->points);
}

} // namespace

PipePipeModel computePipePipe(const PipePipeInputs& in) {
    PipePipeModel model;
    model.inputs = in;
    const PipePipeSurfaces surfaces = surfacesOf(in);
    const BranchOnShell joint(in, surfaces);
    const double deltaPhi = 2 * kPi / in.N;
    const auto points = static_cast<std::size_t>(in.N) + 1;
    const double phi0 = toRadians(in.alfa);
    // φ is carried on by adding its step, as the points have always been placed.
    std::vector<double> angles(points);
    double phi = phi0;
    for (std::size_t i = 0; i < points; ++i) {
        angles[i] = phi;
        phi += deltaPhi;
    }
    std::vector<PatternPoint> hole(points);
    for (std::size_t i = 0; i < points; ++i) {
        hole[i] = joint.hole(angles[i]);
    }
    std::vector<double> exactAngles;
    const std::vector<PatternPoint> exactHole = exactThrough(
        angles, hole, [&](double t) { return joint.hole(t); }, &exactAngles);
    model.holeMinX = model.holeMaxX = exactHole.front().x;
    for (const PatternPoint p : exactHole) {
        model.holeMinX = std::min(model.holeMinX, p.x);
        model.holeMaxX = std::max(model.holeMaxX, p.x);
    }

    if (in.development == PipePipeDevelopment::SmallerPipe) {
        const double developedDiameter = 2 * surfaces.branchDevelopment;
        model.girth = kPi * developedDiameter;
        model.L.resize(points);
        model.h.resize(points);
        std::vector<PatternPoint> cut(points);
        for (std::size_t i = 0; i < points; ++i) {
            model.L[i] = static_cast<double>(i) * kPi * developedDiameter / in.N;
            model.h[i] = joint.h(angles[i]);
            model.hmax = std::max(model.hmax, model.h[i]);
            cut[i] = {model.L[i], -model.h[i]};
        }
        model.exactCurve = exactThrough(angles, cut, [&](double t) {
            return PatternPoint{(t - phi0) * surfaces.branchDevelopment, -joint.h(t)};
        });
        return model;
    }
    model.girth = kPi * (2 * surfaces.shellDevelopment);
    model.holeOverhang = holeOverhang(joint, exactAngles);
    model.Xo.resize(points);
    model.Yo.resize(points);
    for (std::size_t i = 0; i < points; ++i) {
        model.Xo[i] = hole[i].x;
        model.Yo[i] = hole[i].y;
    }
    model.exactCurve = exactHole;
    return model;
}

std::optional<std::string> pipePipeFault(const PipePipeModel& model) {
    const PipePipeInputs& in = model.inputs;
    const double rounding = roundingAt(std::fabs(in.Lm) + in.Ld + in.Dd + in.H);
    if (in.development == PipePipeDevelopment::SmallerPipe) {
        double shortest = INFINITY;
        for (const PatternPoint p : model.exactCurve) {
            shortest = std::min(shortest, -p.y);
        }
        if (shortest < -rounding) {
            // Every generator grows by ΔH / sin β as the end face rises.
            return "Blad obliczen. Prawdopodobnie koniec RURY MNIEJSZEJ lezy wewnatrz RURY "
                   "WIEKSZEJ (tworzaca h < 0) - zwieksz H " +
                   fittingFromText("H", in.H - shortest * std::sin(toRadians(in.BETA))) + ".";
        }
    }
    // The branch's own template does not depend on the shell's length; only the shell's sheet
    // must hold the hole, which moves along the shell as Lm does.
    if (in.development == PipePipeDevelopment::LargerPipe &&
        (model.holeMinX < -rounding || model.holeMaxX > in.Ld + rounding)) {
        return "Blad obliczen. Prawdopodobnie RURA MNIEJSZA wychodzi poza koniec RURY WIEKSZEJ - "
               "sprawdz Lm i Ld " +
               fittingRangeText("Lm", in.Lm - model.holeMinX, in.Lm + in.Ld - model.holeMaxX) + ".";
    }
    return std::nullopt;
}

bool isFinite(const PipePipeModel& model) {
    // The sheet's developed width comes from the diameter alone: the shell's girth can overflow
    // while every hole point is still finite.
    return allFinite(model.L) && allFinite(model.h) && allFinite(model.Xo) && allFinite(model.Yo) &&
           std::isfinite(model.hmax) && std::isfinite(model.girth);
}

} // namespace blachorys::core
