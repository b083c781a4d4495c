#include "cases/pipe_pipe/pipepipemodel.h"

#include "common/core/base/finite.h"
#include "common/core/calculator/branchchecks.h"
#include "common/core/calculator/fittingrange.h"
#include "common/core/calculator/sheetseam.h"
#include "common/core/geometry/curvesampling.h"
#include "common/core/walls/wallhole.h"

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
    const JointContact contact = contactOf(in.joint);
    const Wall branch = branchWall(in);
    const Wall shell = shellWall(in);
    const double r = in.Dm / 2;
    const double R = in.Dd / 2;
    return {.branchContact = radiusOf(branch, r, contact.branch),
            .shellContact = radiusOf(shell, R, contact.main),
            .branchDevelopment = radiusOf(branch, r, branch.developed()),
            .shellDevelopment = radiusOf(shell, R, shell.developed()),
            .branchInside = radiusOf(branch, r, WallSurface::Inside),
            .branchOutside = radiusOf(branch, r, WallSurface::Outside),
            .shellInside = radiusOf(shell, R, WallSurface::Inside),
            .shellOutside = radiusOf(shell, R, WallSurface::Outside)};
}

double seamAngle(const PipePipeInputs& in) {
    // Whole turns are taken off exactly, so that a seam typed many turns round lies where it
    // does once round, to the same digits.
    return toRadians(std::fmod(in.alfa, 360.0));
}

bool hasWallThickness(const PipePipeInputs& in) {
    return in.tm > 0 || in.td > 0;
}

