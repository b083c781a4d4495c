#include "common/core/pattern.h"

#include "common/core/curvesampling.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <utility>

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

/** A run of an outline with one role: a line, or an exact curve. */
struct Piece {
    LineRole role = LineRole::EndEdge;
    std::vector<PatternPoint> points;
    PatternPoint front() const { return points.front(); }
    PatternPoint back() const { return points.back(); }
};

double joinTolerance(const std::vector<Piece>& pieces) {
    double size = 0.0;
    for (const Piece& piece : pieces) {
        for (const PatternPoint p : piece.points) {
            size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
        }
    }
    return std::max(kJoinAbsoluteMm, kJoinRelative * size);
}

/**
 * Joins the pieces end to end, starting with the first. The next piece is usually the next one
 * of the list, so that is tried first; otherwise the nearest free end within the tolerance.
 * Lines of no length (a seam where the cut meets the base line) add no corner and are left out.
 */
Contour chain(OutlineKind kind, std::vector<Piece> all) {
    Contour contour;
    contour.kind = kind;
    const double tolerance = joinTolerance(all);
    std::vector<Piece> pieces;
    for (Piece& piece : all) {
        if (piece.points.size() > 2 || distance(piece.front(), piece.back()) > tolerance) {
            pieces.push_back(std::move(piece));
        }
    }
    if (pieces.empty()) {
        contour.closed = false;
        return contour;
    }
    std::vector<bool> used(pieces.size(), false);
    const auto append = [&contour](const Piece& piece, bool reversed) {
        const std::size_t n = piece.points.size();
        for (std::size_t k = 0; k + 1 < n; ++k) {
            contour.points.push_back(piece.points[reversed ? n - 1 - k : k]);
            contour.roles.push_back(piece.role);
        }
        return reversed ? piece.front() : piece.back();
    };
    used[0] = true;
    const PatternPoint start = pieces[0].front();
    PatternPoint end = append(pieces[0], false);
    std::size_t last = 0;
    for (std::size_t joined = 1; joined < pieces.size(); ++joined) {
        std::size_t best = pieces.size();
        bool reversed = false;
        double bestDistance = std::numeric_limits<double>::infinity();
        const auto consider = [&](std::size_t i) {
            if (used[i]) {
                return;
            }
            const double forwards = distance(pieces[i].front(), end);
            const double backwards = distance(pieces[i].back(), end);
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
        if (last + 1 < pieces.size()) {
            consider(last + 1);
        }
        if (best == pieces.size()) {
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                consider(i);
            }
        }
        if (best == pieces.size()) {
            contour.closed = false;
            return contour;
        }
        used[best] = true;
        last = best;
        end = append(pieces[best], reversed);
    }
    contour.closed = distance(end, start) <= tolerance;
    return contour;
}

/** The outlines' pieces: every line, or where `exact` every curve in place of its chords. */
std::vector<Contour> contours(const Pattern& pattern, bool exact) {
    std::vector<std::vector<Piece>> pieces(pattern.outlines.size());
    std::vector<bool> curveTaken(pattern.exactCurves.size(), false);
    for (const PatternLine& line : pattern.lines) {
        if (line.outline < 0 || static_cast<std::size_t>(line.outline) >= pieces.size()) {
            continue;
        }
        auto& into = pieces[static_cast<std::size_t>(line.outline)];
        const bool hasCurve =
            exact && line.curve >= 0 && static_cast<std::size_t>(line.curve) < curveTaken.size() &&
            !pattern.exactCurves[static_cast<std::size_t>(line.curve)].points.empty();
        if (!hasCurve) {
            into.push_back({line.role, {line.from, line.to}});
            continue;
        }
        const auto curve = static_cast<std::size_t>(line.curve);
        if (!curveTaken[curve]) {
            curveTaken[curve] = true;
            into.push_back({pattern.exactCurves[curve].role, pattern.exactCurves[curve].points});
        }
    }
    std::vector<Contour> result;
    for (std::size_t o = 0; o < pieces.size(); ++o) {
        result.push_back(chain(pattern.outlines[o], std::move(pieces[o])));
    }
    return result;
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
    m_pattern.lines.push_back({role, from, to, place.outline, place.pass, place.curve});
}

void PatternBuilder::polyline(LineRole role, const std::vector<PatternPoint>& points,
                              LinePlace place) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        line(role, points[i - 1], points[i], place);
    }
}

int PatternBuilder::exactCurve(LineRole role, std::vector<PatternPoint> points) {
    if (points.empty()) {
        return kNoCurve;
    }
    m_pattern.exactCurves.push_back({role, std::move(points)});
    return static_cast<int>(m_pattern.exactCurves.size()) - 1;
}

void PatternBuilder::mark(PatternPoint at, std::string text) {
    m_pattern.points.push_back({at.x, at.y, std::move(text), m_markRun});
}

void PatternBuilder::newMarkRun() {
    if (!m_pattern.points.empty() && m_pattern.points.back().run == m_markRun) {
        ++m_markRun;
    }
}

void PatternBuilder::numberedMarks(const std::string& prefix, const std::vector<double>& X,
                                   const std::vector<double>& Y) {
    newMarkRun();
    for (std::size_t i = 0; i < X.size(); ++i) {
        mark({X[i], Y[i]}, prefix + std::to_string(i));
    }
}

void PatternBuilder::caption(PatternPoint at, std::string text) {
    m_pattern.captions.push_back({at, std::move(text)});
}

Pattern PatternBuilder::finish() && {
    // A curve drawn from thousands of fine points (a fan's arc) is cut as well from the few
    // that keep it within the tolerance; the reported points on it stay, where its chords end.
    for (std::size_t c = 0; c < m_pattern.exactCurves.size(); ++c) {
        std::set<std::pair<double, double>> knots;
        for (const PatternLine& line : m_pattern.lines) {
            if (line.curve == static_cast<int>(c)) {
                knots.insert({line.from.x, line.from.y});
                knots.insert({line.to.x, line.to.y});
            }
        }
        std::vector<PatternPoint>& points = m_pattern.exactCurves[c].points;
        std::vector<bool> kept(points.size());
        for (std::size_t k = 0; k < points.size(); ++k) {
            kept[k] = knots.count({points[k].x, points[k].y}) != 0;
        }
        points = thinnedCurve(points, kept);
    }
    m_pattern.contours = contours(m_pattern, false);
    m_pattern.exactContours = contours(m_pattern, true);
    return std::move(m_pattern);
}

bool hasFiniteGeometry(const Pattern& pattern) {
    const auto lineFinite = [](const PatternLine& l) { return finite(l.from) && finite(l.to); };
    const auto markFinite = [](const PointMark& m) {
        return std::isfinite(m.x) && std::isfinite(m.y);
    };
    const PreviewFrame& f = pattern.frame;
    const auto curveFinite = [](const ExactCurve& c) {
        return std::all_of(c.points.begin(), c.points.end(), finite);
    };
    return std::all_of(pattern.lines.begin(), pattern.lines.end(), lineFinite) &&
           std::all_of(pattern.exactCurves.begin(), pattern.exactCurves.end(), curveFinite) &&
           std::all_of(pattern.points.begin(), pattern.points.end(), markFinite) &&
           std::isfinite(f.xMin) && std::isfinite(f.xMax) && std::isfinite(f.yMin) &&
           std::isfinite(f.yMax);
}

} // namespace blachorys::core
