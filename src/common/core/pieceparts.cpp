#include "common/core/pieceparts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>

namespace blachorys::core {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
/** A part's side of a joint is sampled this far from the line, at most, mm. */
constexpr double kSideProbeMm = 0.05;

/** A corner of a loop being cut, known by an id that outlives the loops' renumbering. */
struct Node {
    PatternPoint p;
    LineRole role = LineRole::EndEdge; ///< of the edge to the next node
    std::uint64_t id = 0;
};
using Loop = std::vector<Node>;

/** A piece being cut: its outer loop first, anticlockwise, then its holes, clockwise. */
struct Region {
    std::vector<Loop> loops;
    std::vector<MarkedLine> markings;
    std::vector<PointMark> points;
};

/** A straight cut: from `origin` along the unit `direction`, between tMin and tMax of it. */
struct CutLine {
    PatternPoint origin;
    PatternPoint direction;
    double tMin = -kInfinity;
    double tMax = kInfinity;
};

struct Chord {
    PatternPoint from;
    PatternPoint to;
};

PatternPoint plus(PatternPoint a, PatternPoint b) {
    return {a.x + b.x, a.y + b.y};
}
PatternPoint minus(PatternPoint a, PatternPoint b) {
    return {a.x - b.x, a.y - b.y};
}
PatternPoint times(PatternPoint a, double k) {
    return {a.x * k, a.y * k};
}
double dot(PatternPoint a, PatternPoint b) {
    return a.x * b.x + a.y * b.y;
}
double cross(PatternPoint a, PatternPoint b) {
    return a.x * b.y - a.y * b.x;
}
double length(PatternPoint a) {
    return std::hypot(a.x, a.y);
}
PatternPoint unit(PatternPoint a) {
    const double l = length(a);
    return l > 0.0 ? PatternPoint{a.x / l, a.y / l} : PatternPoint{1.0, 0.0};
}
class Ids {
public:
    std::uint64_t next() { return m_next++; }

private:
    std::uint64_t m_next = 1;
};

Loop loopOf(const Contour& contour, Ids& ids) {
    Loop loop;
    for (std::size_t k = 0; k < contour.points.size(); ++k) {
        loop.push_back({contour.points[k], contour.roles[k], ids.next()});
    }
    return loop;
}

Contour contourOf(const Loop& loop, OutlineKind kind) {
    Contour contour;
    contour.kind = kind;
    for (const Node& node : loop) {
        contour.points.push_back(node.p);
        contour.roles.push_back(node.role);
    }
    return contour;
}

std::vector<PatternPoint> pointsOf(const Loop& loop) {
    std::vector<PatternPoint> points;
    for (const Node& node : loop) {
        points.push_back(node.p);
    }
    return points;
}

FlatPiece pieceOf(const Region& region) {
    FlatPiece piece;
    piece.outline = contourOf(region.loops.front(), OutlineKind::Piece);
    for (std::size_t h = 1; h < region.loops.size(); ++h) {
        piece.holes.push_back(contourOf(region.loops[h], OutlineKind::Hole));
    }
    return piece;
}

/** A hair of rounding for the piece's size: a point this near a cut is on it. */
double snapOf(const Region& region) {
    const FlatBox box = boxOf(pointsOf(region.loops.front()));
    return roundingAt(std::max({std::fabs(box.minX), std::fabs(box.maxX), std::fabs(box.minY),
                                std::fabs(box.maxY), box.width(), box.height()}));
}

struct Crossing {
    double t = 0.0;
    std::uint64_t id = 0;
};

/**
 * Puts a node wherever the cut crosses a loop of the region (a corner on the cut is one
 * already) and gives the chords: the runs of the cut between two crossings that lie inside.
 */
std::vector<std::pair<std::uint64_t, std::uint64_t>> crossingChords(Region& region,
                                                                    const CutLine& cut, Ids& ids) {
    const double snap = snapOf(region);
    const InsideTest inside(pieceOf(region));
    std::vector<Crossing> crossings;
    const auto along = [&cut](PatternPoint p) { return dot(minus(p, cut.origin), cut.direction); };
    const auto within = [&](double t) { return t >= cut.tMin - snap && t <= cut.tMax + snap; };
    for (Loop& loop : region.loops) {
        const std::size_t n = loop.size();
        std::vector<int> side(n);
        for (std::size_t k = 0; k < n; ++k) {
            const double s = cross(cut.direction, minus(loop[k].p, cut.origin));
            side[k] = std::fabs(s) <= snap ? 0 : (s > 0.0 ? 1 : -1);
        }
        if (std::all_of(side.begin(), side.end(), [](int s) { return s == 0; })) {
            continue;
        }
        Loop cutLoop;
        for (std::size_t k = 0; k < n; ++k) {
            cutLoop.push_back(loop[k]);
            if (side[k] == 0 && side[(k + n - 1) % n] != 0) {
                // A run of corners on the cut crosses it where the sides before and after differ.
                std::size_t after = k;
                while (side[after] == 0) {
                    after = (after + 1) % n;
                }
                if (side[(k + n - 1) % n] != side[after] && within(along(loop[k].p))) {
                    crossings.push_back({along(loop[k].p), loop[k].id});
                }
            }
            const std::size_t next = (k + 1) % n;
            if (side[k] * side[next] < 0) {
                const double sk = cross(cut.direction, minus(loop[k].p, cut.origin));
                const double sn = cross(cut.direction, minus(loop[next].p, cut.origin));
                const PatternPoint at =
                    plus(loop[k].p, times(minus(loop[next].p, loop[k].p), sk / (sk - sn)));
                if (within(along(at))) {
                    cutLoop.push_back({at, loop[k].role, ids.next()});
                    crossings.push_back({along(at), cutLoop.back().id});
                }
            }
        }
        loop = std::move(cutLoop);
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& a, const Crossing& b) { return a.t < b.t; });
    std::vector<std::pair<std::uint64_t, std::uint64_t>> chords;
    for (std::size_t c = 1; c < crossings.size(); ++c) {
        const double from = crossings[c - 1].t;
        const double to = crossings[c].t;
        if (to - from <= snap) {
            continue;
        }
        const PatternPoint middle = plus(cut.origin, times(cut.direction, (from + to) / 2));
        if (inside.contains(middle)) {
            chords.emplace_back(crossings[c - 1].id, crossings[c].id);
        }
    }
    return chords;
}

