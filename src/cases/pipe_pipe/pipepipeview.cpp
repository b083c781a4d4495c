#include "cases/pipe_pipe/pipepipeview.h"

#include "common/core/view3d/edgepreparation.h"
#include "common/core/view3d/laidflat.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

/**
 * The branch: its end face's centre, its axis up from the shell, and round it the generator at
 * φ = 0 on the side the axis leans to and φ = 90° towards −y.
 */
struct Branch {
    explicit Branch(const PipePipeInputs& in)
        : beta(in.BETA * kPi / 180),
          phi0(seamAngle(in)), endFace{in.Lm + in.H * std::cos(beta) / std::sin(beta), in.P, in.H},
          axis{std::cos(beta), 0.0, std::sin(beta)}, atZero{std::sin(beta), 0.0, -std::cos(beta)} {}

    /** The point `radius` from the axis at φ, `along` from the end face (negative: below it). */
    Point3 at(double radius, double phi, double along) const {
        return endFace + radius * std::cos(phi) * atZero +
               Point3{0.0, -radius * std::sin(phi), 0.0} + along * axis;
    }

    /** How far below the end face the generator at φ, `radius` from the axis, meets a shell. */
    double reachTo(double radius, double phi, double shellRadius) const {
        const Point3 top = at(radius, phi, 0.0);
        const double under = shellRadius * shellRadius - top.y * top.y;
        return (top.z - std::sqrt(std::max(0.0, under))) / std::sin(beta);
    }

    double beta;
    double phi0;
    Point3 endFace;
    Point3 axis;
    Point3 atZero;
};

/** The radii of a wall's faces, outside first; one when the wall has no thickness. */
std::vector<double> faceRadii(double diameter, double thickness) {
    if (thickness > 0) {
        return {diameter / 2, diameter / 2 - thickness};
    }
    return {diameter / 2};
}

/**
 * The least of `f` over the layers of a wall from `low` to `high`: the best of a few layers,
 * then a golden-section search between its neighbours.
 */
template <typename F> double leastOver(const F& f, double low, double high) {
    if (!(high > low)) {
        return f(low);
    }
    constexpr int kLayers = 16;
    const double step = (high - low) / kLayers;
    int best = 0;
    for (int k = 1; k <= kLayers; ++k) {
        if (f(low + k * step) < f(low + best * step)) {
            best = k;
        }
    }
    double a = std::max(low, low + (best - 1) * step);
    double b = std::min(high, low + (best + 1) * step);
    constexpr double kGolden = 0.6180339887498949;
    for (int i = 0; i < 40; ++i) {
        const double c = b - kGolden * (b - a);
        const double d = a + kGolden * (b - a);
        if (f(c) < f(d)) {
            b = d;
        } else {
            a = c;
        }
    }
    return std::min({f((a + b) / 2), f(low + best * step)});
}

Point3 onShell(double radius, double alongAxis, double angle) {
    return {alongAxis, radius * std::cos(angle), radius * std::sin(angle)};
}

/**
 * The shell laid out flat, round it by its arc on the contact surface from its bottom (the
 * hole, on top, is never split), with the hole where the branch's contact surface meets it.
 */
OtherPart shellAround(const PipePipeInputs& in, const Branch& branch,
                      const PipePipeSurfaces& surfaces) {
    const double R = surfaces.shellContact;
    const double bottom = -kPi / 2 * R;
    OtherPart shell;
    shell.rings.push_back({{0.0, bottom},
                           {in.Ld, bottom},
                           {in.Ld, bottom + 2 * kPi * R},
                           {0.0, bottom + 2 * kPi * R}});
    // The ends are edges; the bottom, where the layout is joined, is none.
    shell.edgesShown.push_back({false, true, false, true});
    std::vector<PatternPoint> hole;
    for (int k = 0; k < kOtherCutSteps; ++k) {
        const double phi = branch.phi0 + 2 * kPi * k / kOtherCutSteps;
        const double r = surfaces.branchContact;
        const Point3 m = branch.at(r, phi, -branch.reachTo(r, phi, R));
        hole.push_back({m.x, R * std::atan2(m.z, m.y)});
    }
    shell.rings.push_back(std::move(hole));
    for (const double radius : faceRadii(in.Dd, in.td)) {
        shell.faces.push_back(
            [radius, R](PatternPoint p) { return onShell(radius, p.x, p.y / R); });
    }
    return shell;
}

/**
 * The branch laid out flat, round it by its arc on the contact surface from the seam, up from
 * where its contact surface meets the shell's to its end face.
 */
OtherPart branchAround(const PipePipeInputs& in, const Branch& branch,
                       const PipePipeSurfaces& surfaces) {
    const double r = surfaces.branchContact;
    OtherPart part = branchLaidFlat(2 * kPi * r, [&](double x) {
        return -branch.reachTo(r, branch.phi0 + x / r, surfaces.shellContact);
    });
    for (const double radius : faceRadii(in.Dm, in.tm)) {
        part.faces.push_back([branch, radius, r](PatternPoint p) {
            return branch.at(radius, branch.phi0 + p.x / r, p.y);
        });
    }
    return part;
}

