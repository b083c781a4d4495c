#include "common/core/view3d/edgepreparation.h"

#include "common/core/base/numbertext.h"
#include "common/core/geometry/ring.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/** Steps of the differences that give tangents and normals, mm. */
constexpr double kStep = 1e-4;
/** A shift along the pattern is found to this, mm. */
constexpr double kShiftTolerance = 1e-9;

double degrees(double radians) {
    return radians * 180.0 / kPi;
}

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

PatternPoint along(PatternPoint p, PatternPoint direction, double s) {
    return {p.x + s * direction.x, p.y + s * direction.y};
}

/**
 * Where along `s` the function crosses 0, nearest 0: Newton's steps, which take a few for the
 * nearly straight functions of a cut, then a bracketing search if those wander.
 */
std::optional<double> crossing(const std::function<double(double)>& f, double span) {
    double s = 0.0;
    for (int i = 0; i < 40; ++i) {
        const double value = f(s);
        if (!std::isfinite(value)) {
            break;
        }
        if (std::fabs(value) < kShiftTolerance) {
            return s;
        }
        const double slope = (f(s + kStep) - f(s - kStep)) / (2 * kStep);
        if (!(std::fabs(slope) > 1e-9)) {
            break;
        }
        const double next = s - value / slope;
        if (!(std::fabs(next) <= span)) {
            break;
        }
        s = next;
    }
    constexpr int kSteps = 64;
    for (int k = 1; k <= kSteps; ++k) {
        for (const double sign : {1.0, -1.0}) {
            double a = sign * span * (k - 1) / kSteps;
            double b = sign * span * k / kSteps;
            double fa = f(a);
            const double fb = f(b);
            if (!std::isfinite(fa) || !std::isfinite(fb) || (fa > 0) == (fb > 0)) {
                continue;
            }
            for (int i = 0; i < 80 && std::fabs(b - a) > kShiftTolerance; ++i) {
                const double m = (a + b) / 2;
                const double fm = f(m);
                if ((fm > 0) == (fa > 0)) {
                    a = m;
                    fa = fm;
                } else {
                    b = m;
                }
            }
            return (a + b) / 2;
        }
    }
    return std::nullopt;
}

Point3 gradient(const DistanceTo& distance, Point3 p) {
    const auto diff = [&](Point3 d) {
        return (distance(p + kStep * d) - distance(p - kStep * d)) / (2 * kStep);
    };
    return {diff({1, 0, 0}), diff({0, 1, 0}), diff({0, 0, 1})};
}

/** The outward normal of a part's outside face at a point of the pattern. */
Point3 outwardNormal(const DevelopedPart& part, PatternPoint q) {
    const SheetSurface& outside = part.faces.front();
    const Point3 du = outside({q.x + kStep, q.y}) - outside({q.x - kStep, q.y});
    const Point3 dv = outside({q.x, q.y + kStep}) - outside({q.x, q.y - kStep});
    const Point3 n = unit(cross(du, dv));
    const Point3 out = outside(q) - part.faces.back()(q);
    return dot(n, out) < 0 ? -1.0 * n : n;
}

bool isCutVertex(const Contour& contour, std::size_t k, LineRole role) {
    const std::size_t n = contour.points.size();
    return contour.roles[k] == role || contour.roles[(k + n - 1) % n] == role;
}

/** A reported point found on a cut edge of an exact contour: its vertex there. */
struct CutVertex {
    const Contour* contour = nullptr;
    std::size_t index = 0;
};

/** A point's exact coordinates, −0 taken as 0: the exact curves pass through every reported point.
 */
std::pair<double, double> placeOf(PatternPoint p) {
    return {p.x + 0.0, p.y + 0.0};
}

/** The vertices of each contour by their exact places, made once for every mark. */
using VertexPlaces = std::map<std::pair<double, double>, std::vector<std::size_t>>;

VertexPlaces vertexPlaces(const Contour& contour) {
    VertexPlaces places;
    for (std::size_t k = 0; k < contour.points.size(); ++k) {
        places[placeOf(contour.points[k])].push_back(k);
    }
    return places;
}