std::optional<std::pair<std::size_t, std::size_t>> find(const Region& region, std::uint64_t id) {
    for (std::size_t l = 0; l < region.loops.size(); ++l) {
        for (std::size_t k = 0; k < region.loops[l].size(); ++k) {
            if (region.loops[l][k].id == id) {
                return std::pair{l, k};
            }
        }
    }
    return std::nullopt;
}

/** The loop begun at its node `first`. */
Loop rotatedTo(const Loop& loop, std::size_t first) {
    Loop result(loop.begin() + static_cast<std::ptrdiff_t>(first), loop.end());
    result.insert(result.end(), loop.begin(), loop.begin() + static_cast<std::ptrdiff_t>(first));
    return result;
}

Loop anticlockwise(Loop loop, bool wanted) {
    if ((signedArea(pointsOf(loop)) > 0.0) != wanted) {
        const Contour flipped = reversed(contourOf(loop, OutlineKind::Piece));
        Loop result;
        for (std::size_t k = 0; k < flipped.points.size(); ++k) {
            // The ids go with their points.
            result.push_back({flipped.points[k], flipped.roles[k], loop[loop.size() - 1 - k].id});
        }
        return result;
    }
    return loop;
}

/** The regions the chord between nodes `a` and `b` of `region` leaves: one, or two. */
std::vector<Region> applyChord(Region region, std::uint64_t a, std::uint64_t b, Ids& ids) {
    const auto at = find(region, a);
    const auto bt = find(region, b);
    if (!at || !bt) {
        return {std::move(region)};
    }
    const auto [la, ia] = *at;
    const auto [lb, ib] = *bt;
    if (la != lb) {
        // A bridge to a hole: one loop round both, along the chord and back.
        const Loop& first = region.loops[la];
        const Loop& second = region.loops[lb];
        Loop joined(first.begin(), first.begin() + static_cast<std::ptrdiff_t>(ia) + 1);
        joined.back().role = LineRole::SeamEdge;
        const Loop round = rotatedTo(second, ib);
        joined.insert(joined.end(), round.begin(), round.end());
        joined.push_back({second[ib].p, LineRole::SeamEdge, ids.next()});
        joined.push_back({first[ia].p, first[ia].role, ids.next()});
        joined.insert(joined.end(), first.begin() + static_cast<std::ptrdiff_t>(ia) + 1,
                      first.end());
        const std::size_t kept = std::min(la, lb);
        region.loops[kept] = std::move(joined);
        region.loops.erase(region.loops.begin() + static_cast<std::ptrdiff_t>(std::max(la, lb)));
        return {std::move(region)};
    }
    const Loop loop = rotatedTo(region.loops[la], ia);
    const std::size_t jb = (ib + loop.size() - ia) % loop.size();
    Loop one(loop.begin(), loop.begin() + static_cast<std::ptrdiff_t>(jb) + 1);
    one.back().role = LineRole::SeamEdge;
    Loop other(loop.begin() + static_cast<std::ptrdiff_t>(jb), loop.end());
    other.push_back({loop.front().p, LineRole::SeamEdge, ids.next()});
    std::vector<Loop> holes;
    for (std::size_t h = 1; h < region.loops.size(); ++h) {
        if (h != la) {
            holes.push_back(region.loops[h]);
        }
    }
    Region first;
    Region second;
    if (la == 0) {
        first.loops = {std::move(one)};
        second.loops = {std::move(other)};
    } else {
        // A hole's chord through the plate cuts off the lens between them; the rest keeps the
        // hole and the lens together as its hole.
        const bool oneLarger =
            std::fabs(signedArea(pointsOf(one))) > std::fabs(signedArea(pointsOf(other)));
        Loop hole = oneLarger ? std::move(one) : std::move(other);
        Loop lens = oneLarger ? std::move(other) : std::move(one);
        first.loops = {region.loops.front(), anticlockwise(std::move(hole), false)};
        second.loops = {anticlockwise(std::move(lens), true)};
    }
    const InsideTest inFirst(pieceOf(first));
    for (Loop& hole : holes) {
        Region& into = inFirst.contains(hole.front().p) ? first : second;
        into.loops.push_back(std::move(hole));
    }
    return {std::move(first), std::move(second)};
}