/** A point's angle φ round the branch, from the generator at φ = 0. */
std::function<double(Point3)> roundTheBranch(const Branch& branch) {
    return [branch](Point3 p) {
        const Point3 d = p - branch.endFace;
        const Point3 radial = d - dot(d, branch.axis) * branch.axis;
        return std::atan2(-radial.y, dot(radial, branch.atZero));
    };
}

/** The branch's cut, welded to the shell: round the shell's axis, its contact and outside faces. */
WeldedCut weldedToShell(const Branch& branch, double contact, double outside) {
    const WeldPartner shell = pipeRoundTheXAxis(contact, outside);
    return {.partnerNear = [shell](Point3) { return shell; }, .angleRound = roundTheBranch(branch)};
}

/** The hole a set-in branch passes, welded round its outside. */
WeldedCut holeRound(const Branch& branch, double outside) {
    const auto round = [branch, outside](Point3 p) {
        return fromLine(p, branch.endFace, branch.axis) - outside;
    };
    return {.partnerNear =
                [round](Point3) {
                    return WeldPartner{round, round};
                },
            .angleRound = roundTheBranch(branch),
            .role = LineRole::HoleOutline};
}

} // namespace

JointView pipePipeView(const PipePipeModel& model) {
    const PipePipeInputs& in = model.inputs;
    const PipePipeSurfaces surfaces = surfacesOf(in);
    const Branch branch(in);
    JointView view;
    DevelopedPart part;
    if (in.development == PipePipeDevelopment::SmallerPipe) {
        // Round the branch by the developed length, down from the end face by the depth.
        const double rolled = surfaces.branchDevelopment;
        const auto face = [branch, rolled](double radius) -> SheetSurface {
            return [branch, rolled, radius](PatternPoint p) {
                return branch.at(radius, branch.phi0 + p.x / rolled, p.y);
            };
        };
        part.contours = {0};
        part.printedOutside = in.branchMade == PartMaking::CutFromPipe;
        for (const double radius : faceRadii(in.Dm, in.tm)) {
            part.faces.push_back(face(radius));
        }
        part.measuredOn = face(surfaces.branchContact);
        // The end is cut square through the wall: of the layers along the cut point's
        // generator, the one nearest the shell must rest on it and none enter it.
        const double shell = surfaces.shellContact;
        const double inside = surfaces.branchInside, outside = surfaces.branchOutside;
        part.meetings.push_back({LineRole::CutCurve, [branch, shell, inside, outside](Point3 p) {
                                     const Point3 d = p - branch.endFace;
                                     const double along = dot(d, branch.axis);
                                     const Point3 radial = d - along * branch.axis;
                                     const double phi =
                                         std::atan2(-radial.y, dot(radial, branch.atZero));
                                     const auto gap = [&](double rho) {
                                         const Point3 q = branch.at(rho, phi, along);
                                         return std::hypot(q.y, q.z) - shell;
                                     };
                                     return leastOver(gap, inside, outside);
                                 }});
        part.welded = weldedToShell(branch, shell, surfaces.shellOutside);
        view.others.push_back(shellAround(in, branch, surfaces));
    } else {
        const double rolled = surfaces.shellDevelopment;
        // The sheet starts at its seam: the hole's place on it is moved by holeShift.
        const double shift = model.holeShift;
        const auto face = [rolled, shift](double radius) -> SheetSurface {
            return [rolled, shift, radius](PatternPoint p) {
                return onShell(radius, p.x, (p.y - shift) / rolled);
            };
        };
        part.contours = {0, 1};
        part.printedOutside = in.shellMade == PartMaking::CutFromPipe;
        for (const double radius : faceRadii(in.Dd, in.td)) {
            part.faces.push_back(face(radius));
        }
        part.measuredOn = face(rolled);
        // The hole is cut square through the shell's wall: at the depth where it comes
        // nearest the branch it must touch it, and nowhere cut into it.
        const double contact = surfaces.branchContact;
        const double inside = surfaces.shellInside, outside = surfaces.shellOutside;
        part.meetings.push_back(
            {LineRole::HoleOutline, [branch, contact, inside, outside](Point3 p) {
                 const double angle = std::atan2(p.z, p.y);
                 const auto gap = [&](double depth) {
                     const Point3 q = onShell(depth, p.x, angle);
                     return fromLine(q, branch.endFace, branch.axis) - contact;
                 };
                 return leastOver(gap, inside, outside);
             }});
        // A set-in branch's hole is prepared along its outside; a set-on one's stays radial.
        if (in.joint == BranchJoint::SetIn && in.td > 0) {
            part.welded = holeRound(branch, surfaces.branchOutside);
        }
        view.others.push_back(branchAround(in, branch, surfaces));
    }
    view.developed.push_back(std::move(part));
    return view;
}

} // namespace blachorys::core
