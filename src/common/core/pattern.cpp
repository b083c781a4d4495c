#include "common/core/pattern.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace blachorys::core {
namespace {

/**
 * Ends of two edges this close are one corner: the same point computed twice (a hole's last
 * point is its first again, a transition's quarter ends where the next begins) differs only by
 * rounding, far below the DXF's hundredth of a millimetre. Relative to the pattern's size, so a
 * huge pattern's rounding still joins.
 */
constexpr double kJoinRelative = 1e-9;
constexpr double kJoinAbsoluteMm = 1e-6;

double distance(PatternPoint a, PatternPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double joinTolerance(const std::vector<const PatternLine*>& lines) {
    double size = 0.0;
    for (const PatternLine* line : lines) {
        for (const PatternPoint p : {line->from, line->to}) {
            size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
        }
    }
    return std::max(kJoinAbsoluteMm, kJoinRelative * size);
}

/**
 * Joins the lines end to end, starting with the first. The next edge is usually the next line
 * of the list, so that is tried first; otherwise the nearest free end within the tolerance.
 * Edges of no length (a seam where the cut meets the base line) add no corner and are left out.
 */
Contour chain(OutlineKind kind, const std::vector<const PatternLine*>& edges) {
    Contour contour;
    contour.kind = kind;
    const double tolerance = joinTolerance(edges);
    std::vector<const PatternLine*> lines;
    for (const PatternLine* edge : edges) {
        if (distance(edge->from, edge->to) > tolerance) {
            lines.push_back(edge);
        }
    }
    if (lines.empty()) {
        contour.closed = false;
        return contour;
    }
    std::vector<bool> used(lines.size(), false);
    used[0] = true;
    const PatternPoint start = lines[0]->from;
    PatternPoint end = lines[0]->to;
    contour.points.push_back(start);
    contour.roles.push_back(lines[0]->role);
    std::size_t last = 0;
    for (std::size_t joined = 1; joined < lines.size(); ++joined) {
        std::size_t best = lines.size();
        bool reversed = false;
        double bestDistance = std::numeric_limits<double>::infinity();
        const auto consider = [&](std::size_t i) {
            if (used[i]) {
                return;
            }
            const double forwards = distance(lines[i]->from, end);
            const double backwards = distance(lines[i]->to, end);
            if (forwards <= tolerance && forwards < bestDistance) {
                best = i;
                reversed = false;
                bestDistance = forwards;
            }
            if (backwards <= tolerance && backwards < bestDistance) {
                best = i;
                reversed = true;
                bestDistance = backwards;
            }
        };
        if (last + 1 < lines.size()) {
            consider(last + 1);
        }
        if (best == lines.size()) {
            for (std::size_t i = 0; i < lines.size(); ++i) {
                consider(i);
            }
        }
        if (best == lines.size()) {
            contour.closed = false;
            return contour;
        }
        used[best] = true;
        last = best;
        const PatternLine& next = *lines[best];
        contour.points.push_back(reversed ? next.to : next.from);
        contour.roles.push_back(next.role);
        end = reversed ? next.from : next.to;
    }
    contour.closed = distance(end, start) <= tolerance;
    return contour;
}

bool finite(PatternPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

} // namespace

const LineStyle* styleOf(const Pattern& pattern, LineRole role) {
    const auto found = std::find_if(pattern.styles.begin(), pattern.styles.end(),
                                    [role](const LineStyle& style) { return style.role == role; });
    return found == pattern.styles.end() ? nullptr : &*found;
}

PatternBuilder::PatternBuilder(LineStyles styles, PreviewFrame frame) {
    m_pattern.styles = std::move(styles);
    m_pattern.frame = frame;
}

int PatternBuilder::newOutline(OutlineKind kind) {
    m_pattern.outlines.push_back(kind);
    return static_cast<int>(m_pattern.outlines.size()) - 1;
}

void PatternBuilder::line(LineRole role, PatternPoint from, PatternPoint to, LinePlace place) {
    m_pattern.lines.push_back({role, from, to, place.outline, place.pass});
}

void PatternBuilder::polyline(LineRole role, const std::vector<PatternPoint>& points,
                              LinePlace place) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        line(role, points[i - 1], points[i], place);
    }
}

void PatternBuilder::mark(PatternPoint at, std::string text) {
    m_pattern.points.push_back({at.x, at.y, std::move(text), m_markRun});
}

void PatternBuilder::newMarkRun() {
    if (!m_pattern.points.empty() && m_pattern.points.back().run == m_markRun) {
        ++m_markRun;
    }
}

void PatternBuilder::numberedMarks(const std::vector<double>& X, const std::vector<double>& Y) {
    newMarkRun();
    for (std::size_t i = 0; i < X.size(); ++i) {
        mark({X[i], Y[i]}, std::to_string(i));
    }
}

Pattern PatternBuilder::finish() && {
    return std::move(m_pattern);
}

std::vector<Contour> contoursOf(const Pattern& pattern) {
    std::vector<std::vector<const PatternLine*>> edges(pattern.outlines.size());
    for (const PatternLine& line : pattern.lines) {
        if (line.outline >= 0 && static_cast<std::size_t>(line.outline) < edges.size()) {
            edges[static_cast<std::size_t>(line.outline)].push_back(&line);
        }
    }
    std::vector<Contour> contours;
    for (std::size_t o = 0; o < edges.size(); ++o) {
        contours.push_back(chain(pattern.outlines[o], edges[o]));
    }
    return contours;
}

bool hasFiniteGeometry(const Pattern& pattern) {
    const auto lineFinite = [](const PatternLine& l) { return finite(l.from) && finite(l.to); };
    const auto markFinite = [](const PointMark& m) {
        return std::isfinite(m.x) && std::isfinite(m.y);
    };
    const PreviewFrame& f = pattern.frame;
    return std::all_of(pattern.lines.begin(), pattern.lines.end(), lineFinite) &&
           std::all_of(pattern.points.begin(), pattern.points.end(), markFinite) &&
           std::isfinite(f.xMin) && std::isfinite(f.xMax) && std::isfinite(f.yMin) &&
           std::isfinite(f.yMax);
}

} // namespace blachorys::core