/** The regions after a cut along the whole of `line`, and the chords it made. */
std::vector<Region> cutRegions(std::vector<Region> regions, const CutLine& line, Ids& ids,
                               std::vector<Chord>& chords) {
    std::vector<Region> result;
    for (Region& region : regions) {
        const auto made = crossingChords(region, line, ids);
        std::vector<Region> pieces{std::move(region)};
        for (const auto& ends : made) {
            // Named copies: a lambda cannot capture a structured binding in clang 14.
            const std::uint64_t a = ends.first;
            const std::uint64_t b = ends.second;
            // The chord splits the piece that holds its middle, the one that has both its ends.
            const auto endsIn = [&](const Region& r) { return find(r, a) && find(r, b); };
            const auto found = std::find_if(pieces.begin(), pieces.end(), endsIn);
            if (found == pieces.end()) {
                continue;
            }
            const PatternPoint from =
                found->loops[find(*found, a)->first][find(*found, a)->second].p;
            const PatternPoint to = found->loops[find(*found, b)->first][find(*found, b)->second].p;
            Region chosen = std::move(*found);
            pieces.erase(found);
            for (Region& piece : applyChord(std::move(chosen), a, b, ids)) {
                pieces.push_back(std::move(piece));
            }
            chords.push_back({from, to});
        }
        for (Region& piece : pieces) {
            result.push_back(std::move(piece));
        }
    }
    return result;
}

/**
 * How a piece lies along its generators, from its two straight seam edges: a sector about the
 * apex where their lines meet, a sheet of strips when they are parallel.
 */