namespace {

bool thinWalls(const PipePipeInputs& in) {
    return !hasWallThickness(in);
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
        thickCheck<In>(on, "Dm - 2*tm > Dd", [](const In& i) { return i.Dm - 2 * i.tm > i.Dd; }));
    all.push_back(thickCheck<In>(on, "Dm/2 - tm + P > Dd/2",
                                 [](const In& i) { return i.Dm / 2 - i.tm + i.P > i.Dd / 2; }));
    all.push_back(thickCheck<In>(on, "Dm/2 - tm - P > Dd/2",
                                 [](const In& i) { return i.Dm / 2 - i.tm - i.P > i.Dd / 2; }));
    all.push_back(
        thickCheck<In>(in, "Dm > Dd - 2*td", [](const In& i) { return i.Dm > i.Dd - 2 * i.td; }));
    all.push_back(thickCheck<In>(in, "Dm/2 + P > Dd/2 - td",
                                 [](const In& i) { return i.Dm / 2 + i.P > i.Dd / 2 - i.td; }));
    all.push_back(thickCheck<In>(in, "Dm/2 - P > Dd/2 - td",
                                 [](const In& i) { return i.Dm / 2 - i.P > i.Dd / 2 - i.td; }));
    // The hole is cut square through the shell's wall round the branch's contact surface: a
    // set-on branch's bore must pass within the shell's inside face, or the hole would open
    // the shell's side; the set-in branch's outside is held there by the checks above.
    all.push_back({dataError("Dm/2 - tm + |P| > Dd/2 - td - otwor nie przechodzi przez scianke "
                             "plaszcza"),
                   [](const In& i) {
                       // Both developments refuse it: the joint is made whole or not at all.
                       if (!hasWallThickness(i) || i.joint != BranchJoint::SetOn) {
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
        all.push_back(positiveSize<In>("Ld", &In::Ld));
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
          square(in.BETA == 90.0) {}

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
};

/** The curve through the table's points at their angles, as exactly as it is cut. */
std::vector<PatternPoint> exactThrough(const std::vector<double>& angles,
                                       const std::vector<PatternPoint>& points, const CurveAt& at) {
    // The branch's functions are defined round the whole turn: the sampling cannot fail.
    auto sampled = sampleCurve(at, angles, points);
    return sampled ? std::move(*sampled) : points;
}

} // namespace

namespace {

/** The branch's template: its table and its cut as exactly as it is cut. */
struct BranchTemplate {
    std::vector<double> L;
    std::vector<double> h;
    double hmax = 0.0;
    std::vector<PatternPoint> exact;
};

BranchTemplate branchTemplate(const PipePipeSurfaces& surfaces, const BranchOnShell& joint,
                              const std::vector<double>& angles, int N) {
    BranchTemplate branch;
    const double developedDiameter = 2 * surfaces.branchDevelopment;
    const std::size_t points = angles.size();
    branch.L.resize(points);
    branch.h.resize(points);
    std::vector<PatternPoint> cut(points);
    for (std::size_t i = 0; i < points; ++i) {
        branch.L[i] = static_cast<double>(i) * kPi * developedDiameter / N;
        branch.h[i] = joint.h(angles[i]);
        branch.hmax = std::max(branch.hmax, branch.h[i]);
        cut[i] = {branch.L[i], -branch.h[i]};
    }
    const double phi0 = angles.front();
    branch.exact = exactThrough(angles, cut, [&](double t) {
        return PatternPoint{(t - phi0) * surfaces.branchDevelopment, -joint.h(t)};
    });
    return branch;
}

/** The shell's hole: its table, its outline as cut, how far it stands clear, or its fault. */
struct ShellHole {
    std::vector<PatternPoint> points;
    std::vector<PatternPoint> exact;
    double overhang = 0.0;
    std::optional<std::string> fault;
};

ShellHole shellHole(const PipePipeSurfaces& surfaces, const BranchOnShell& joint,
                    const std::vector<double>& angles) {
    ShellHole hole;
    if (surfaces.shellInside == surfaces.shellOutside) {
        for (const double angle : angles) {
            hole.points.push_back(joint.pierced(angle, joint.Rs));
        }
        hole.exact =
            exactThrough(angles, hole.points, [&](double t) { return joint.pierced(t, joint.Rs); });
        return hole;
    }
    // Through the shell's wall the hole is every layer's hole at once.
    const WallHoleResult through = holeThroughWall(
        [&joint](double depth, double at) { return std::optional(joint.pierced(at, depth)); },
        surfaces.shellInside, surfaces.shellOutside, angles);
    if (!through.hole) {
        hole.fault = kHoleThroughTheWallMessage;
        return hole;
    }
    hole.points = through.hole->points;
    hole.exact = through.hole->exact;
    const double onOutside = surfaces.shellOutside / surfaces.shellDevelopment;
    hole.overhang = overhangAtTheOutsideFace(*through.hole, [onOutside](PatternPoint p) {
        return PatternPoint{p.x, p.y * onOutside};
    });
    return hole;
}

} // namespace

PipePipeModel computePipePipe(const PipePipeInputs& in) {
    PipePipeModel model;
    model.inputs = in;
    const PipePipeSurfaces surfaces = surfacesOf(in);
    const BranchOnShell joint(in, surfaces);
    const double deltaPhi = 2 * kPi / in.N;
    const auto points = static_cast<std::size_t>(in.N) + 1;
    // φ is carried on by adding its step, as the points have always been placed.
    std::vector<double> angles(points);
    double phi = seamAngle(in);
    for (std::size_t i = 0; i < points; ++i) {
        angles[i] = phi;
        phi += deltaPhi;
    }
    // Both parts are worked out whichever is developed: the joint is made whole or not at all.
    BranchTemplate branch = branchTemplate(surfaces, joint, angles, in.N);
    model.shortestGenerator = INFINITY;
    for (const PatternPoint p : branch.exact) {
        model.shortestGenerator = std::min(model.shortestGenerator, -p.y);
    }
    ShellHole hole = shellHole(surfaces, joint, angles);
    model.holeFault = hole.fault;
    if (!hole.exact.empty()) {
        model.holeMinX = model.holeMaxX = hole.exact.front().x;
        for (const PatternPoint p : hole.exact) {
            model.holeMinX = std::min(model.holeMinX, p.x);
            model.holeMaxX = std::max(model.holeMaxX, p.x);
        }
    }
    const SheetSeam seam =
        turnedSheetSeam(in.shellSeam, 2 * kPi * surfaces.shellDevelopment, hole.exact);
    if (seam.clearing) {
        model.seamFault =
            withWhatFits(seamThroughTheHoleMessage("RURY WIEKSZEJ") + ".", *seam.clearing);
    }
    if (in.development == PipePipeDevelopment::SmallerPipe) {
        model.girth = kPi * (2 * surfaces.branchDevelopment);
        model.L = std::move(branch.L);
        model.h = std::move(branch.h);
        model.hmax = branch.hmax;
        model.exactCurve = std::move(branch.exact);
        return model;
    }
    model.girth = kPi * (2 * surfaces.shellDevelopment);
    model.holeOverhang = hole.overhang;
    model.exactCurve = std::move(hole.exact);
    model.holeShift = seam.shift;
    if (seam.shift != 0.0) {
        for (PatternPoint& p : model.exactCurve) {
            p.y += seam.shift;
        }
    }
    for (const PatternPoint p : hole.points) {
        model.Xo.push_back(p.x);
        model.Yo.push_back(seam.shift != 0.0 ? p.y + seam.shift : p.y);
    }
    return model;
}

std::optional<std::string> pipePipeFault(const PipePipeModel& model) {
    if (model.holeFault) {
        return model.holeFault;
    }
    if (model.seamFault) {
        return model.seamFault;
    }
    const PipePipeInputs& in = model.inputs;
    const double rounding = roundingAt(std::fabs(in.Lm) + in.Ld + in.Dd + in.H);
    if (model.shortestGenerator < -rounding) {
        // Every generator grows by ΔH / sin β as the end face rises.
        return "Blad obliczen. Prawdopodobnie koniec RURY MNIEJSZEJ lezy wewnatrz RURY "
               "WIEKSZEJ (tworzaca h < 0) - zwieksz H " +
               fittingFromText("H", in.H - model.shortestGenerator * std::sin(toRadians(in.BETA))) +
               ".";
    }
    // The shell's sheet must hold the hole, which moves along the shell as Lm does; the
    // branch's height does not move it, so the hole's rounding is the shell's own.
    const double holeRounding = roundingAt(std::fabs(in.Lm) + in.Ld + in.Dd);
    if (model.holeMinX < -holeRounding || model.holeMaxX > in.Ld + holeRounding) {
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
