#include "cases/pipe_cone/pipeconemodel.h"

#include "cases/pipe_cone/pipeconefaults.h"
#include "cases/pipe_cone/pipeconefitting.h"
#include "cases/pipe_cone/pipeconegenerators.h"

#include "common/core/base/finite.h"
#include "common/core/calculator/branchchecks.h"
#include "common/core/calculator/calculationresult.h"
#include "common/core/calculator/fittingrange.h"
#include "common/core/geometry/curvesampling.h"

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
    const JointContact contact = contactOf(in.joint);
    const Wall pipe = pipeWall(in);
    const Wall cone = coneWall(in);
    const double r = in.Dr / 2;
    return {.pipeContact = radiusOf(pipe, r, contact.branch),
            .pipeDevelopment = radiusOf(pipe, r, pipe.developed()),
            .pipeInside = radiusOf(pipe, r, WallSurface::Inside),
            .pipeOutside = radiusOf(pipe, r, WallSurface::Outside),
            .coneContact = cone.outwardOfTyped(contact.main),
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
        thickCheck<In>(on, "Dr - 2*tr > Dsd", [](const In& i) { return i.Dr - 2 * i.tr > i.Dsd; }));
    all.push_back(thickCheck<In>(
        on, "Dr/2 - tr + P > Dsd/2", [](const In& i) { return i.Dr / 2 - i.tr + i.P > i.Dsd / 2; },
        fittingOffset));
    all.push_back(
        thickCheck<In>(in, "Dr > Dsd - 2*ts", [](const In& i) { return i.Dr > i.Dsd - 2 * i.ts; }));
    all.push_back(thickCheck<In>(
        in, "Dr/2 + P > Dsd/2 - ts", [](const In& i) { return i.Dr / 2 + i.P > i.Dsd / 2 - i.ts; },
        fittingOffset));
}

} // namespace

const InputChecks<PipeConeInputs>& pipeConeChecks() {
    using In = PipeConeInputs;
    static const InputChecks<In> checks = [] {
        // The diameters are compared as the worker typed them only while the walls have no
        // thickness; with one, the surfaces that meet are compared instead.
        InputChecks<In> all = branchChecks<In>({"Dr", &In::Dr}, {"Dsd", &In::Dsd}, &In::P,
                                               &In::BETA, &In::N, thinWalls, fittingOffset);
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

bool isFinite(const PipeConeModel& model) {
    const MantleOutline& o = model.outline;
    return allFinite(model.L) && allFinite(model.h) && allFinite(o.Xm) && allFinite(o.Ym) &&
           allFinite(o.Xd) && allFinite(o.Yd) && allFinite(model.Xo) && allFinite(model.Yo) &&
           allFinite(std::array{model.hmax, model.girth, model.holeOverhang, model.sheet.xMin,
                                model.sheet.xMax, model.sheet.yMin, model.sheet.yMax,
                                model.sheet.width(), model.sheet.height()});
}

} // namespace blachorys::core
