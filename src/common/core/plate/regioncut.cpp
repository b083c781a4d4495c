#include "common/core/plate/regioncut.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {
namespace {

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
    const auto along = [&cut](PatternPoint p) { return dot((p - cut.origin), cut.direction); };
    const auto within = [&](double t) { return t >= cut.tMin - snap && t <= cut.tMax + snap; };
    for (Loop& loop : region.loops) {
        const std::size_t n = loop.size();
        std::vector<int> side(n);
        for (std::size_t k = 0; k < n; ++k) {
            const double s = cross(cut.direction, (loop[k].p - cut.origin));
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
                const double sk = cross(cut.direction, (loop[k].p - cut.origin));
                const double sn = cross(cut.direction, (loop[next].p - cut.origin));
                const PatternPoint at = loop[k].p + ((loop[next].p - loop[k].p) * (sk / (sk - sn)));
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
        const PatternPoint middle = cut.origin + (cut.direction * ((from + to) / 2));
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
    if ((ringArea(pointsOf(loop)) > 0.0) != wanted) {
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
            std::fabs(ringArea(pointsOf(one))) > std::fabs(ringArea(pointsOf(other)));
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

} // namespace

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

double snapOf(const Region& region) {
    const FlatBox box = boxOf(pointsOf(region.loops.front()));
    return roundingAt(std::max({std::fabs(box.minX), std::fabs(box.maxX), std::fabs(box.minY),
                                std::fabs(box.maxY), box.width(), box.height()}));
}

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

Region movedRegion(const Region& region, const Motion& motion) {
    Region result = region;
    for (Loop& loop : result.loops) {
        for (Node& node : loop) {
            node.p = motion(node.p);
        }
    }
    for (MarkedLine& line : result.markings) {
        line = moved(line, motion);
    }
    for (PointMark& mark : result.points) {
        mark = moved(mark, motion);
    }
    return result;
}

std::optional<std::size_t> nodeAt(const Loop& loop, PatternPoint p, double snap) {
    std::optional<std::size_t> best;
    double nearest = snap;
    for (std::size_t k = 0; k < loop.size(); ++k) {
        const double d = length(loop[k].p - p);
        if (d <= nearest) {
            nearest = d;
            best = k;
        }
    }
    return best;
}

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

} // namespace blachorys::core
