#include "cases/cone/coneview.h"

#include "common/core/geometry/coneunrolling.h"
#include "common/core/walls/coneplate.h"
#include "common/core/walls/walloffset.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

/**
 * An oblique cone's plate: both faces and the mean surface over the pattern rolled back
 * generator by generator, in the cone's frame (the Dsd edge's centre at the origin, the Dsm
 * edge's at (E, 0, Hs)).
 */
DevelopedPart obliquePlate(const ConeModel& model) {
    const ConeInputs& in = model.inputs;
    const ConeMantle typed = typedMantle(in);
    const auto plate =
        std::make_shared<const RolledConePlate>(typed, *model.typedOutline, meanDepth(in));
    // From the mantle's frame (apex at the origin, the large end at Zd): the section angle's
    // zero lies a quarter turn from the direction of E.
    const double Zd = typed.Zd();
    const double ed = typed.centreAt(Zd);
    const auto inCone = [Zd, ed](Point3 c) { return Point3{ed - c.y, c.x, Zd - c.z}; };
    const auto face = [plate, inCone](double depth) -> SheetSurface {
        return [plate, inCone, depth](PatternPoint p) {
            const auto [phi, height] = plate->under(p);
            return inCone(plate->pointAt(phi, height, depth));
        };
    };
    const Wall wall = coneWall(in);
    DevelopedPart part;
    part.contours = {0};
    part.faces.push_back(face(wall.outwardOfTyped(WallSurface::Outside)));
    part.faces.push_back(face(wall.outwardOfTyped(WallSurface::Inside)));
    part.measuredOn = face(meanDepth(in));
    layGridBySector(part, plate->middle(), std::hypot(model.Xd.front(), model.Yd.front()));
    part.meetings.push_back({LineRole::EndEdge, [](Point3 p) { return p.z; }});
    part.meetings.push_back({LineRole::StartEdge, [Hs = in.Hs](Point3 p) { return p.z - Hs; }});
    const Point3 foot = inCone(plate->pointAt(plate->seam(), 0.0, meanDepth(in)));
    const Point3 along = inCone(plate->pointAt(plate->seam(), 1.0, meanDepth(in)));
    part.meetings.push_back({LineRole::SeamEdge, [foot, seam = along - foot](Point3 p) {
                                 return fromLine(p, foot, seam);
                             }});
    return part;
}

} // namespace

JointView coneView(const ConeModel& model) {
    const ConeInputs& in = model.inputs;
    if (model.typedOutline) {
        JointView view;
        view.developed.push_back(obliquePlate(model));
        return view;
    }
    // The pattern is the plate's mean surface (the typed one without a thickness).
    const double Rd = model.developed.Dsd / 2;
    // Angles on the edges run from the direction of E; the seam's at alfa + 90°.
    const double w0 = in.alfa * kPi / 180 + kPi / 2;
    const Point3 apex{model.a, 0.0, model.H};
    const auto unrolling = std::make_shared<const ConeUnrolling>(
        apex,
        [Rd](double w) {
            return Point3{Rd * std::cos(w), Rd * std::sin(w), 0.0};
        },
        w0, w0 + 2 * kPi, kUnrollingStepsPerTurn);
    const double middle = unrolling->totalAngle() / 2;
    DevelopedPart part;
    part.contours = {0};
    part.measuredOn = [unrolling, middle](PatternPoint p) {
        return unrolling->pointAt(std::hypot(p.x, p.y), sectorAngle(p, middle));
    };
    if (in.t > 0.0) {
        // The plate's outside and inside, half its thickness either side of the mean surface.
        const Point3 axisTop{in.E, 0.0, in.Hs};
        for (const double outward : {in.t / 2, -in.t / 2}) {
            part.faces.push_back(offsetAlongNormal(part.measuredOn, outward, {}, axisTop));
        }
    } else {
        part.faces.push_back(part.measuredOn);
    }
    layGridBySector(part, middle, std::hypot(model.Xd.front(), model.Yd.front()));
    part.meetings.push_back({LineRole::EndEdge, [](Point3 p) { return p.z; }});
    part.meetings.push_back({LineRole::StartEdge, [Hs = in.Hs](Point3 p) { return p.z - Hs; }});
    const Point3 seam = unrolling->direction(w0);
    part.meetings.push_back(
        {LineRole::SeamEdge, [apex, seam](Point3 p) { return fromLine(p, apex, seam); }});
    JointView view;
    view.developed.push_back(std::move(part));
    return view;
}

} // namespace blachorys::core