struct Generators {
    bool sector = false;
    PatternPoint apex;      ///< a sector's
    PatternPoint direction; ///< the strips'
    /** A sector's sides: the angles of its seams about the apex, anticlockwise from first to last.
     */
    double firstSide = 0.0;
    double sweep = 0.0;
};

std::optional<Generators> generatorsOf(const Contour& outline) {
    const std::size_t n = outline.points.size();
    struct Seam {
        PatternPoint from;
        PatternPoint to;
        std::size_t index = 0;
    };
    std::vector<Seam> seams;
    for (std::size_t k = 0; k < n; ++k) {
        if (outline.roles[k] == LineRole::SeamEdge || outline.roles[k] == LineRole::ClosingSeam) {
            seams.push_back({outline.points[k], outline.points[(k + 1) % n], k});
        }
    }
    if (seams.size() < 2) {
        return std::nullopt;
    }
    std::partial_sort(seams.begin(), seams.begin() + 2, seams.end(),
                      [](const Seam& a, const Seam& b) {
                          return length(minus(a.to, a.from)) > length(minus(b.to, b.from));
                      });
    const PatternPoint u = unit(minus(seams[0].to, seams[0].from));
    const PatternPoint v = unit(minus(seams[1].to, seams[1].from));
    Generators generators;
    if (std::fabs(cross(u, v)) <= 1e-9) {
        generators.direction = u;
        return generators;
    }
    // Where the seams' lines meet.
    const double t = cross(minus(seams[1].from, seams[0].from), v) / cross(u, v);
    generators.sector = true;
    generators.apex = plus(seams[0].from, times(u, t));
    // The sweep from one seam to the other that holds the outline between them.
    const auto angleOf = [&generators](const Seam& seam) {
        const PatternPoint far =
            length(minus(seam.to, generators.apex)) > length(minus(seam.from, generators.apex))
                ? seam.to
                : seam.from;
        return std::atan2(far.y - generators.apex.y, far.x - generators.apex.x);
    };
    const Seam& first = seams[0].index < seams[1].index ? seams[0] : seams[1];
    const Seam& last = seams[0].index < seams[1].index ? seams[1] : seams[0];
    const std::size_t between = (first.index + 1 + (last.index - first.index) / 2) % n;
    const PatternPoint inside = minus(outline.points[between], generators.apex);
    const double a = angleOf(first);
    const double b = angleOf(last);
    const double turn = 2 * std::numbers::pi;
    const double ab = std::fmod(std::fmod(b - a, turn) + turn, turn);
    const double ai = std::fmod(std::fmod(std::atan2(inside.y, inside.x) - a, turn) + turn, turn);
    generators.firstSide = ai <= ab ? a : b;
    generators.sweep = ai <= ab ? ab : turn - ab;
    return generators;
}

/** The cuts of a sector: rays from the apex at equal angles between its seams. */
std::vector<CutLine> sectorCuts(const Generators& generators, int parts) {
    std::vector<CutLine> cuts;
    for (int i = 1; i < parts; ++i) {
        const double angle = generators.firstSide + generators.sweep * i / parts;
        cuts.push_back({generators.apex, {std::cos(angle), std::sin(angle)}, 0.0, kInfinity});
    }
    return cuts;
}

/** The cuts of strips: lines along the generators, at equal spacing across the piece. */
std::vector<CutLine> stripCuts(const Contour& outline, PatternPoint generators, int parts) {
    const PatternPoint along = unit(generators);
    const PatternPoint across{-along.y, along.x};
    double least = kInfinity;
    double most = -kInfinity;
    for (const PatternPoint p : outline.points) {
        least = std::min(least, dot(p, across));
        most = std::max(most, dot(p, across));
    }
    std::vector<CutLine> cuts;
    for (int i = 1; i < parts; ++i) {
        cuts.push_back({times(across, least + (most - least) * i / parts), along});
    }
    return cuts;
}

/**
 * A fan line's cut, a little past both its ends: its circle point lies on the developed circle,
 * which the outline follows by chords a few micrometres inside or outside it.
 */
