#include "cases/pipe_cone/pipeconeview.h"

#include "common/core/geometry/coneunrolling.h"
#include "common/core/geometry/depthsearch.h"
#include "common/core/view3d/laidflat.h"
#include "common/core/walls/coneplate.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

/** The cone's frame (apex at the origin, z along its axis) and the joint's space. */
struct ConeFrame {
    double Zm;
    Point3 toSpace(Point3 c) const { return {c.z - Zm, c.x, c.y}; }
    Point3 toCone(Point3 s) const { return {s.y, s.z, s.x + Zm}; }
};

/**
 * The pipe in the cone's frame: its axis through A, up the side of positive y at β to the
 * cone's axis; round it the generator at θ = 0 on the large end's side, θ = 90° towards −x.
 */
struct Pipe {
    Pipe(const PipeConeInputs& in, const ConeMantle& cone)
        : radius(in.Dr / 2),
          theta0(in.alfa * kPi / 180), base{in.P, cone.centreAt(cone.Zm() + in.Lm),
                                            cone.Zm() + in.Lm},
          axis{0.0, std::sin(in.BETA * kPi / 180), std::cos(in.BETA * kPi / 180)}, atZero{0.0,
                                                                                          -axis.z,
                                                                                          axis.y},
          endFace(in.Hr / axis.y) {}

    /** The generator's point at θ, `along` its axis from the end face (negative: below it). */
    Point3 at(double theta, double along) const { return atRadius(radius, theta, along); }

    /** The same on the layer of the wall `rho` from the axis. */
    Point3 atRadius(double rho, double theta, double along) const {
        return base + rho * std::cos(theta) * atZero + Point3{-rho * std::sin(theta), 0.0, 0.0} +
               (endFace + along) * axis;
    }

    /** The angle round the axis and the distance along it from the end face of a point. */
    std::pair<double, double> angleAndAlong(Point3 c) const {
        const Point3 d = c - (base + endFace * axis);
        const double along = dot(d, axis);
        const Point3 radial = d - along * axis;
        return {std::atan2(-radial.x, dot(radial, atZero)), along};
    }

    double radius;
    double theta0;
    Point3 base;
    Point3 axis;
    Point3 atZero;
    double endFace; ///< the end face's distance from the base point along the axis
};

/**
 * How far along `direction` from `from` the line meets the cone, the meeting on the side of
 * positive y (the pipe's end face's side), or nothing where it misses.
 */
std::optional<double> meetCone(const ConeMantle& cone, Point3 from, Point3 direction) {
    const double lean = cone.E / cone.Hs;
    const double slope = (cone.Dsd - cone.Dsm) / (2 * cone.Hs);
    const double w0 = from.y - lean * from.z;
    const double w1 = direction.y - lean * direction.z;
    const double k2 = slope * slope;
    const double a = direction.x * direction.x + w1 * w1 - k2 * direction.z * direction.z;
    const double b = 2 * (from.x * direction.x + w0 * w1 - k2 * from.z * direction.z);
    const double c = from.x * from.x + w0 * w0 - k2 * from.z * from.z;
    if (std::fabs(a) < 1e-12) {
        return std::fabs(b) > 0 ? std::optional(-c / b) : std::nullopt;
    }
    const double d = b * b - 4 * a * c;
    if (d < 0) {
        return std::nullopt;
    }
    const double root = std::sqrt(d);
    return std::max((-b - root) / (2 * a), (-b + root) / (2 * a));
}

/** How far below the end face the pipe's generator at θ meets the cone; 0 where it misses. */
double reach(const ConeMantle& cone, const Pipe& pipe, double theta) {
    const Point3 top = pipe.at(theta, 0.0);
    const std::optional<double> s = meetCone(cone, top, pipe.axis);
    return s ? -*s : 0.0;
}

