#include "cases/cone_pipe/conepipeview.h"

#include "common/core/geometry/depthsearch.h"
#include "common/core/view3d/edgepreparation.h"
#include "common/core/view3d/laidflat.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

/**
 * The cone: its apex beyond the free end on the axis, which rises at BETA from the pipe's axis
 * in the plane y = P; round the free end the generatrix at w = 0 on the side of larger x and
 * w = 90° towards −y.
 */
struct Cone {
    explicit Cone(const ConePipeInputs& in)
        : w0(in.alfa * kPi / 180), sinGamma(std::sin(in.Gamma * kPi / 180)),
          cosGamma(std::cos(in.Gamma * kPi / 180)),
          freeEndRadius(in.Ds / 2), axis{std::cos(in.Beta * kPi / 180), 0.0,
                                         std::sin(in.Beta * kPi / 180)},
          atZero{axis.z, 0.0, -axis.x}, freeEnd{in.Lm + in.Hs * axis.x / axis.z, in.P, in.Hs},
          apex(freeEnd + (freeEndRadius / std::tan(in.Gamma * kPi / 180)) * axis) {}

    Point3 direction(double w) const { return unit(freeEnd + freeEndRadius * radial(w) - apex); }

    /** The unit vector round the free end towards the generatrix at w, square to the axis. */
    Point3 radial(double w) const { return std::cos(w) * atZero + Point3{0.0, -std::sin(w), 0.0}; }

    /** The outward normal of the mantle along the generatrix at w. */
    Point3 normal(double w) const { return cosGamma * radial(w) + sinGamma * axis; }

    /**
     * The apex of the plate's layer `depth` outward of the typed surface: a cone of the same
     * axis and half-angle, whose free end's radius in the same plane is larger by depth/cos γ.
     */
    Point3 apexAt(double depth) const {
        return freeEnd + ((freeEndRadius + depth / cosGamma) * cosGamma / sinGamma) * axis;
    }

    /** The generatrix's first meeting with the pipe of `radius` from the apex, if any. */
    std::optional<double> meetPipe(double w, double radius) const {
        const Point3 d = direction(w);
        const double a = d.y * d.y + d.z * d.z;
        const double b = 2 * (apex.y * d.y + apex.z * d.z);
        const double c = apex.y * apex.y + apex.z * apex.z - radius * radius;
        const double disc = b * b - 4 * a * c;
        if (!(a > 0) || disc < 0) {
            return std::nullopt;
        }
        return (-b - std::sqrt(disc)) / (2 * a);
    }

    /** How far a point lies from the cone's mantle, outwards positive. */
    double fromMantle(Point3 p) const {
        const Point3 d = p - apex;
        const double along = -dot(d, axis);
        const double aside = std::sqrt(std::max(0.0, dot(d, d) - along * along));
        return aside * cosGamma - along * sinGamma;
    }

    double w0;
    double sinGamma;
    double cosGamma;
    double freeEndRadius;
    Point3 axis;   ///< from the pipe up through the free end to the apex
    Point3 atZero; ///< across the axis towards larger x: generatrix 0
    Point3 freeEnd;
    Point3 apex;
};

Point3 onPipe(double radius, double alongAxis, double angle) {
    return {alongAxis, radius * std::cos(angle), radius * std::sin(angle)};
}

/**
 * The pipe laid out flat, round it by its arc from its bottom (the hole, on top, is never
 * split), with the hole where the cone meets it.
 */
OtherPart pipeAround(const ConePipeInputs& in, const Cone& cone) {
    const double R = in.Dr / 2;
    const double bottom = -kPi / 2 * R;
    OtherPart pipe;
    pipe.rings.push_back(
        {{0.0, bottom}, {in.L, bottom}, {in.L, bottom + 2 * kPi * R}, {0.0, bottom + 2 * kPi * R}});
    pipe.edgesShown.push_back({false, true, false, true});
    std::vector<PatternPoint> hole;
    for (int k = 0; k < kOtherCutSteps; ++k) {
        const double w = cone.w0 + 2 * kPi * k / kOtherCutSteps;
        const Point3 m = cone.apex + cone.meetPipe(w, R).value_or(0.0) * cone.direction(w);
        double around = std::atan2(m.z, m.y);
        if (around < -kPi / 2) {
            around += 2 * kPi;
        }
        hole.push_back({m.x, R * around});
    }
    pipe.rings.push_back(std::move(hole));
    pipe.faces.push_back([R](PatternPoint p) { return onPipe(R, p.x, p.y / R); });
    if (in.tr > 0) {
        const double inside = R - in.tr;
        pipe.faces.push_back([R, inside](PatternPoint p) { return onPipe(inside, p.x, p.y / R); });
    }
    return pipe;
}