CutLine fanCut(const FanLine& line) {
    constexpr double kPastTheEndsMm = 0.5;
    const PatternPoint run = minus(line.circle, line.side);
    return {line.side, unit(run), -kPastTheEndsMm, length(run) + kPastTheEndsMm};
}

/** Which region the point lies in, or none. */
std::optional<std::size_t> regionAt(const std::vector<InsideTest>& tests, PatternPoint p) {
    for (std::size_t r = 0; r < tests.size(); ++r) {
        if (tests[r].contains(p)) {
            return r;
        }
    }
    return std::nullopt;
}

/** A reported point on a cut belongs to the first part beside it. */
std::optional<std::size_t> regionNear(const std::vector<InsideTest>& tests, PatternPoint p,
                                      double probe) {
    if (const auto r = regionAt(tests, p)) {
        return r;
    }
    for (int k = 0; k < 8; ++k) {
        const double angle = k * std::numbers::pi / 4;
        if (const auto r =
                regionAt(tests, {p.x + probe * std::cos(angle), p.y + probe * std::sin(angle)})) {
            return r;
        }
    }
    return std::nullopt;
}

bool alongChord(PatternPoint a, PatternPoint b, const Chord& chord, double snap) {
    const PatternPoint direction = unit(minus(chord.to, chord.from));
    const double span = length(minus(chord.to, chord.from));
    const auto on = [&](PatternPoint p) {
        const PatternPoint v = minus(p, chord.from);
        const double t = dot(v, direction);
        return std::fabs(cross(direction, v)) <= snap && t >= -snap && t <= span + snap;
    };
    return on(a) && on(b);
}

/** The marking lines and reported points given to the regions they lie in. */
void shareOut(const PieceDrawing& piece, const std::vector<Chord>& chords,
              std::vector<Region>& regions, double snap) {
    std::vector<InsideTest> tests;
    for (const Region& region : regions) {
        tests.emplace_back(pieceOf(region));
    }
    for (const MarkedLine& line : piece.markings) {
        // Where the line crosses a joint it goes on in the next part.
        std::vector<double> at{0.0, 1.0};
        const PatternPoint run = minus(line.to, line.from);
        for (const Chord& chord : chords) {
            const PatternPoint c = minus(chord.to, chord.from);
            const double denominator = cross(run, c);
            if (std::fabs(denominator) <= 1e-12 * length(run) * length(c)) {
                continue;
            }
            const PatternPoint w = minus(chord.from, line.from);
            const double t = cross(w, c) / denominator;
            const double u = cross(w, run) / denominator;
            if (t > 0.0 && t < 1.0 && u >= 0.0 && u <= 1.0) {
                at.push_back(t);
            }
        }
        std::sort(at.begin(), at.end());
        for (std::size_t k = 1; k < at.size(); ++k) {
            const PatternPoint a = plus(line.from, times(run, at[k - 1]));
            const PatternPoint b = plus(line.from, times(run, at[k]));
            const bool onAJoint = std::any_of(chords.begin(), chords.end(), [&](const Chord& c) {
                return alongChord(a, b, c, snap);
            });
            if (onAJoint || length(minus(b, a)) <= snap) {
                continue;
            }
            if (const auto r = regionNear(tests, times(plus(a, b), 0.5), kSideProbeMm)) {
                regions[*r].markings.push_back({a, b, line.role});
            }
        }
    }
    for (const PointMark& mark : piece.points) {
        if (const auto r = regionNear(tests, {mark.x, mark.y}, kSideProbeMm)) {
            regions[*r].points.push_back(mark);
        }
    }
}

Region movedRegion(const Region& region, const Motion& motion) {
    Region result = region;
    for (Loop& loop : result.loops) {
        for (Node& node : loop) {
            node.p = motion(node.p);
        }
    }
    for (MarkedLine& line : result.markings) {
        line.from = motion(line.from);
        line.to = motion(line.to);
    }
    for (PointMark& mark : result.points) {
        const PatternPoint p = motion({mark.x, mark.y});
        mark.x = p.x;
        mark.y = p.y;
    }
    return result;
}

