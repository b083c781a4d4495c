#include "cases/elbow/elbowview.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace blachorys::core {
namespace {

/**
 * One straight segment of the elbow, about the middle of its turn at angle c round the bend:
 * its axis there runs along the bend, its generator φ = 0 lies on the inner side.
 */
struct Segment {
    Segment(const ElbowInputs& in, double c, double radius)
        : radius(radius), middle(in.Rk * Point3{std::cos(c), 0.0, std::sin(c)}),
          outwards{std::cos(c), 0.0, std::sin(c)}, along{-std::sin(c), 0.0, std::cos(c)} {}

    /** The generator's point at φ, `s` along the axis from the segment's middle section. */
    Point3 at(double phi, double s) const {
        return middle + radius * (-std::cos(phi)) * outwards +
               Point3{0.0, radius * std::sin(phi), 0.0} + s * along;
    }

    double radius;
    Point3 middle;
    Point3 outwards;
    Point3 along;
};

/** How far a point lies from the plane through the bend's axis at angle α round it. */
double fromRadialPlane(Point3 p, double alpha) {
    return dot(p, Point3{-std::sin(alpha), 0.0, std::cos(alpha)});
}

/** A segment's seam: its generator at φ. */
EdgeMeeting seamOf(const Segment& segment, double phi) {
    return {LineRole::SeamEdge,
            [segment, phi](Point3 p) { return fromLine(p, segment.at(phi, 0.0), segment.along); }};
}

/**
 * A segment's cuts at its mitres, about angle c round the bend, each welded to the neighbour
 * beyond it (`sides`: +1 the mitre at c + δ, −1 at c − δ); the wall's outside `outside` from
 * every segment's axis.
 */
WeldedCut weldedAtMitres(const ElbowInputs& in, double c, double delta, std::vector<double> sides,
                         double outside) {
    const Segment own(in, c, outside);
    return {.partnerNear =
                [in, c, delta, sides, outside](Point3 p) {
                    double side = sides.front();
                    for (const double other : sides) {
                        if (std::fabs(fromRadialPlane(p, c + other * delta)) <
                            std::fabs(fromRadialPlane(p, c + side * delta))) {
                            side = other;
                        }
                    }
                    const double mitre = c + side * delta;
                    const Segment neighbour(in, c + 2 * side * delta, outside);
                    return WeldPartner{[mitre](Point3 q) { return fromRadialPlane(q, mitre); },
                                       [neighbour](Point3 q) {
                                           return fromLine(q, neighbour.middle, neighbour.along) -
                                                  neighbour.radius;
                                       }};
                },
            .angleRound =
                [own](Point3 p) {
                    const Point3 d = p - own.middle;
                    return std::atan2(d.y, -dot(d, own.outwards));
                },
            .butt = true};
}

} // namespace

JointView elbowView(const ElbowModel& model) {
    const ElbowInputs& in = model.inputs;
    const double delta = model.halfAngle;
    // The strips are developed on this radius; the wall's faces stand about it.
    const double r = model.developedDr / 2;
    const Wall wall = elbowWall(in);
    std::vector<double> faceRadii{r};
    if (wall.thickness > 0.0) {
        faceRadii = {radiusOf(wall, in.Dr / 2, WallSurface::Outside),
                     radiusOf(wall, in.Dr / 2, WallSurface::Inside)};
    }
    JointView view;
    std::vector<bool> drawn(model.strips.size(), false);

    const auto part = [&](int segment, double c, double sideways, double upwards) {
        const std::size_t strip = model.stripOf(segment);
        const double seam = model.strips[strip].seam;
        const double base = model.strips[strip].base;
        DevelopedPart p;
        p.contours = {strip};
        // Pattern A from its base line, B from its centre line, each from its seam; the last A
        // turned round. A point keeps its angle round the pipe and its place along it on every
        // face.
        const auto on = [r, seam, sideways, base, upwards](const Segment& segment) {
            return [segment, r, seam, sideways, base, upwards](PatternPoint q) {
                return segment.at(sideways * (seam + q.x / r), upwards * (q.y - base));
            };
        };
        const Segment developed(in, c, r);
        p.measuredOn = on(developed);
        for (const double radius : faceRadii) {
            p.faces.push_back(on(Segment(in, c, radius)));
        }
        p.meetings.push_back(seamOf(developed, sideways * seam));
        p.labelled = !drawn[strip];
        drawn[strip] = true;
        p.printedOutside = in.made == PartMaking::CutFromPipe;
        return p;
    };

    DevelopedPart first = part(0, 0.0, 1.0, 1.0);
    first.meetings.push_back(
        {LineRole::CutCurve, [delta](Point3 p) { return fromRadialPlane(p, delta); }});
    first.meetings.push_back({LineRole::EndEdge, [](Point3 p) { return fromRadialPlane(p, 0.0); }});
    first.welded = weldedAtMitres(in, 0.0, delta, {1.0}, faceRadii.front());
    view.developed.push_back(std::move(first));

    for (int i = 1; i + 1 < in.Ns; ++i) {
        const double c = 2 * i * delta;
        DevelopedPart middle = part(i, c, 1.0, 1.0);
        middle.meetings.push_back({LineRole::CutCurve, [c, delta](Point3 p) {
                                       return std::min(std::fabs(fromRadialPlane(p, c - delta)),
                                                       std::fabs(fromRadialPlane(p, c + delta)));
                                   }});
        middle.welded = weldedAtMitres(in, c, delta, {-1.0, 1.0}, faceRadii.front());
        view.developed.push_back(std::move(middle));
    }

    const double end = 2 * (in.Ns - 1) * delta;
    DevelopedPart last = part(in.Ns - 1, end, -1.0, -1.0);
    last.meetings.push_back(
        {LineRole::CutCurve, [end, delta](Point3 p) { return fromRadialPlane(p, end - delta); }});
    last.meetings.push_back(
        {LineRole::EndEdge, [end](Point3 p) { return fromRadialPlane(p, end); }});
    last.welded = weldedAtMitres(in, end, delta, {-1.0}, faceRadii.front());
    view.developed.push_back(std::move(last));
    return view;
}

} // namespace blachorys::core