/** The cone laid out by its free end's arc and the slant from the apex, free end to cut. */
OtherPart coneAround(const ConePipeInputs& in, const Cone& cone) {
    const double r = cone.freeEndRadius;
    const double slant = r / cone.sinGamma;
    const double girth = 2 * kPi * r;
    OtherPart part;
    std::vector<PatternPoint> ring{{0.0, slant}, {girth, slant}};
    for (int k = kOtherCutSteps; k >= 0; --k) {
        const double x = girth * k / kOtherCutSteps;
        ring.push_back({x, cone.meetPipe(cone.w0 + x / r, in.Dr / 2).value_or(slant)});
    }
    std::vector<bool> shown(ring.size(), true);
    shown[1] = false;
    shown.back() = false;
    part.rings.push_back(std::move(ring));
    part.edgesShown.push_back(std::move(shown));
    part.faces.push_back(
        [cone, r](PatternPoint p) { return cone.apex + p.y * cone.direction(cone.w0 + p.x / r); });
    if (in.ts > 0) {
        const double depth = -in.ts;
        part.faces.push_back([cone, r, depth](PatternPoint p) {
            const double w = cone.w0 + p.x / r;
            return cone.apex + p.y * cone.direction(w) + depth * cone.normal(w);
        });
    }
    return part;
}

/** A point's angle w round the cone's axis, from the generatrix at w = 0. */
std::function<double(Point3)> roundTheCone(const Cone& cone) {
    return [cone](Point3 p) {
        const Point3 d = p - cone.apex;
        const Point3 across = d - dot(d, cone.axis) * cone.axis;
        return std::atan2(-across.y, dot(across, cone.atZero));
    };
}

/** The cone's cut, welded to the pipe: round the pipe's axis, its contact and outside faces. */
WeldedCut weldedToPipe(const Cone& cone, double contact, double outside) {
    const WeldPartner pipe = pipeRoundTheXAxis(contact, outside);
    return {.partnerNear = [pipe](Point3) { return pipe; }, .angleRound = roundTheCone(cone)};
}

/**
 * The cone's pattern with a wall: developed on the mean surface from that layer's apex, each
 * face along the normals; its cut square through the plate, the layer nearest the pipe resting
 * on the pipe's contact surface and none entering it.
 */
DevelopedPart walledCone(const ConePipeModel& model, const Cone& cone,
                         const ConePipeSurfaces& surfaces) {
    const double middle = kPi * cone.sinGamma;
    const double mean = surfaces.coneDevelopment;
    const Point3 apex = cone.apexAt(mean);
    const auto face = [cone, middle, mean, apex](double depth) -> SheetSurface {
        return [cone, middle, mean, apex, depth](PatternPoint p) {
            const double w = cone.w0 + sectorAngle(p, middle) / cone.sinGamma;
            return apex + std::hypot(p.x, p.y) * cone.direction(w) +
                   (depth - mean) * cone.normal(w);
        };
    };
    DevelopedPart part;
    part.contours = {0};
    part.faces.push_back(face(0.0));
    part.faces.push_back(face(surfaces.coneInside));
    part.measuredOn = face(mean);
    layGridBySector(part, middle, std::hypot(model.Xd.front(), model.Yd.front()));
    const double inside = surfaces.coneInside;
    const double contact = surfaces.pipeContact;
    part.meetings.push_back({LineRole::CutCurve, [cone, apex, inside, mean, contact](Point3 p) {
                                 // The point's generatrix, from the radial part of its offset.
                                 const Point3 d = p - apex;
                                 const Point3 across = d - dot(d, cone.axis) * cone.axis;
                                 const double w = std::atan2(-across.y, dot(across, cone.atZero));
                                 const Point3 n = cone.normal(w);
                                 const auto gap = [&](double depth) {
                                     const Point3 q = p + (depth - mean) * n;
                                     return std::hypot(q.y, q.z) - contact;
                                 };
                                 return gap(depthOfMinimum(inside, 0.0, gap));
                             }});
    part.welded = weldedToPipe(cone, contact, surfaces.pipeOutside);
    part.meetings.push_back(
        {LineRole::EndEdge, [cone](Point3 p) { return dot(p - cone.freeEnd, cone.axis); }});
    const Point3 seam = cone.direction(cone.w0);
    part.meetings.push_back(
        {LineRole::SeamEdge, [apex, seam](Point3 p) { return fromLine(p, apex, seam); }});
    return part;
}