/** The cut vertex of `contour` at `p`, where the point lies exactly, or nothing. */
std::optional<CutVertex> cutVertexAt(const Contour& contour, const VertexPlaces& places,
                                     PatternPoint p, LineRole role) {
    if (const auto exact = places.find(placeOf(p)); exact != places.end()) {
        for (const std::size_t k : exact->second) {
            if (isCutVertex(contour, k, role)) {
                return CutVertex{&contour, k};
            }
        }
    }
    return std::nullopt;
}

/** 1 where a contour's inside lies left of its run, −1 where right. */
double insideSide(const Contour& contour) {
    // A piece's interior lies left of its outline run anticlockwise, a hole's right.
    return (ringArea(contour.points) > 0) == (contour.kind == OutlineKind::Piece) ? 1.0 : -1.0;
}

/** The unit direction square to the cut line at the vertex, into the piece. */
PatternPoint inwardsAt(const CutVertex& vertex, LineRole role, double side) {
    const Contour& c = *vertex.contour;
    const std::size_t n = c.points.size();
    const std::size_t k = vertex.index;
    const std::size_t before = (k + n - 1) % n;
    const std::size_t after = (k + 1) % n;
    const PatternPoint from = c.roles[before] == role ? c.points[before] : c.points[k];
    const PatternPoint to = c.roles[k] == role ? c.points[after] : c.points[k];
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    const PatternPoint tangent{(to.x - from.x) / length, (to.y - from.y) / length};
    return {-side * tangent.y, side * tangent.x};
}

/** The edge at one point: its ψ, and where the cut leaves each face as `settings` ask. */
std::optional<EdgePoint> edgeAt(const DevelopedPart& part, PatternPoint at, PatternPoint inwards,
                                double thickness, const EdgeSettings& settings) {
    const WeldedCut& welded = *part.welded;
    const SheetSurface& nearFace = part.faces.front();
    const SheetSurface& farFace = part.faces.back();
    const WeldPartner partner = welded.partnerNear(nearFace(at));
    const double span = 20 * thickness + 100.0;
    const auto onFace = [&](const SheetSurface& face, const DistanceTo& surface) {
        return crossing([&](double s) { return surface(face(along(at, inwards, s))); }, span);
    };
    const std::optional<double> outsidesMeet = onFace(nearFace, partner.outside);
    const std::optional<double> nearFit = onFace(nearFace, partner.contact);
    const std::optional<double> farFit = onFace(farFace, partner.contact);
    if (!outsidesMeet || !nearFit || !farFit) {
        return std::nullopt;
    }
    const PatternPoint meeting = along(at, inwards, *outsidesMeet);
    const Point3 own = outwardNormal(part, meeting);
    const Point3 other = unit(gradient(partner.outside, nearFace(meeting)));
    EdgePoint point;
    point.at = at;
    point.inwards = inwards;
    const double around = std::fmod(degrees(welded.angleRound(nearFace(at))), 360.0);
    point.aroundDeg = around < 0 ? around + 360.0 : around;
    point.psiDeg = 180.0 - degrees(std::acos(std::clamp(dot(own, other), -1.0, 1.0)));
    const double fitTilt = std::atan((*nearFit - *farFit) / thickness);
    if (settings.choice == EdgeChoice::Fit) {
        point.nearShift = *nearFit;
        point.farShift = *farFit;
        point.tiltDeg = degrees(fitTilt);
    } else if (settings.choice == EdgeChoice::Groove) {
        const double share = welded.butt ? 0.5 : 1.0;
        // The gap is square to the other part's surface; along the pattern it takes longer
        // where the cut meets that surface aslant.
        const auto rootDistance = [&](double s) {
            return partner.contact(farFace(along(at, inwards, s)));
        };
        const double rate =
            std::fabs(rootDistance(*farFit + kStep) - rootDistance(*farFit - kStep)) / (2 * kStep);
        if (!(rate > 1e-3)) {
            return std::nullopt;
        }
        const double gap = share * settings.rootGap / rate;
        const double wanted = fitTilt + radians(share * settings.grooveAngle);
        // Past the head's limit the bevel goes as far as the head does, and the groove is
        // narrower there: an acute corner may leave no bevel within the wall at all.
        point.overLimit = degrees(wanted) > settings.bevelLimit;
        const double bevel = std::min(wanted, radians(settings.bevelLimit));
        if (bevel <= 0.0) {
            // A square cut already leaves the groove open as wide.
            point.nearShift = point.farShift = gap;
        } else {
            const double land = settings.rootFace / thickness;
            const double landTop = *farFit + land * (*nearFit - *farFit) + gap;
            point.farShift = *farFit + gap;
            // On the flat plate first, then in space: across the joint line the bevel stands at
            // its angle to the other part's surface at the root.
            point.nearShift = landTop + (thickness - settings.rootFace) * std::tan(bevel);
            if (!point.overLimit) {
                const double depth = 1.0 - land;
                const PatternPoint landAt = along(at, inwards, landTop);
                const Point3 landEdge = (1.0 - depth) * nearFace(landAt) + depth * farFace(landAt);
                const Point3 normal =
                    unit(gradient(partner.contact, farFace(along(at, inwards, point.farShift))));
                const PatternPoint line{-inwards.y, inwards.x};
                const Point3 joint =
                    unit(farFace(along(at, line, kStep)) - farFace(along(at, line, -kStep)));
                const double opening = radians(share * settings.grooveAngle);
                const auto openingPast = [&](double s) {
                    Point3 across = nearFace(along(at, inwards, point.nearShift + s)) - landEdge;
                    across = unit(across - dot(across, joint) * joint);
                    return std::asin(std::clamp(std::fabs(dot(across, normal)), 0.0, 1.0)) -
                           opening;
                };
                if (const auto exact = crossing(openingPast, thickness)) {
                    point.nearShift += *exact;
                }
            }
            point.tiltDeg =
                degrees(std::atan((point.nearShift - landTop) / (thickness - settings.rootFace)));
        }
    }
    point.overLimit = point.overLimit || std::fabs(point.tiltDeg) > settings.bevelLimit;
    point.tooNarrow = point.psiDeg < kNarrowestWeldAngle;
    return point;
}

