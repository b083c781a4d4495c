#include "common/core/plate/flatpiece.h"

#include "common/core/geometry/curvesampling.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace blachorys::core {
namespace {

/** Edges per band of an inside test, about: a point then looks at a handful of them. */
constexpr std::size_t kEdgesPerBand = 8;
constexpr std::size_t kMostBands = 4096;

} // namespace

Motion Motion::then(const Motion& next) const {
    // next(this(p)) = R2 (R1 p + s1) + s2
    return {next.cos * cos - next.sin * sin, next.sin * cos + next.cos * sin, next(shift)};
}

Motion Motion::inverse() const {
    const Motion turnBack{cos, -sin, {}};
    const PatternPoint back = turnBack(shift);
    return {cos, -sin, {-back.x, -back.y}};
}

Motion Motion::quarterTurns(int quarters) {
    switch (((quarters % 4) + 4) % 4) {
    case 1:
        return {0.0, 1.0, {}};
    case 2:
        return {-1.0, 0.0, {}};
    case 3:
        return {0.0, -1.0, {}};
    default:
        return {};
    }
}

Motion motionOnto(PatternPoint a, PatternPoint b, PatternPoint toA, PatternPoint toB) {
    const double angle =
        std::atan2(toB.y - toA.y, toB.x - toA.x) - std::atan2(b.y - a.y, b.x - a.x);
    Motion turn{std::cos(angle), std::sin(angle), {}};
    const PatternPoint turned = turn(a);
    turn.shift = {toA.x - turned.x, toA.y - turned.y};
    return turn;
}

Contour moved(const Contour& contour, const Motion& motion) {
    Contour result = contour;
    for (PatternPoint& p : result.points) {
        p = motion(p);
    }
    return result;
}

PieceDrawing moved(const PieceDrawing& drawing, const Motion& motion) {
    PieceDrawing result = drawing;
    result.piece.outline = moved(drawing.piece.outline, motion);
    for (Contour& hole : result.piece.holes) {
        hole = moved(hole, motion);
    }
    for (MarkedLine& line : result.markings) {
        line = moved(line, motion);
    }
    for (PointMark& mark : result.points) {
        mark = moved(mark, motion);
    }
    return result;
}

MarkedLine moved(MarkedLine line, const Motion& motion) {
    line.from = motion(line.from);
    line.to = motion(line.to);
    return line;
}

PointMark moved(PointMark mark, const Motion& motion) {
    const PatternPoint at = motion({mark.x, mark.y});
    mark.x = at.x;
    mark.y = at.y;
    return mark;
}