/**
 * The pipe's sheet with a wall: developed on its development surface, each face along the
 * radii; the hole cut square to the wall passes the cone's contact surface at every depth.
 */
DevelopedPart walledPipe(const Cone& cone, const ConePipeSurfaces& surfaces, bool setIn,
                         double shift) {
    const double rolled = surfaces.pipeDevelopment;
    const auto face = [rolled, shift](double radius) -> SheetSurface {
        return [rolled, shift, radius](PatternPoint p) {
            return onPipe(radius, p.x, (p.y - shift) / rolled);
        };
    };
    DevelopedPart part;
    part.contours = {0, 1};
    part.faces.push_back(face(surfaces.pipeOutside));
    part.faces.push_back(face(surfaces.pipeInside));
    part.measuredOn = face(rolled);
    const double inside = surfaces.pipeInside, outside = surfaces.pipeOutside;
    const double contact = surfaces.coneContact;
    part.meetings.push_back({LineRole::HoleOutline, [cone, inside, outside, contact](Point3 p) {
                                 const double angle = std::atan2(p.z, p.y);
                                 const auto gap = [&](double radius) {
                                     return cone.fromMantle(onPipe(radius, p.x, angle)) - contact;
                                 };
                                 return gap(depthOfMinimum(inside, outside, gap));
                             }});
    // A set-in cone's hole is prepared along the cone's outside; a set-on one's stays radial.
    if (setIn) {
        // Set in, the cone's contact surface is its outside.
        const auto mantle = [cone, contact](Point3 p) { return cone.fromMantle(p) - contact; };
        part.welded = WeldedCut{.partnerNear =
                                    [mantle](Point3) {
                                        return WeldPartner{mantle, mantle};
                                    },
                                .angleRound = roundTheCone(cone),
                                .role = LineRole::HoleOutline};
    }
    return part;
}

} // namespace

JointView conePipeView(const ConePipeModel& model) {
    const ConePipeInputs& in = model.inputs;
    const Cone cone(in);
    if (in.ts > 0 || in.tr > 0) {
        const ConePipeSurfaces surfaces = surfacesOf(in);
        JointView view;
        if (in.development == ConePipeDevelopment::Cone) {
            view.developed.push_back(walledCone(model, cone, surfaces));
            view.others.push_back(pipeAround(in, cone));
        } else {
            view.developed.push_back(
                walledPipe(cone, surfaces, in.joint == BranchJoint::SetIn, model.holeShift));
            view.developed.back().printedOutside = in.pipeMade == PartMaking::CutFromPipe;
            view.others.push_back(coneAround(in, cone));
        }
        return view;
    }
    const double R = in.Dr / 2;
    JointView view;
    DevelopedPart part;
    if (in.development == ConePipeDevelopment::Cone) {
        // Unrolled about the apex, the free end's circle turns by sin γ of its angle.
        const double middle = kPi * cone.sinGamma;
        part.contours = {0};
        part.faces.push_back([cone, middle](PatternPoint p) {
            const double w = cone.w0 + sectorAngle(p, middle) / cone.sinGamma;
            return cone.apex + std::hypot(p.x, p.y) * cone.direction(w);
        });
        part.measuredOn = part.faces.front();
        layGridBySector(part, middle, std::hypot(model.Xd.front(), model.Yd.front()));
        part.meetings.push_back(
            {LineRole::CutCurve, [R](Point3 p) { return std::hypot(p.y, p.z) - R; }});
        part.welded = weldedToPipe(cone, R, R);
        part.meetings.push_back(
            {LineRole::EndEdge, [cone](Point3 p) { return dot(p - cone.freeEnd, cone.axis); }});
        const Point3 seam = cone.direction(cone.w0);
        part.meetings.push_back(
            {LineRole::SeamEdge, [cone, seam](Point3 p) { return fromLine(p, cone.apex, seam); }});
        view.others.push_back(pipeAround(in, cone));
    } else {
        part.contours = {0, 1};
        part.printedOutside = in.pipeMade == PartMaking::CutFromPipe;
        // The sheet starts at its seam: the hole's place on it is moved by holeShift.
        const double shift = model.holeShift;
        part.faces.push_back(
            [R, shift](PatternPoint p) { return onPipe(R, p.x, (p.y - shift) / R); });
        part.measuredOn = part.faces.front();
        part.meetings.push_back(
            {LineRole::HoleOutline, [cone](Point3 p) { return cone.fromMantle(p); }});
        view.others.push_back(coneAround(in, cone));
    }
    view.developed.push_back(std::move(part));
    return view;
}

} // namespace blachorys::core