/** How far a point of the cone's frame lies from the mantle, to the first order. */
double fromMantle(const ConeMantle& cone, Point3 p) {
    const double lean = cone.E / cone.Hs;
    const double slope = (cone.Dsd - cone.Dsm) / (2 * cone.Hs);
    const double across = p.y - cone.centreAt(p.z);
    const double aside = std::hypot(p.x, across);
    const double off = aside - cone.radiusAt(p.z);
    // The gradient's length: 1 across the section, and the section's change along z.
    const double alongZ = aside > 0 ? -across / aside * lean - slope : -slope;
    return off / std::sqrt(1 + alongZ * alongZ);
}

/**
 * A point of the mantle at section angle φ (from the reference generator) and height z; with
 * `outward`, of the surface that far outward of it (negative: inward), measured square to the
 * generator of the cone without its lean.
 */
Point3 onMantle(const ConeMantle& cone, double phi, double z, double outward = 0.0) {
    const double slope = (cone.Dsd - cone.Dsm) / (2 * cone.Hs);
    const double R = cone.radiusAt(z) + outward * std::sqrt(1 + slope * slope);
    return {R * std::cos(phi), cone.centreAt(z) + R * std::sin(phi), z};
}

/**
 * The mantle laid out flat by its section angle and height, from half a turn past the hole's
 * middle (so that the hole is never split), with the hole where the pipe meets it.
 */
OtherPart mantleAround(const ConeMantle& cone, const Pipe& pipe, const ConeFrame& frame,
                       const PipeConeSurfaces& surfaces) {
    std::vector<Point3> meetings;
    double sine = 0.0;
    double cosine = 0.0;
    for (int k = 0; k < kOtherCutSteps; ++k) {
        const double theta = pipe.theta0 + 2 * kPi * k / kOtherCutSteps;
        const Point3 m = pipe.at(theta, -reach(cone, pipe, theta));
        const double phi = std::atan2(m.y - cone.centreAt(m.z), m.x);
        sine += std::sin(phi);
        cosine += std::cos(phi);
        meetings.push_back(m);
    }
    const double start = std::atan2(sine, cosine) + kPi;
    const double low = std::min(cone.Zm(), cone.Zd());
    const double high = std::max(cone.Zm(), cone.Zd());
    // Round by the arc of the middle section, so that the squares are nearly square.
    const double R = std::max(1e-9, std::fabs(cone.radiusAt((low + high) / 2)));
    OtherPart mantle;
    mantle.rings.push_back({{0.0, low}, {2 * kPi * R, low}, {2 * kPi * R, high}, {0.0, high}});
    mantle.edgesShown.push_back({true, false, true, false});
    std::vector<PatternPoint> hole;
    for (const Point3 m : meetings) {
        const double phi = std::atan2(m.y - cone.centreAt(m.z), m.x);
        const double around = phi - start - 2 * kPi * std::floor((phi - start) / (2 * kPi));
        hole.push_back({around * R, m.z});
    }
    mantle.rings.push_back(std::move(hole));
    mantle.faces.push_back([cone, frame, start, R](PatternPoint p) {
        return frame.toSpace(onMantle(cone, start + p.x / R, p.y));
    });
    if (surfaces.coneInside != 0.0) {
        const double inside = surfaces.coneInside;
        mantle.faces.push_back([cone, frame, start, R, inside](PatternPoint p) {
            return frame.toSpace(onMantle(cone, start + p.x / R, p.y, inside));
        });
    }
    return mantle;
}

/** The pipe laid out flat as its template is, from the cone up to its end face. */
OtherPart pipeAround(const ConeMantle& cone, const Pipe& pipe, const ConeFrame& frame,
                     const PipeConeSurfaces& surfaces) {
    OtherPart part = branchLaidFlat(2 * kPi * pipe.radius, [&](double x) {
        return -reach(cone, pipe, pipe.theta0 + x / pipe.radius);
    });
    for (const double rho : {surfaces.pipeOutside, surfaces.pipeInside}) {
        part.faces.push_back([pipe, frame, rho](PatternPoint p) {
            return frame.toSpace(pipe.atRadius(rho, pipe.theta0 + p.x / pipe.radius, p.y));
        });
        if (surfaces.pipeInside == surfaces.pipeOutside) {
            break;
        }
    }
    return part;
}