/** Index of the node of the loop nearest `p`, when within `snap` of it. */
std::optional<std::size_t> nodeAt(const Loop& loop, PatternPoint p, double snap) {
    std::optional<std::size_t> best;
    double nearest = snap;
    for (std::size_t k = 0; k < loop.size(); ++k) {
        const double d = length(minus(loop[k].p, p));
        if (d <= nearest) {
            nearest = d;
            best = k;
        }
    }
    return best;
}

/**
 * The region `into` with `other` joined to it along one edge: its outer loop runs from u to v
 * where the other's runs from v to u. Nothing when the two have no such edge.
 */
std::optional<Region> joinedAlong(const Region& into, const Region& other, PatternPoint u,
                                  PatternPoint v, double snap) {
    const Loop& a = into.loops.front();
    const Loop& b = other.loops.front();
    const auto au = nodeAt(a, u, snap);
    const auto av = nodeAt(a, v, snap);
    const auto bu = nodeAt(b, u, snap);
    const auto bv = nodeAt(b, v, snap);
    if (!au || !av || !bu || !bv) {
        return std::nullopt;
    }
    // Make the edge run from the first node to the second in `into`.
    std::size_t from = *au;
    std::size_t to = *av;
    std::size_t otherFrom = *bv;
    std::size_t otherTo = *bu;
    if ((from + 1) % a.size() != to) {
        std::swap(from, to);
        std::swap(otherFrom, otherTo);
    }
    if ((from + 1) % a.size() != to || (otherFrom + 1) % b.size() != otherTo) {
        return std::nullopt;
    }
    // From `to` round `into` to `from`, then from the other's twin of `from` round it back.
    Loop joined = rotatedTo(a, to);
    joined.back().role = b[otherTo].role;
    const Loop round = rotatedTo(b, otherTo);
    joined.insert(joined.end(), round.begin() + 1, round.end() - 1);
    Region result = into;
    result.loops.front() = std::move(joined);
    result.loops.insert(result.loops.end(), other.loops.begin() + 1, other.loops.end());
    result.markings.insert(result.markings.end(), other.markings.begin(), other.markings.end());
    result.points.insert(result.points.end(), other.points.begin(), other.points.end());
    return result;
}

std::optional<std::size_t> regionWithNodes(const std::vector<Region>& regions,
                                           const std::array<PatternPoint, 2>& ends, double snap) {
    for (std::size_t r = 0; r < regions.size(); ++r) {
        const Loop& outer = regions[r].loops.front();
        if (nodeAt(outer, ends[0], snap) && nodeAt(outer, ends[1], snap)) {
            return r;
        }
    }
    return std::nullopt;
}

/** Chords of one side of the piece, before any part was moved. */
struct Joint {
    Chord chord;
    std::array<std::size_t, 2> regions{};
};

std::vector<Joint> jointsOf(const std::vector<Chord>& chords, const std::vector<Region>& regions) {
    std::vector<InsideTest> tests;
    for (const Region& region : regions) {
        tests.emplace_back(pieceOf(region));
    }
    std::vector<Joint> joints;
    for (const Chord& chord : chords) {
        const PatternPoint run = minus(chord.to, chord.from);
        const double probe = std::min(kSideProbeMm, length(run) / 100);
        const PatternPoint normal = times(unit({-run.y, run.x}), probe);
        const PatternPoint middle = times(plus(chord.from, chord.to), 0.5);
        const auto left = regionAt(tests, plus(middle, normal));
        const auto right = regionAt(tests, minus(middle, normal));
        if (left && right && *left != *right) {
            joints.push_back({chord, {*left, *right}});
        }
    }
    return joints;
}

