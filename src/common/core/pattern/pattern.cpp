#include "common/core/pattern/pattern.h"

#include "common/core/geometry/curvesampling.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace blachorys::core {
namespace {

/** A point by its coordinates exactly, −0 as 0: a line's end is a copy of its curve's point. */
struct PointKey {
    std::uint64_t x;
    std::uint64_t y;
    friend bool operator==(const PointKey&, const PointKey&) = default;
};

PointKey keyOf(PatternPoint p) {
    return {std::bit_cast<std::uint64_t>(p.x + 0.0), std::bit_cast<std::uint64_t>(p.y + 0.0)};
}

struct PointKeyHash {
    std::size_t operator()(const PointKey& k) const {
        return std::hash<std::uint64_t>{}(k.x ^ (k.y * 0x9E3779B97F4A7C15ULL));
    }
};

/**
 * Ends of two edges this close are one corner: the same point computed twice (a hole's last
 * point is its first again, a transition's quarter ends where the next begins) differs only by
 * rounding, far below the DXF's hundredth of a millimetre. Relative to the pattern's size, so a
 * huge pattern's rounding still joins.
 */
constexpr double kJoinRelative = 1e-9;
constexpr double kJoinAbsoluteMm = 1e-6;

/**
 * A run of an outline with one role: a line, or an exact curve (kept where the pattern holds
 * it, not copied: an outline of thousands of lines would otherwise cost as many allocations).
 */
struct Piece {
    LineRole role = LineRole::EndEdge;
    PatternPoint from;
    PatternPoint to;
    const std::vector<PatternPoint>* curve = nullptr;

    std::size_t size() const { return curve != nullptr ? curve->size() : 2; }
    PatternPoint at(std::size_t k) const {
        return curve != nullptr ? (*curve)[k] : (k == 0 ? from : to);
    }
    PatternPoint front() const { return at(0); }
    PatternPoint back() const { return at(size() - 1); }
};

double joinTolerance(const std::vector<Piece>& pieces) {
    double size = 0.0;
    for (const Piece& piece : pieces) {
        for (std::size_t k = 0; k < piece.size(); ++k) {
            const PatternPoint p = piece.at(k);
            size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
        }
    }
    return std::max(kJoinAbsoluteMm, kJoinRelative * size);
}

/**
 * The pieces' free ends, bucketed in square cells four join tolerances wide: the ends within
 * the tolerance of a point lie in the one to four cells that the square of one and a half
 * tolerances about it meets (the half for the rounding of that square's sides), so finding the
 * next piece costs the few ends near the chain's end, not a look at every piece.
 */
class EndCells {
public:
    EndCells(const std::vector<Piece>& pieces, double tolerance)
        : m_reach(1.5 * tolerance), m_cellSize(4.0 * tolerance),
          m_usable(std::isfinite(m_cellSize) && m_cellSize > 0.0) {
        if (!m_usable) {
            return;
        }
        m_cells.reserve(2 * pieces.size());
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            for (const PatternPoint end : {pieces[i].front(), pieces[i].back()}) {
                if (isFinite(end)) {
                    m_cells[{cellOf(end.x), cellOf(end.y)}].push_back(i);
                }
            }
        }
    }

    /** Whether the cells stand for the tolerance (else every piece is a candidate). */
    bool usable() const { return m_usable; }

    /** The pieces with an end near `point`, each once, in the list's order. */
    std::vector<std::size_t> near(PatternPoint point) const {
        std::vector<std::size_t> found;
        if (!isFinite(point)) {
            return found;
        }
        for (std::int64_t x = cellOf(point.x - m_reach); x <= cellOf(point.x + m_reach); ++x) {
            for (std::int64_t y = cellOf(point.y - m_reach); y <= cellOf(point.y + m_reach); ++y) {
                const auto cell = m_cells.find({x, y});
                if (cell != m_cells.end()) {
                    found.insert(found.end(), cell->second.begin(), cell->second.end());
                }
            }
        }
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        return found;
    }

private:
    struct Cell {
        std::int64_t x = 0;
        std::int64_t y = 0;
        friend bool operator==(const Cell&, const Cell&) = default;
    };
    struct CellHash {
        std::size_t operator()(const Cell& cell) const {
            const auto x = static_cast<std::uint64_t>(cell.x);
            const auto y = static_cast<std::uint64_t>(cell.y);
            return std::hash<std::uint64_t>{}(x * 0x9E3779B97F4A7C15ULL ^ y);
        }
    };

    /** The tolerance grows with the pattern, so a cell's number fits 64 bits. */
    std::int64_t cellOf(double coordinate) const {
        return static_cast<std::int64_t>(std::floor(coordinate / m_cellSize));
    }

    double m_reach;
    double m_cellSize;
    bool m_usable;
    std::unordered_map<Cell, std::vector<std::size_t>, CellHash> m_cells;
};

/**
 * Joins the pieces end to end, starting with the first. The next piece is usually the next one
 * of the list, so that is tried first; otherwise the nearest free end within the tolerance, the
 * first of the list where two are as near.
 * Lines of no length (a seam where the cut meets the base line) add no corner and are left out.
 */