Point3 inSpace(const ConeFrame& frame, Point3 c) {
    return frame.toSpace({c.x, c.y, c.z});
}

/**
 * The mantle with a wall: both faces of the plate over the pattern rolled back from its mean
 * surface, the hole cut square to the plate passing the pipe's contact surface at every depth.
 */
DevelopedPart walledMantle(const PipeConeModel& model, const ConeMantle& cone,
                           const ConeFrame& frame, const Pipe& pipe,
                           const PipeConeSurfaces& surfaces) {
    const bool setIn = model.inputs.joint == BranchJoint::SetIn;
    const auto plate =
        std::make_shared<const RolledConePlate>(cone, model.outline, surfaces.coneDevelopment);
    const auto face = [plate, frame](double depth) -> SheetSurface {
        return [plate, frame, depth](PatternPoint p) {
            const auto [phi, height] = plate->under(p);
            return inSpace(frame, plate->pointAt(phi, height, depth));
        };
    };
    DevelopedPart part;
    part.contours = {0, 1};
    part.faces.push_back(face(0.0));
    part.faces.push_back(face(surfaces.coneInside));
    part.measuredOn = face(surfaces.coneDevelopment);
    layGridBySector(part, plate->middle(),
                    std::hypot(model.outline.Xd.front(), model.outline.Yd.front()));
    const double inside = surfaces.coneInside;
    const double mean = surfaces.coneDevelopment;
    const double contact = surfaces.pipeContact;
    part.meetings.push_back(
        {LineRole::HoleOutline, [plate, frame, pipe, inside, mean, contact](Point3 p) {
             // The point's normal through the plate: the same φ and height at every depth.
             const Point3 c = frame.toCone(p);
             const std::pair<double, double> under = plate->under(Point3{c.x, c.y, c.z}, mean);
             const auto gap = [&](double depth) {
                 const Point3 q = plate->pointAt(under.first, under.second, depth);
                 return fromLine({q.x, q.y, q.z}, pipe.base, pipe.axis) - contact;
             };
             return gap(depthOfMinimum(inside, 0.0, gap));
         }});
    const double Zd = cone.Zd();
    const double Zm = cone.Zm();
    part.meetings.push_back(
        {LineRole::EndEdge, [frame, Zd](Point3 p) { return frame.toCone(p).z - Zd; }});
    part.meetings.push_back(
        {LineRole::StartEdge, [frame, Zm](Point3 p) { return frame.toCone(p).z - Zm; }});
    const Point3 foot = plate->pointAt(0.0, 0.0, mean);
    const Point3 along = plate->pointAt(0.0, 1.0, mean);
    const Point3 through{foot.x, foot.y, foot.z};
    const Point3 seam = Point3{along.x, along.y, along.z} - through;
    part.meetings.push_back({LineRole::SeamEdge, [frame, through, seam](Point3 p) {
                                 return fromLine(frame.toCone(p), through, seam);
                             }});
    // A set-in pipe's hole is prepared along the pipe's outside; a set-on one's stays square.
    if (setIn) {
        const auto round = [frame, pipe, outside = surfaces.pipeOutside](Point3 p) {
            return fromLine(frame.toCone(p), pipe.base, pipe.axis) - outside;
        };
        part.welded = WeldedCut{
            .partnerNear =
                [round](Point3) {
                    return WeldPartner{round, round};
                },
            .angleRound = [pipe,
                           frame](Point3 p) { return pipe.angleAndAlong(frame.toCone(p)).first; },
            .role = LineRole::HoleOutline};
    }
    return part;
}

} // namespace