/** The piece whose outline or hole the contour is. */
int pieceOf(const Pattern& pattern, std::size_t contour) {
    const int c = static_cast<int>(contour);
    for (std::size_t p = 0; p < pattern.pieces.size(); ++p) {
        const PatternPiece& piece = pattern.pieces[p];
        if (piece.outline == c ||
            std::find(piece.holes.begin(), piece.holes.end(), c) != piece.holes.end()) {
            return static_cast<int>(p);
        }
    }
    return kNoPiece;
}

/** The runs of a contour's vertices along its welded edges, each in order. */
std::vector<std::vector<std::size_t>> cutRuns(const Contour& contour, LineRole role) {
    const std::size_t n = contour.points.size();
    // From a vertex off the cut, so that no run is split where the chain closes.
    std::size_t start = 0;
    while (start < n && isCutVertex(contour, start, role)) {
        ++start;
    }
    start = start == n ? 0 : start;
    std::vector<std::vector<std::size_t>> runs;
    bool inRun = false;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t k = (start + i) % n;
        if (!isCutVertex(contour, k, role)) {
            inRun = false;
            continue;
        }
        if (!inRun) {
            runs.emplace_back();
            inRun = true;
        }
        runs.back().push_back(k);
    }
    return runs;
}

/**
 * A cut is followed at this many of its vertices at most, the shifts taken straight between
 * them: a huge piece's outline has hundreds of thousands, along which they change smoothly.
 */
constexpr std::size_t kMostFollowedVertices = 4096;

