#include "cases/cone/coneview.h"

#include "common/core/coneunrolling.h"
#include "common/core/walloffset.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

/** The pattern's angle about the apex, on the turn that holds the sector round its middle. */
double sectorAngle(PatternPoint p, double middle) {
    const double psi = std::atan2(p.y, p.x);
    return psi + 2 * kPi * std::round((middle - psi) / (2 * kPi));
}

} // namespace

JointView coneView(const ConeModel& model) {
    const ConeInputs& in = model.inputs;
    // The pattern is the plate's mean surface (the typed one without a thickness).
    const double Rd = model.developed.Dsd / 2;
    // Angles on the edges run from the direction of E; the seam's at alfa + 90°.
    const double w0 = in.alfa * kPi / 180 + kPi / 2;
    const Point3 apex{model.a, 0.0, model.H};
    const auto unrolling = std::make_shared<const ConeUnrolling>(
        apex, [Rd](double w) { return Point3{Rd * std::cos(w), Rd * std::sin(w), 0.0}; }, w0,
        w0 + 2 * kPi, kUnrollingStepsPerTurn);
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