JointView pipeConeView(const PipeConeModel& model) {
    const PipeConeInputs& in = model.inputs;
    const bool walled = in.tr > 0 || in.ts > 0;
    const ConeMantle cone = coneMantle(in);
    const ConeFrame frame{cone.Zm()};
    const Pipe pipe(in, cone);
    JointView view;
    DevelopedPart part;
    if (in.development == PipeConeDevelopment::Pipe) {
        // Round the pipe by the developed length; each face of its wall along the same lines.
        const PipeConeSurfaces surfaces = surfacesOf(in);
        const double rolled = surfaces.pipeDevelopment;
        const auto face = [pipe, frame, rolled](double rho) -> SheetSurface {
            return [pipe, frame, rolled, rho](PatternPoint p) {
                return frame.toSpace(pipe.atRadius(rho, pipe.theta0 + p.x / rolled, p.y));
            };
        };
        part.contours = {0};
        part.printedOutside = in.pipeMade == PartMaking::CutFromPipe;
        part.faces.push_back(face(surfaces.pipeOutside));
        if (surfaces.pipeInside != surfaces.pipeOutside) {
            part.faces.push_back(face(surfaces.pipeInside));
        }
        part.measuredOn = face(surfaces.pipeContact);
        // The end is cut square through the wall: of the layers along the cut point's
        // generator, the one nearest the cone rests on its contact surface and none enters it.
        const double contact = surfaces.coneContact;
        const double inside = surfaces.pipeInside, outside = surfaces.pipeOutside;
        part.meetings.push_back(
            {LineRole::CutCurve, [cone, frame, pipe, contact, inside, outside](Point3 p) {
                 const std::pair<double, double> at = pipe.angleAndAlong(frame.toCone(p));
                 const auto gap = [&](double rho) {
                     return fromMantle(cone, pipe.atRadius(rho, at.first, at.second)) - contact;
                 };
                 return gap(depthOfMinimum(inside, outside, gap));
             }});
        // The cone's outside face is its typed surface, depth 0.
        part.welded = WeldedCut{
            .partnerNear =
                [cone, frame, contact](Point3) {
                    return WeldPartner{
                        [cone, frame, contact](Point3 p) {
                            return fromMantle(cone, frame.toCone(p)) - contact;
                        },
                        [cone, frame](Point3 p) { return fromMantle(cone, frame.toCone(p)); }};
                },
            .angleRound = [pipe,
                           frame](Point3 p) { return pipe.angleAndAlong(frame.toCone(p)).first; }};
        view.others.push_back(mantleAround(cone, pipe, frame, surfaces));
    } else if (walled) {
        part = walledMantle(model, cone, frame, pipe, surfacesOf(in));
        view.others.push_back(pipeAround(cone, pipe, frame, surfacesOf(in)));
    } else {
        const double Zd = cone.Zd();
        const auto unrolling = std::make_shared<const ConeUnrolling>(
            Point3{}, [cone, Zd](double phi) { return onMantle(cone, phi, Zd); }, 0.0, 2 * kPi,
            kUnrollingStepsPerTurn);
        const double middle = unrolling->totalAngle() / 2;
        part.contours = {0, 1};
        part.faces.push_back([unrolling, frame, middle](PatternPoint p) {
            return frame.toSpace(unrolling->pointAt(std::hypot(p.x, p.y), sectorAngle(p, middle)));
        });
        part.measuredOn = part.faces.front();
        layGridBySector(part, middle,
                        std::hypot(model.outline.Xd.front(), model.outline.Yd.front()));
        part.meetings.push_back({LineRole::HoleOutline, [pipe, frame](Point3 p) {
                                     return fromLine(frame.toCone(p), pipe.base, pipe.axis) -
                                            pipe.radius;
                                 }});
        const double Zm = cone.Zm();
        part.meetings.push_back(
            {LineRole::EndEdge, [frame, Zd](Point3 p) { return frame.toCone(p).z - Zd; }});
        part.meetings.push_back(
            {LineRole::StartEdge, [frame, Zm](Point3 p) { return frame.toCone(p).z - Zm; }});
        const Point3 cut = unrolling->direction(0.0);
        part.meetings.push_back({LineRole::SeamEdge, [frame, cut](Point3 p) {
                                     return fromLine(frame.toCone(p), Point3{}, cut);
                                 }});
        view.others.push_back(pipeAround(cone, pipe, frame, surfacesOf(in)));
    }
    view.developed.push_back(std::move(part));
    return view;
}

} // namespace blachorys::core