/** The welded cuts of a part's contour followed vertex by vertex, each run of them in order. */
bool followCuts(const Pattern& pattern, const DevelopedPart& part, std::size_t c,
                const EdgeSettings& settings, std::vector<EdgeRun>& runs) {
    const Contour& contour = pattern.exactContours[c];
    const LineRole role = part.welded->role;
    const int piece = pieceOf(pattern, c);
    const double side = insideSide(contour);
    for (const std::vector<std::size_t>& vertices : cutRuns(contour, role)) {
        const std::size_t count = vertices.size();
        const std::size_t stride = (count + kMostFollowedVertices - 1) / kMostFollowedVertices;
        // The shifts at every stride-th vertex and at the last.
        std::vector<std::size_t> sampled;
        for (std::size_t i = 0; i < count; i += stride) {
            sampled.push_back(i);
        }
        if (sampled.back() != count - 1) {
            sampled.push_back(count - 1);
        }
        std::vector<std::pair<double, double>> shifts;
        for (const std::size_t i : sampled) {
            const PatternPoint at = contour.points[vertices[i]];
            const double thickness = norm(part.faces.front()(at) - part.faces.back()(at));
            const auto edge = edgeAt(part, at, inwardsAt({&contour, vertices[i]}, role, side),
                                     thickness, settings);
            if (!edge) {
                return false;
            }
            shifts.emplace_back(edge->nearShift, edge->farShift);
        }
        EdgeRun run{c, vertices, {}, {}, piece};
        for (std::size_t s = 0, i = 0; i < count; ++i) {
            while (s + 1 < sampled.size() && sampled[s + 1] <= i) {
                ++s;
            }
            const std::size_t next = std::min(s + 1, sampled.size() - 1);
            const double span = static_cast<double>(sampled[next] - sampled[s]);
            const double w = span > 0 ? static_cast<double>(i - sampled[s]) / span : 0.0;
            const double nearShift = (1 - w) * shifts[s].first + w * shifts[next].first;
            const double farShift = (1 - w) * shifts[s].second + w * shifts[next].second;
            const PatternPoint at = contour.points[vertices[i]];
            const PatternPoint inwards = inwardsAt({&contour, vertices[i]}, role, side);
            run.nearEdge.push_back(along(at, inwards, nearShift));
            run.farEdge.push_back(along(at, inwards, farShift));
        }
        runs.push_back(std::move(run));
    }
    return true;
}

/** Where a reported point lies on a welded cut: the part and the vertex there. */
struct OnWeldedCut {
    const DevelopedPart* part = nullptr;
    CutVertex vertex;
    double side = 1.0; ///< `insideSide` of its contour
};

/** A contour's vertices by their places and the side its inside lies, made once for every mark. */
struct ContourLookup {
    VertexPlaces places;
    double side = 1.0;
};

/** The welded cut a mark of `piece` lies on, its outline's or a hole's, or nothing. */
std::optional<OnWeldedCut> onWeldedCut(const Pattern& pattern, const JointView& joint,
                                       const PatternPiece& piece, PatternPoint at,
                                       std::map<std::size_t, ContourLookup>& places) {
    std::vector<int> outlines = piece.holes;
    outlines.insert(outlines.begin(), piece.outline);
    for (const DevelopedPart& part : joint.developed) {
        if (!part.welded || !part.labelled) {
            continue;
        }
        for (const int outline : outlines) {
            const auto c = static_cast<std::size_t>(outline);
            if (outline < 0 || c >= pattern.exactContours.size() ||
                std::find(part.contours.begin(), part.contours.end(), c) == part.contours.end()) {
                continue;
            }
            const Contour& contour = pattern.exactContours[c];
            auto known = places.find(c);
            if (known == places.end()) {
                known = places.emplace(c, ContourLookup{vertexPlaces(contour), insideSide(contour)})
                            .first;
            }
            if (const auto vertex =
                    cutVertexAt(contour, known->second.places, at, part.welded->role)) {
                return OnWeldedCut{&part, *vertex, known->second.side};
            }
        }
    }
    return std::nullopt;
}

/**
 * A marked line is drawn through this many of its points at most: a far edge along a huge
 * outline's every vertex would cost its drawings more than the cut itself.
 */
constexpr std::size_t kMostMarkedPoints = 512;

std::vector<PatternPoint> markedEvenly(const std::vector<PatternPoint>& points) {
    if (points.size() <= kMostMarkedPoints) {
        return points;
    }
    std::vector<PatternPoint> marked;
    const std::size_t stride = (points.size() + kMostMarkedPoints - 2) / (kMostMarkedPoints - 1);
    for (std::size_t i = 0; i < points.size(); i += stride) {
        marked.push_back(points[i]);
    }
    if (marked.size() < 2 ||
        std::hypot(marked.back().x - points.back().x, marked.back().y - points.back().y) > 0.0) {
        marked.push_back(points.back());
    }
    return marked;
}

} // namespace