/** The order of the parts along the split: by angle, by place across, or round the fans. */
std::vector<std::size_t> partOrder(const std::vector<Region>& regions, const SplitPlan& plan,
                                   const std::optional<Generators>& generators,
                                   const std::vector<Joint>& joints, std::size_t first) {
    std::vector<std::size_t> order(regions.size());
    for (std::size_t r = 0; r < order.size(); ++r) {
        order[r] = r;
    }
    std::vector<double> key(regions.size(), 0.0);
    for (std::size_t r = 0; r < regions.size(); ++r) {
        const PatternPoint c = centroidOf(contourOf(regions[r].loops.front(), OutlineKind::Piece));
        if (generators && generators->sector) {
            // Anticlockwise from the first seam.
            const double angle = std::atan2(c.y - generators->apex.y, c.x - generators->apex.x);
            const double turn = 2 * std::numbers::pi;
            key[r] = std::fmod(std::fmod(angle - generators->firstSide, turn) + turn, turn);
        } else if (generators) {
            key[r] = dot(c, {-generators->direction.y, generators->direction.x});
        }
    }
    if (plan.kind == SplitKind::AlongFans) {
        // From the part that holds the seam, to each neighbour in turn.
        order = {first};
        std::vector<bool> taken(regions.size(), false);
        taken[first] = true;
        for (std::size_t step = 1; step < regions.size(); ++step) {
            for (const Joint& joint : joints) {
                const std::size_t last = order.back();
                const std::size_t next = joint.regions[0] == last   ? joint.regions[1]
                                         : joint.regions[1] == last ? joint.regions[0]
                                                                    : last;
                if (next != last && !taken[next]) {
                    order.push_back(next);
                    taken[next] = true;
                    break;
                }
            }
        }
        for (std::size_t r = 0; r < regions.size(); ++r) {
            if (!taken[r]) {
                order.push_back(r);
            }
        }
        return order;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&key](std::size_t a, std::size_t b) { return key[a] < key[b]; });
    return order;
}

/** The side of a joint on one part, with its marks and the ticks into that part. */
JointSide sideOf(std::size_t part, const Chord& chord, PieceDrawing& drawing) {
    JointSide side{part, chord.from, chord.to, {}};
    const PatternPoint run = minus(chord.to, chord.from);
    const double span = length(run);
    const double tick = std::min(kMatchMarkMm, span / 5);
    const PatternPoint normal = unit({-run.y, run.x});
    const InsideTest inside(drawing.piece);
    const PatternPoint middle = times(plus(chord.from, chord.to), 0.5);
    const double probe = std::min(kSideProbeMm, span / 100);
    const PatternPoint into =
        inside.contains(plus(middle, times(normal, probe))) ? normal : times(normal, -1.0);
    for (std::size_t m = 0; m < 2; ++m) {
        side.marks[m] = plus(chord.from, times(run, m == 0 ? 0.25 : 0.75));
        drawing.markings.push_back(
            {side.marks[m], plus(side.marks[m], times(into, tick)), LineRole::MatchMark});
    }
    return side;
}

} // namespace

bool splitsInto(const SplitPlan& plan, int parts) {
    if (parts == 1) {
        return true;
    }
    switch (plan.kind) {
    case SplitKind::None:
        return false;
    case SplitKind::AlongGenerators:
        return parts > 1;
    case SplitKind::AlongFans:
        return plan.fanLines.size() == 4 && (parts == 2 || parts == 4);
    }
    return false;
}