void FlatBox::add(PatternPoint p) {
    if (empty) {
        *this = {p.x, p.y, p.x, p.y, false};
        return;
    }
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

FlatBox boxOf(const std::vector<PatternPoint>& points) {
    FlatBox box;
    for (const PatternPoint p : points) {
        box.add(p);
    }
    return box;
}

double netArea(const FlatPiece& piece) {
    double area = std::fabs(ringArea(piece.outline.points));
    for (const Contour& hole : piece.holes) {
        area -= std::fabs(ringArea(hole.points));
    }
    return area;
}

PatternPoint centroidOf(const Contour& outline) {
    const auto& p = outline.points;
    if (p.empty()) {
        return {};
    }
    const PatternPoint o = p.front();
    double area = 0.0;
    double cx = 0.0;
    double cy = 0.0;
    for (std::size_t k = 1; k + 1 < p.size(); ++k) {
        const double ax = p[k].x - o.x;
        const double ay = p[k].y - o.y;
        const double bx = p[k + 1].x - o.x;
        const double by = p[k + 1].y - o.y;
        const double cross = ax * by - bx * ay;
        area += cross;
        cx += (ax + bx) * cross;
        cy += (ay + by) * cross;
    }
    if (area == 0.0) {
        const FlatBox box = boxOf(p);
        return {(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
    }
    return {o.x + cx / (3 * area), o.y + cy / (3 * area)};
}

Contour reversed(const Contour& contour) {
    Contour result = contour;
    const std::size_t n = contour.points.size();
    for (std::size_t j = 0; j < n; ++j) {
        result.points[j] = contour.points[n - 1 - j];
        // The edge from the reversed chain's point j to j + 1 is the original's edge n − 2 − j.
        result.roles[j] = contour.roles[(2 * n - 2 - j) % n];
    }
    return result;
}

InsideTest::InsideTest(const FlatPiece& piece) {
    std::vector<double> heights;
    const auto addChain = [&](const Contour& chain) {
        const auto& p = chain.points;
        for (std::size_t k = 0; k < p.size(); ++k) {
            m_edges.push_back({p[k], p[(k + 1) % p.size()]});
            heights.push_back(p[k].y);
        }
    };
    addChain(piece.outline);
    for (const Contour& hole : piece.holes) {
        addChain(hole);
    }
    if (m_edges.empty()) {
        return;
    }
    std::sort(heights.begin(), heights.end());
    const std::size_t bands =
        std::clamp<std::size_t>(m_edges.size() / kEdgesPerBand, 1, kMostBands);
    for (std::size_t b = 0; b < bands; ++b) {
        const double bound = heights[b * heights.size() / bands];
        if (m_bounds.empty() || bound > m_bounds.back()) {
            m_bounds.push_back(bound);
        }
    }
    m_bounds.push_back(heights.back());
    m_bands.assign(std::max<std::size_t>(m_bounds.size() - 1, 1), {});
    for (std::size_t e = 0; e < m_edges.size(); ++e) {
        const auto [low, high] = std::minmax(m_edges[e].a.y, m_edges[e].b.y);
        // A level edge never crosses a level ray.
        if (low == high) {
            continue;
        }
        for (std::size_t b = bandOf(low); b <= bandOf(high); ++b) {
            m_bands[b].push_back(e);
        }
    }
}

std::size_t InsideTest::bandOf(double y) const {
    const auto above = std::upper_bound(m_bounds.begin(), m_bounds.end(), y);
    const auto band = std::distance(m_bounds.begin(), above) - 1;
    return static_cast<std::size_t>(
        std::clamp<std::ptrdiff_t>(band, 0, static_cast<std::ptrdiff_t>(m_bands.size()) - 1));
}

bool InsideTest::contains(PatternPoint p) const {
    if (m_edges.empty() || !std::isfinite(p.y) || p.y < m_bounds.front() ||
        p.y >= m_bounds.back()) {
        return false;
    }
    bool inside = false;
    for (const std::size_t e : m_bands[bandOf(p.y)]) {
        const PatternPoint a = m_edges[e].a;
        const PatternPoint b = m_edges[e].b;
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
            inside = !inside;
        }
    }
    return inside;
}

std::vector<PatternPoint> simplifiedChain(const std::vector<PatternPoint>& points,
                                          double tolerance) {
    const std::size_t n = points.size();
    if (n < 4) {
        return points;
    }
    // Two far-apart points split the closed chain into two open runs, each simplified alone.
    std::size_t far = 0;
    double farthest = -1.0;
    for (std::size_t k = 1; k < n; ++k) {
        const double d = std::hypot(points[k].x - points[0].x, points[k].y - points[0].y);
        if (d > farthest) {
            farthest = d;
            far = k;
        }
    }
    std::vector<bool> kept(n, false);
    kept[0] = kept[far] = true;
    std::vector<std::pair<std::size_t, std::size_t>> runs{{0, far}, {far, n}};
    while (!runs.empty()) {
        const auto [first, last] = runs.back();
        runs.pop_back();
        const PatternPoint a = points[first];
        const PatternPoint b = points[last % n];
        std::size_t worst = first;
        double worstDistance = tolerance;
        for (std::size_t k = first + 1; k < last; ++k) {
            const double d = distanceToSegment(points[k], a, b);
            if (d > worstDistance) {
                worstDistance = d;
                worst = k;
            }
        }
        if (worst != first) {
            kept[worst] = true;
            runs.emplace_back(first, worst);
            runs.emplace_back(worst, last);
        }
    }
    std::vector<PatternPoint> result;
    for (std::size_t k = 0; k < n; ++k) {
        if (kept[k]) {
            result.push_back(points[k]);
        }
    }
    return result;
}

std::vector<PatternPoint> convexHull(std::vector<PatternPoint> points) {
    std::sort(points.begin(), points.end(), [](PatternPoint a, PatternPoint b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    if (points.size() < 3) {
        return points;
    }
    const auto turnsLeft = [](PatternPoint o, PatternPoint a, PatternPoint b) {
        return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x) > 0.0;
    };
    // Andrew's monotone chain: the lower hull left to right, then the upper one back.
    std::vector<PatternPoint> hull(2 * points.size());
    std::size_t k = 0;
    for (const PatternPoint p : points) {
        while (k >= 2 && !turnsLeft(hull[k - 2], hull[k - 1], p)) {
            --k;
        }
        hull[k++] = p;
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && !turnsLeft(hull[k - 2], hull[k - 1], points[i])) {
            --k;
        }
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}

Motion uprightTurn(const std::vector<PatternPoint>& points) {
    const std::vector<PatternPoint> hull = convexHull(points);
    const std::size_t n = hull.size();
    FlatBox unturned;
    for (const PatternPoint p : hull) {
        unturned.add(p);
    }
    Motion best;
    double least = unturned.width() * unturned.height();
    // The points farthest along the edge, back from it and away from it only move on round the
    // hull as the edge does (the rotating calipers): each edge's box costs a few steps, not the
    // whole hull, which a finely drawn arc makes tens of thousands of points.
    std::size_t ahead = 0;
    std::size_t behind = 0;
    std::size_t away = 0;
    bool started = false;
    for (std::size_t k = 0; k < n; ++k) {
        const PatternPoint a = hull[k];
        const PatternPoint b = hull[(k + 1) % n];
        const double l = std::hypot(b.x - a.x, b.y - a.y);
        if (!(l > 0.0)) {
            continue;
        }
        // Turned so that this edge lies along X, the hull above it.
        const Motion turn{(b.x - a.x) / l, -(b.y - a.y) / l, {}};
        const auto along = [&](std::size_t i) { return turn(hull[i % n]).x; };
        const auto back = [&](std::size_t i) { return -along(i); };
        const auto up = [&](std::size_t i) { return turn(hull[i % n]).y; };
        // On to the next point while it lies no less far by `far`.
        const auto advance = [n](std::size_t& at, const auto& far) {
            for (std::size_t step = 0; step < n && far((at + 1) % n) >= far(at); ++step) {
                at = (at + 1) % n;
            }
        };
        if (!started) {
            for (std::size_t i = 1; i < n; ++i) {
                ahead = along(i) > along(ahead) ? i : ahead;
                behind = back(i) > back(behind) ? i : behind;
                away = up(i) > up(away) ? i : away;
            }
            started = true;
        } else {
            advance(ahead, along);
            advance(behind, back);
            advance(away, up);
        }
        FlatBox box;
        for (const std::size_t i : {k, k + 1, ahead, behind, away}) {
            box.add(turn(hull[i % n]));
        }
        const double area = box.width() * box.height();
        if (area < least * (1.0 - 1e-9)) {
            least = area;
            best = turn;
        }
    }
    return best;
}

namespace {

/** Bins of half a degree over half a turn, each searched in ten turns where a fit may lie. */
constexpr int kFitBins = 360;
constexpr int kTurnsPerBin = 10;
/** Hull points the search over those turns looks at, at most. */
constexpr std::size_t kSearchPoints = 256;

bool boxWithin(const std::vector<PatternPoint>& points, double angle, double length, double width) {
    const Motion turn{std::cos(angle), std::sin(angle), {}};
    FlatBox box;
    for (const PatternPoint p : points) {
        box.add(turn(p));
    }
    return box.width() <= length && box.height() <= width;
}

/**
 * Every few of the hull's points, and how far the points left out stand
 * off the chords that skip them: a box that holds these with that much to spare holds the hull.
 */
std::pair<std::vector<PatternPoint>, double> coarseHull(const std::vector<PatternPoint>& hull) {
    const std::size_t stride = std::max<std::size_t>(1, hull.size() / kSearchPoints);
    std::vector<PatternPoint> coarse;
    double standOff = 0.0;
    for (std::size_t i = 0; i < hull.size(); i += stride) {
        coarse.push_back(hull[i]);
        const PatternPoint a = hull[i];
        const PatternPoint b = hull[std::min(i + stride, hull.size()) % hull.size()];
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        for (std::size_t j = i + 1; j < i + stride && j < hull.size() && chord > 0.0; ++j) {
            const PatternPoint p = hull[j];
            standOff = std::max(
                standOff, std::fabs((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / chord);
        }
    }
    return {coarse, standOff};
}

} // namespace

std::optional<Motion> turnThatFits(const std::vector<PatternPoint>& points, double length,
                                   double width) {
    const std::vector<PatternPoint> hull = convexHull(points);
    const Motion upright = uprightTurn(hull);
    for (int quarters = 0; quarters < 4; ++quarters) {
        const Motion turn = upright.then(Motion::quarterTurns(quarters));
        FlatBox box;
        for (const PatternPoint p : hull) {
            box.add(turn(p));
        }
        if (box.width() <= length && box.height() <= width) {
            return turn;
        }
    }
    // Box sizes do not change as the points move: turned about their middle they move least.
    FlatBox around;
    for (const PatternPoint p : hull) {
        around.add(p);
    }
    const PatternPoint middleOfBox{(around.minX + around.maxX) / 2,
                                   (around.minY + around.maxY) / 2};
    std::vector<PatternPoint> centred = hull;
    for (PatternPoint& p : centred) {
        p = {p.x - middleOfBox.x, p.y - middleOfBox.y};
    }
    const auto [coarse, standOff] = coarseHull(centred);
    // Turned by up to half a bin from its middle, a point at r from the origin moves by r·Δ:
    // a bin whose middle misses the plate by more than twice that holds no fit.
    double reach = 0.0;
    for (const PatternPoint p : coarse) {
        reach = std::max(reach, std::hypot(p.x, p.y));
    }
    const double halfBin = std::numbers::pi / kFitBins / 2;
    const double slack = 2 * (reach + standOff) * halfBin + 2 * standOff;
    for (int bin = 0; bin < kFitBins; ++bin) {
        const double middle = std::numbers::pi * (bin + 0.5) / kFitBins;
        if (!boxWithin(coarse, middle, length + slack, width + slack)) {
            continue;
        }
        for (int k = 0; k < kTurnsPerBin; ++k) {
            const double angle = middle - halfBin + 2 * halfBin * (k + 0.5) / kTurnsPerBin;
            if (boxWithin(coarse, angle, length - 2 * standOff, width - 2 * standOff) &&
                boxWithin(centred, angle, length, width)) {
                return Motion{std::cos(angle), std::sin(angle), {}};
            }
        }
    }
    return std::nullopt;
}

} // namespace blachorys::core
