#include "cases/pipe_pipe/pipepipemodel.h"

#include "common/core/branchchecks.h"
#include "common/core/curvesampling.h"
#include "common/core/finite.h"

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

PipePipeSurfaces surfacesOf(const PipePipeInputs& in) {
    const bool setOn = in.joint == BranchJoint::SetOn;
    const auto developed = [](double D, double t, PipeMaking made) {
        return made == PipeMaking::RolledFromPlate ? (D - t) / 2 : D / 2;
    };
    return {.branchContact = setOn ? in.Dm / 2 - in.tm : in.Dm / 2,
            .shellContact = setOn ? in.Dd / 2 : in.Dd / 2 - in.td,
            .branchDevelopment = developed(in.Dm, in.tm, in.branchMade),
            .shellDevelopment = developed(in.Dd, in.td, in.shellMade)};
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
    // A set-on branch's bore may reach past the shell's mean surface, where a rolled shell's
    // hole is marked; only the set-in branch's outside always stays within it.
    all.push_back({dataError("Dm/2 - tm + |P| > (Dd - td)/2 - otwor poza srodkiem scianki "
                             "plaszcza zwijanego"),
                   [](const In& i) {
                       if (!hasWallThickness(i) || i.joint != BranchJoint::SetOn ||
                           i.development != PipePipeDevelopment::LargerPipe) {
                           return false;
                       }
                       const PipePipeSurfaces s = surfacesOf(i);
                       return s.branchContact + std::fabs(i.P) > s.shellDevelopment;
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
 * The joint's geometry round the branch, at angle φ from the seam's side: the branch's contact
 * surface (radius r) meeting the shell's (radius R), and piercing the surface the shell's sheet
 * is developed on (radius Rs).
 */
struct BranchOnShell {
    BranchOnShell(const PipePipeInputs& in, const PipePipeSurfaces& surfaces)
        : in(in), r(surfaces.branchContact), R(surfaces.shellContact),
          Rs(surfaces.shellDevelopment), beta(toRadians(in.BETA)),
          // At BETA = 90° the branch is square to the shell and the axial term vanishes;
          // tan(π/2) in doubles is huge but finite, so the exact case is spelt out.
          square(in.BETA == 90.0) {}

    /**
     * Length of the branch's generator at φ, from the shell to the end face: the same on every
     * surface of the branch's wall, the end face being square to its axis.
     */
    double h(double phi) const {
        const double s = r * std::sin(phi);
        const double z = rootWithinShell(R, in.P - s);
        return (in.H - r * std::cos(phi) * std::cos(beta) - z) / std::sin(beta);
    }

    /** Where the branch's generator at φ pierces the shell, on the rolled-out shell. */
    PatternPoint hole(double phi) const {
        const double c = in.P - r * std::sin(phi);
        const double root = rootWithinShell(Rs, c);
        const double theta = std::fabs(c) >= Rs ? std::copysign(kPi / 2, c) : std::atan(c / root);
        return {in.Lm + r * std::cos(phi) / std::sin(beta) + (square ? 0.0 : root / std::tan(beta)),
                Rs * (kPi / 2 - theta)};
    }

    const PipePipeInputs& in;
    double r;
    double R;
    double Rs;
    double beta;
    bool square;
};

/** The curve through the table's points at their angles, as exactly as it is cut. */
std::vector<PatternPoint> exactThrough(const std::vector<double>& angles,
                                       const std::vector<PatternPoint>& points, const CurveAt& at) {
    // The branch's functions are defined round the whole turn: the sampling cannot fail.
    return sampleCurve(at, angles, points).value_or(points);
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
    const std::vector<PatternPoint> exactHole =
        exactThrough(angles, hole, [&](double t) { return joint.hole(t); });
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
        for (const PatternPoint p : model.exactCurve) {
            if (-p.y < -rounding) {
                return "Blad obliczen. Prawdopodobnie koniec RURY MNIEJSZEJ lezy wewnatrz RURY "
                       "WIEKSZEJ (tworzaca h < 0) - zwieksz H.";
            }
        }
    }
    // The branch's own template does not depend on the shell's length; only the shell's sheet
    // must hold the hole.
    if (in.development == PipePipeDevelopment::LargerPipe &&
        (model.holeMinX < -rounding || model.holeMaxX > in.Ld + rounding)) {
        return "Blad obliczen. Prawdopodobnie RURA MNIEJSZA wychodzi poza koniec RURY WIEKSZEJ - "
               "sprawdz Lm i Ld.";
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