Contour chain(OutlineKind kind, std::vector<Piece> all) {
    Contour contour;
    contour.kind = kind;
    const double tolerance = joinTolerance(all);
    std::vector<Piece> pieces;
    for (Piece& piece : all) {
        if (piece.size() > 2 || distance(piece.front(), piece.back()) > tolerance) {
            pieces.push_back(std::move(piece));
        }
    }
    if (pieces.empty()) {
        contour.closed = false;
        return contour;
    }
    // Built only when a piece does not follow the one before it in the list: a construction
    // that walks its outline in order never needs it.
    std::optional<EndCells> ends;
    std::size_t corners = 0;
    for (const Piece& piece : pieces) {
        corners += piece.size() - 1;
    }
    contour.points.reserve(corners);
    contour.roles.reserve(corners);
    std::vector<bool> used(pieces.size(), false);
    const auto append = [&contour](const Piece& piece, bool reversed) {
        const std::size_t n = piece.size();
        for (std::size_t k = 0; k + 1 < n; ++k) {
            contour.points.push_back(piece.at(reversed ? n - 1 - k : k));
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
            if (!ends) {
                ends.emplace(pieces, tolerance);
            }
            if (ends->usable()) {
                for (const std::size_t i : ends->near(end)) {
                    consider(i);
                }
            } else {
                for (std::size_t i = 0; i < pieces.size(); ++i) {
                    consider(i);
                }
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
            into.push_back({line.role, line.from, line.to});
            continue;
        }
        const auto curve = static_cast<std::size_t>(line.curve);
        if (!curveTaken[curve]) {
            curveTaken[curve] = true;
            const ExactCurve& exactCurve = pattern.exactCurves[curve];
            into.push_back({exactCurve.role, {}, {}, &exactCurve.points});
        }
    }
    std::vector<Contour> result;
    for (std::size_t o = 0; o < pieces.size(); ++o) {
        result.push_back(chain(pattern.outlines[o], std::move(pieces[o])));
    }
    return result;
}

} // namespace

int PatternBuilder::newPiece(CutPiece cut) {
    const auto outline = static_cast<int>(m_pattern.outlines.size());
    m_pattern.outlines.push_back(OutlineKind::Piece);
    m_pattern.pieces.push_back({std::move(cut), outline, {}});
    m_piece = static_cast<int>(m_pattern.pieces.size()) - 1;
    return outline;
}

int PatternBuilder::newHole() {
    if (m_piece == kNoPiece) {
        throw std::logic_error("PatternBuilder: a hole before any piece");
    }
    const auto outline = static_cast<int>(m_pattern.outlines.size());
    m_pattern.outlines.push_back(OutlineKind::Hole);
    m_pattern.pieces[static_cast<std::size_t>(m_piece)].holes.push_back(outline);
    return outline;
}

void PatternBuilder::onPieceOf(int outline) {
    for (std::size_t p = 0; p < m_pattern.pieces.size(); ++p) {
        if (m_pattern.pieces[p].outline == outline) {
            m_piece = static_cast<int>(p);
            return;
        }
    }
    throw std::logic_error("PatternBuilder: no piece has this outline");
}

void PatternBuilder::line(LineRole role, PatternPoint from, PatternPoint to, LinePlace place) {
    m_pattern.lines.push_back({role, from, to, place.outline, place.pass, place.curve, m_piece});
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
    m_pattern.points.push_back({at.x, at.y, std::move(text), m_markRun, m_piece});
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
    m_pattern.captions.push_back({at, std::move(text), m_piece});
}

Pattern PatternBuilder::finish() && {
    // A curve drawn from thousands of fine points (a fan's arc) is cut as well from the few
    // that keep it within the tolerance; the reported points on it stay, where its chords end.
    std::vector<std::unordered_set<PointKey, PointKeyHash>> knots(m_pattern.exactCurves.size());
    for (const PatternLine& line : m_pattern.lines) {
        if (line.curve >= 0 && static_cast<std::size_t>(line.curve) < knots.size()) {
            auto& onCurve = knots[static_cast<std::size_t>(line.curve)];
            onCurve.insert(keyOf(line.from));
            onCurve.insert(keyOf(line.to));
        }
    }
    for (std::size_t c = 0; c < m_pattern.exactCurves.size(); ++c) {
        std::vector<PatternPoint>& points = m_pattern.exactCurves[c].points;
        std::vector<bool> kept(points.size());
        if (!knots[c].empty()) {
            for (std::size_t k = 0; k < points.size(); ++k) {
                kept[k] = knots[c].contains(keyOf(points[k]));
            }
        }
        points = thinnedCurve(points, kept);
    }
    m_pattern.contours = contours(m_pattern, false);
    m_pattern.exactContours = contours(m_pattern, true);
    return std::move(m_pattern);
}

bool hasFiniteGeometry(const Pattern& pattern) {
    const auto lineFinite = [](const PatternLine& l) { return isFinite(l.from) && isFinite(l.to); };
    const auto markFinite = [](const PointMark& m) {
        return std::isfinite(m.x) && std::isfinite(m.y);
    };
    const auto curveFinite = [](const ExactCurve& c) {
        return std::all_of(c.points.begin(), c.points.end(), isFinite);
    };
    return std::all_of(pattern.lines.begin(), pattern.lines.end(), lineFinite) &&
           std::all_of(pattern.exactCurves.begin(), pattern.exactCurves.end(), curveFinite) &&
           std::all_of(pattern.points.begin(), pattern.points.end(), markFinite);
}

} // namespace blachorys::core
