#include "common/core/view3d/jointfit.h"

#include "common/core/base/numbertext.h"

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

JointFit measureFit(const Pattern& pattern, const JointView& joint) {
    JointFit fit;
    // A joint the view does not draw is not measured either: its segments alike would cost
    // seconds for the same figure.
    if (drawnFaces(joint) > kMostDrawnParts) {
        return fit;
    }
    const auto measure = [&](const DevelopedPart& part, const EdgeMeeting& meeting,
                             PatternPoint p) {
        const Point3 at = part.measuredOn(p);
        const double gap = std::fabs(meeting.distance(at));
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
