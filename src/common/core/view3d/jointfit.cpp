#include "common/core/view3d/jointfit.h"

#include "common/core/base/numbertext.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace blachorys::core {
namespace {

const EdgeMeeting* meetingOf(const DevelopedPart& part, LineRole role) {
    for (const EdgeMeeting& meeting : part.meetings) {
        if (meeting.role == role) {
            return &meeting;
        }
    }
    return nullptr;
}

std::string nearestMark(const Pattern& pattern, PatternPoint at) {
    double nearest = std::numeric_limits<double>::infinity();
    std::string name;
    for (const PointMark& mark : pattern.points) {
        const double d = std::hypot(mark.x - at.x, mark.y - at.y);
        if (d < nearest) {
            nearest = d;
            name = mark.text;
        }
    }
    return name;
}

} // namespace

JointFit measureFit(const Pattern& pattern, const JointView& joint, const PreparedEdges* edges) {
    JointFit fit;
    // A joint the view does not draw is not measured either: its segments alike would cost
    // seconds for the same figure.
    if (drawnFaces(joint) > kMostDrawnParts) {
        return fit;
    }
    const auto measureAt = [&](const DistanceTo& distance, Point3 at, PatternPoint p) {
        const double gap = std::fabs(distance(at));
        if (!std::isfinite(gap)) {
            return;
        }
        if (!fit.measured || gap > fit.largestGap) {
            fit.measured = true;
            fit.largestGap = gap;
            fit.where = at;
            fit.patternWhere = p;
        }
    };
    const auto measure = [&](const DevelopedPart& part, const EdgeMeeting& meeting,
                             PatternPoint p) {
        measureAt(meeting.distance, part.measuredOn(p), p);
    };
    // Through the wall, from where the cut leaves the near face to where it leaves the far one,
    // each point from the surface the cut is fitted to there. The torch cuts the flat plate
    // along a straight line: the layer a share into the wall is cut that share of the way from
    // the near edge to the far one, and lies that share of the way across the wall there.
    const auto measureThrough = [&](const DevelopedPart& part, PatternPoint nearEdge,
                                    PatternPoint farEdge) {
        for (const double share : {0.0, 0.25, 0.5, 0.75, 1.0}) {
            const PatternPoint q{nearEdge.x + share * (farEdge.x - nearEdge.x),
                                 nearEdge.y + share * (farEdge.y - nearEdge.y)};
            const Point3 near = part.faces.front()(q);
            const Point3 at = near + share * (part.faces.back()(q) - near);
            measureAt(part.welded->partnerNear(at).contact, at, nearEdge);
        }
    };
    for (const DevelopedPart& part : joint.developed) {
        if (!part.measuredOn) {
            continue;
        }
        for (const std::size_t c : part.contours) {
            if (c >= pattern.exactContours.size()) {
                continue;
            }
            const Contour& contour = pattern.exactContours[c];
            const auto& points = contour.points;
            for (std::size_t k = 0; k < points.size(); ++k) {
                const EdgeMeeting* meeting = meetingOf(part, contour.roles[k]);
                if (meeting == nullptr) {
                    continue;
                }
                const PatternPoint a = points[k];
                const PatternPoint b = points[(k + 1) % points.size()];
                measure(part, *meeting, a);
                measure(part, *meeting, {(a.x + b.x) / 2, (a.y + b.y) / 2});
                measure(part, *meeting, b);
            }
        }
    }
    if (edges != nullptr && edges->choice == EdgeChoice::Fit) {
        for (const EdgeRun& run : edges->runs) {
            if (run.contour >= pattern.exactContours.size() ||
                run.nearEdge.size() != run.vertices.size() ||
                run.farEdge.size() != run.vertices.size()) {
                continue;
            }
            for (const DevelopedPart& part : joint.developed) {
                if (part.faces.size() < 2 || !part.welded ||
                    std::find(part.contours.begin(), part.contours.end(), run.contour) ==
                        part.contours.end()) {
                    continue;
                }
                const Contour& contour = pattern.exactContours[run.contour];
                const std::size_t n = contour.roles.size();
                // Only the welded cut's own lines, not the seam or the end that a run reaches.
                const auto onTheCut = [&](std::size_t v) {
                    return contour.roles[v % n] == part.welded->role ||
                           contour.roles[(v + n - 1) % n] == part.welded->role;
                };
                for (std::size_t k = 0; k < run.vertices.size(); ++k) {
                    if (n == 0 || !onTheCut(run.vertices[k])) {
                        continue;
                    }
                    measureThrough(part, run.nearEdge[k], run.farEdge[k]);
                    if (k + 1 < run.vertices.size() &&
                        contour.roles[run.vertices[k] % n] == part.welded->role) {
                        const auto middle = [](PatternPoint a, PatternPoint b) {
                            return PatternPoint{(a.x + b.x) / 2, (a.y + b.y) / 2};
                        };
                        measureThrough(part, middle(run.nearEdge[k], run.nearEdge[k + 1]),
                                       middle(run.farEdge[k], run.farEdge[k + 1]));
                    }
                }
            }
        }
    }
    if (fit.measured) {
        fit.nearestPoint = nearestMark(pattern, fit.patternWhere);
    }
    return fit;
}

std::string fitText(const JointFit& fit) {
    if (!fit.measured) {
        return "Szczelina złącza: nie zmierzono";
    }
    std::string text = "Największa szczelina złącza: " + formatFixed(fit.largestGap, 2) + " mm";
    if (fit.largestGap > kGapShownRed && !fit.nearestPoint.empty()) {
        text += " (przy punkcie " + fit.nearestPoint + ")";
    }
    return text;
}

} // namespace blachorys::core