SplitPiece splitPiece(const PieceDrawing& piece, const SplitPlan& plan, int parts) {
    SplitPiece whole{{piece}, {}};
    if (parts <= 1 || !splitsInto(plan, parts) || piece.piece.outline.points.size() < 3) {
        return whole;
    }
    Ids ids;
    Region start;
    start.loops.push_back(loopOf(piece.piece.outline, ids));
    for (const Contour& hole : piece.piece.holes) {
        start.loops.push_back(loopOf(hole, ids));
    }
    const double snap = snapOf(start);

    std::vector<std::vector<CutLine>> choices;
    std::optional<Generators> generators;
    if (plan.kind == SplitKind::AlongGenerators) {
        generators = generatorsOf(piece.piece.outline);
        if (!generators) {
            return whole;
        }
        choices.push_back(generators->sector
                              ? sectorCuts(*generators, parts)
                              : stripCuts(piece.piece.outline, generators->direction, parts));
    } else {
        // Two parts: along the two fan lines of either pair of opposite sides.
        const std::vector<std::vector<std::size_t>> lines =
            parts == 4 ? std::vector<std::vector<std::size_t>>{{0, 1, 2, 3}}
                       : std::vector<std::vector<std::size_t>>{{0, 2}, {1, 3}};
        for (const auto& chosen : lines) {
            std::vector<CutLine> cuts;
            for (const std::size_t l : chosen) {
                cuts.push_back(fanCut(plan.fanLines[l]));
            }
            choices.push_back(std::move(cuts));
        }
    }

    std::optional<SplitPiece> best;
    double bestSpread = kInfinity;
    for (const auto& cuts : choices) {
        std::vector<Region> regions{start};
        std::vector<Chord> chords;
        for (const CutLine& cut : cuts) {
            regions = cutRegions(std::move(regions), cut, ids, chords);
        }
        shareOut(piece, chords, regions, snap);
        std::vector<Joint> joints = jointsOf(chords, regions);
        std::size_t first = 0;
        std::vector<Motion> motions(regions.size());
        std::vector<std::size_t> partOfRegion(regions.size());
        for (std::size_t r = 0; r < regions.size(); ++r) {
            partOfRegion[r] = r;
        }
        if (plan.kind == SplitKind::AlongFans) {
            const auto atStart = regionWithNodes(regions, plan.seamStart, 1e3 * snap);
            const auto atEnd = regionWithNodes(regions, plan.seamEnd, 1e3 * snap);
            if (!atStart || !atEnd || *atStart == *atEnd) {
                continue;
            }
            const Motion onto =
                motionOnto(plan.seamEnd[0], plan.seamEnd[1], plan.seamStart[0], plan.seamStart[1]);
            const auto joined = joinedAlong(regions[*atStart], movedRegion(regions[*atEnd], onto),
                                            plan.seamStart[0], plan.seamStart[1], 1e3 * snap);
            if (!joined) {
                continue;
            }
            regions[*atStart] = *joined;
            motions[*atEnd] = onto;
            partOfRegion[*atEnd] = *atStart;
            first = *atStart;
        }
        // The regions left, in their order along the split, become the parts.
        std::vector<Region> kept;
        std::vector<std::size_t> keptIndex(regions.size(), 0);
        std::vector<std::size_t> keptOf;
        for (std::size_t r = 0; r < regions.size(); ++r) {
            if (partOfRegion[r] == r) {
                keptIndex[r] = kept.size();
                keptOf.push_back(r);
                kept.push_back(regions[r]);
            }
        }
        std::vector<Joint> keptJoints;
        for (Joint joint : joints) {
            joint.regions = {keptIndex[partOfRegion[joint.regions[0]]],
                             keptIndex[partOfRegion[joint.regions[1]]]};
            keptJoints.push_back(joint);
        }
        const std::vector<std::size_t> order =
            partOrder(kept, plan, generators, keptJoints, keptIndex[first]);
        std::vector<std::size_t> number(kept.size());
        SplitPiece split;
        for (std::size_t p = 0; p < order.size(); ++p) {
            number[order[p]] = p;
            PieceDrawing part;
            part.piece = pieceOf(kept[order[p]]);
            part.markings = kept[order[p]].markings;
            part.points = kept[order[p]].points;
            split.parts.push_back(std::move(part));
        }
        for (std::size_t j = 0; j < joints.size(); ++j) {
            PartJoint joint;
            for (std::size_t s = 0; s < 2; ++s) {
                // A side on a part that was moved onto the seam has its line moved with it.
                const Motion& motion = motions[joints[j].regions[s]];
                const Chord chord{motion(joints[j].chord.from), motion(joints[j].chord.to)};
                const std::size_t part = number[keptJoints[j].regions[s]];
                joint.sides[s] = sideOf(part, chord, split.parts[part]);
            }
            split.joints.push_back(joint);
        }
        double spread = 0.0;
        for (const PieceDrawing& part : split.parts) {
            const FlatBox box = boxOf(part.piece.outline.points);
            spread += box.width() * box.height();
        }
        if (spread < bestSpread) {
            bestSpread = spread;
            best = std::move(split);
        }
    }
    return best ? *best : whole;
}

} // namespace blachorys::core