PreparedEdges prepareEdges(const Pattern& pattern, const JointView& joint,
                           const EdgeSettings& settings) {
    PreparedEdges edges;
    if (settings.choice == EdgeChoice::Square) {
        return edges;
    }
    edges.choice = settings.choice;
    std::map<std::size_t, ContourLookup> places;
    for (const PointMark& mark : pattern.points) {
        if (mark.piece < 0 || mark.piece >= static_cast<int>(pattern.pieces.size())) {
            continue;
        }
        const PatternPiece& piece = pattern.pieces[static_cast<std::size_t>(mark.piece)];
        const PatternPoint at{mark.x, mark.y};
        const auto found = onWeldedCut(pattern, joint, piece, at, places);
        if (!found) {
            continue;
        }
        const DevelopedPart& part = *found->part;
        const LineRole role = part.welded->role;
        if (part.faces.size() < 2) {
            edges.problem = "Przygotowanie krawedzi wymaga grubosci scianki";
            edges.points.clear();
            return edges;
        }
        const double thickness = norm(part.faces.front()(at) - part.faces.back()(at));
        if (settings.choice == EdgeChoice::Groove && !(settings.rootFace < thickness)) {
            edges.problem = "Przygotowanie krawedzi : c musi byc mniejsze od grubosci "
                            "scianki";
            edges.points.clear();
            return edges;
        }
        std::optional<EdgePoint> point =
            edgeAt(part, at, inwardsAt(found->vertex, role, found->side), thickness, settings);
        if (!point) {
            edges.problem = "Przygotowanie krawedzi : nie da sie wyznaczyc krawedzi w "
                            "punkcie " +
                            mark.text;
            edges.points.clear();
            return edges;
        }
        point->label = mark.text;
        point->run = mark.run;
        edges.thickness = thickness;
        edges.points.push_back(std::move(*point));
    }
    std::vector<std::size_t> followed;
    for (const DevelopedPart& part : joint.developed) {
        if (edges.points.empty() || !part.welded || !part.labelled || part.faces.size() < 2) {
            continue;
        }
        for (const std::size_t c : part.contours) {
            if (c >= pattern.exactContours.size() ||
                std::find(followed.begin(), followed.end(), c) != followed.end()) {
                continue;
            }
            followed.push_back(c);
            if (!followCuts(pattern, part, c, settings, edges.runs)) {
                edges.problem = "Przygotowanie krawedzi : nie da sie wyznaczyc krawedzi wzdluz "
                                "ciecia";
                edges.points.clear();
                edges.runs.clear();
                return edges;
            }
        }
    }
    return edges;
}

Pattern bevelledPattern(const Pattern& pattern, const PreparedEdges& edges) {
    Pattern bevelled = pattern;
    for (const EdgeRun& run : edges.runs) {
        Contour& contour = bevelled.exactContours[run.contour];
        for (std::size_t i = 0; i < run.vertices.size(); ++i) {
            contour.points[run.vertices[i]] = run.nearEdge[i];
        }
        if (run.farEdge.size() < 2) {
            continue;
        }
        const int curve = static_cast<int>(bevelled.exactCurves.size());
        bevelled.exactCurves.push_back({LineRole::BevelEdge, markedEvenly(run.farEdge)});
        bevelled.lines.push_back({.role = LineRole::BevelEdge,
                                  .from = run.farEdge.front(),
                                  .to = run.farEdge.back(),
                                  .curve = curve,
                                  .piece = run.piece});
    }
    std::map<std::pair<int, std::string>, double> tilts;
    for (const EdgePoint& point : edges.points) {
        tilts.emplace(std::pair{point.run, point.label}, point.tiltDeg);
    }
    for (PointMark& mark : bevelled.points) {
        const auto tilt = tilts.find({mark.run, mark.text});
        if (tilt != tilts.end()) {
            // No degree sign: a cutting table's reader would measure its escape as text.
            mark.text += " (ukos " + formatFixed(tilt->second, 1) + ")";
        }
    }
    return bevelled;
}

WeldPartner pipeRoundTheXAxis(double contact, double outside) {
    const auto round = [](double radius) {
        return [radius](Point3 p) { return std::hypot(p.y, p.z) - radius; };
    };
    return {round(contact), round(outside)};
}

std::string edgeChoiceWords(EdgeChoice choice) {
    switch (choice) {
    case EdgeChoice::Fit:
        return "dopasowane";
    case EdgeChoice::Groove:
        return "pod spoine";
    case EdgeChoice::Square:
        break;
    }
    return "proste";
}

} // namespace blachorys::core
