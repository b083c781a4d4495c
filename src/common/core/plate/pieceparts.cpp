#include "common/core/plate/pieceparts.h"

#include "common/core/plate/regioncut.h"

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
    std::partial_sort(
        seams.begin(), seams.begin() + 2, seams.end(),
        [](const Seam& a, const Seam& b) { return length(a.to - a.from) > length(b.to - b.from); });
    const PatternPoint u = unit(seams[0].to - seams[0].from);
    const PatternPoint v = unit(seams[1].to - seams[1].from);
    Generators generators;
    if (std::fabs(cross(u, v)) <= 1e-9) {
        generators.direction = u;
        return generators;
    }
    // Where the seams' lines meet.
    const double t = cross((seams[1].from - seams[0].from), v) / cross(u, v);
    generators.sector = true;
    generators.apex = seams[0].from + (u * t);
    // The sweep from one seam to the other that holds the outline between them.
    const auto angleOf = [&generators](const Seam& seam) {
        const PatternPoint far =
            length(seam.to - generators.apex) > length(seam.from - generators.apex) ? seam.to
                                                                                    : seam.from;
        return std::atan2(far.y - generators.apex.y, far.x - generators.apex.x);
    };
    const Seam& first = seams[0].index < seams[1].index ? seams[0] : seams[1];
    const Seam& last = seams[0].index < seams[1].index ? seams[1] : seams[0];
    const std::size_t between = (first.index + 1 + (last.index - first.index) / 2) % n;
    const PatternPoint inside = outline.points[between] - generators.apex;
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
        cuts.push_back({(across * (least + (most - least) * i / parts)), along});
    }
    return cuts;
}

/**
 * A split line's cut, a little past both its ends: an end on a curved edge lies on the true
 * curve, which the outline follows by chords a few micrometres inside or outside it.
 */
CutLine lineCut(const SplitLine& line) {
    constexpr double kPastTheEndsMm = 0.5;
    const PatternPoint run = line.to - line.from;
    return {line.from, unit(run), -kPastTheEndsMm, length(run) + kPastTheEndsMm};
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
    const PatternPoint direction = unit(chord.to - chord.from);
    const double span = length(chord.to - chord.from);
    const auto on = [&](PatternPoint p) {
        const PatternPoint v = p - chord.from;
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
        const PatternPoint run = line.to - line.from;
        for (const Chord& chord : chords) {
            const PatternPoint c = chord.to - chord.from;
            const double denominator = cross(run, c);
            if (std::fabs(denominator) <= 1e-12 * length(run) * length(c)) {
                continue;
            }
            const PatternPoint w = chord.from - line.from;
            const double t = cross(w, c) / denominator;
            const double u = cross(w, run) / denominator;
            if (t > 0.0 && t < 1.0 && u >= 0.0 && u <= 1.0) {
                at.push_back(t);
            }
        }
        std::sort(at.begin(), at.end());
        for (std::size_t k = 1; k < at.size(); ++k) {
            const PatternPoint a = line.from + (run * at[k - 1]);
            const PatternPoint b = line.from + (run * at[k]);
            const bool onAJoint = std::any_of(chords.begin(), chords.end(), [&](const Chord& c) {
                return alongChord(a, b, c, snap);
            });
            if (onAJoint || length(b - a) <= snap) {
                continue;
            }
            if (const auto r = regionNear(tests, ((a + b) * 0.5), kSideProbeMm)) {
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
        const PatternPoint run = chord.to - chord.from;
        const double probe = std::min(kSideProbeMm, length(run) / 100);
        const PatternPoint normal = unit({-run.y, run.x}) * probe;
        const PatternPoint middle = (chord.from + chord.to) * 0.5;
        const auto left = regionAt(tests, (middle + normal));
        const auto right = regionAt(tests, (middle - normal));
        if (left && right && *left != *right) {
            joints.push_back({chord, {*left, *right}});
        }
    }
    return joints;
}

/** The order of the parts along the split: by angle, by place across, or round the lines. */
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
    if (plan.kind == SplitKind::AlongLines) {
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
    const PatternPoint run = chord.to - chord.from;
    const double span = length(run);
    const double tick = std::min(kMatchMarkMm, span / 5);
    const PatternPoint normal = unit({-run.y, run.x});
    const InsideTest inside(drawing.piece);
    const PatternPoint middle = (chord.from + chord.to) * 0.5;
    const double probe = std::min(kSideProbeMm, span / 100);
    const PatternPoint into =
        inside.contains((middle + (normal * probe))) ? normal : (normal * -1.0);
    for (std::size_t m = 0; m < 2; ++m) {
        side.marks[m] = chord.from + (run * (m == 0 ? 0.25 : 0.75));
        drawing.markings.push_back(
            {side.marks[m], (side.marks[m] + (into * tick)), LineRole::MatchMark});
    }
    return side;
}

/** The sets of lines to cut the piece along: one along generators, one or two along lines. */
std::vector<std::vector<CutLine>> cutChoices(const PieceDrawing& piece, const SplitPlan& plan,
                                             int parts,
                                             const std::optional<Generators>& generators) {
    if (plan.kind == SplitKind::AlongGenerators) {
        return {generators->sector ? sectorCuts(*generators, parts)
                                   : stripCuts(piece.piece.outline, generators->direction, parts)};
    }
    if (!plan.areaBefore.empty()) {
        std::vector<CutLine> cuts;
        for (const std::size_t l :
             equalAreaLines(plan, parts).value_or(std::vector<std::size_t>{})) {
            cuts.push_back(lineCut(plan.lines[l]));
        }
        return {cuts};
    }
    // Along every line, or along every other one from either of the first two.
    std::vector<std::vector<CutLine>> choices;
    const std::size_t lines = plan.lines.size();
    const std::size_t stride = static_cast<std::size_t>(parts) == lines ? 1 : 2;
    for (std::size_t first = 0; first < stride; ++first) {
        std::vector<CutLine> cuts;
        for (std::size_t l = first; l < lines; l += stride) {
            cuts.push_back(lineCut(plan.lines[l]));
        }
        choices.push_back(std::move(cuts));
    }
    return choices;
}

/** The regions one set of cuts leaves, with what became of each. */
struct RegionsCut {
    std::vector<Region> regions;
    std::vector<Joint> joints;
    /** Per region: how it was moved, and the region it is part of (itself, unless joined). */
    std::vector<Motion> motions;
    std::vector<std::size_t> partOfRegion;
    /** The region that holds the seam's start: the first part round the lines. */
    std::size_t first = 0;
};

/**
 * The part that holds the seam's end moved onto the seam's start and joined to the part there,
 * so that the seams lie on the split lines; false where the two cannot be joined.
 */
bool rejoinedAtTheSeam(RegionsCut& cut, const SplitPlan& plan, double snap) {
    const auto atStart = regionWithNodes(cut.regions, plan.seamStart, 1e3 * snap);
    const auto atEnd = regionWithNodes(cut.regions, plan.seamEnd, 1e3 * snap);
    if (!atStart || !atEnd || *atStart == *atEnd) {
        return false;
    }
    const Motion onto =
        motionOnto(plan.seamEnd[0], plan.seamEnd[1], plan.seamStart[0], plan.seamStart[1]);
    const auto joined = joinedAlong(cut.regions[*atStart], movedRegion(cut.regions[*atEnd], onto),
                                    plan.seamStart[0], plan.seamStart[1], 1e3 * snap);
    if (!joined) {
        return false;
    }
    cut.regions[*atStart] = *joined;
    cut.motions[*atEnd] = onto;
    cut.partOfRegion[*atEnd] = *atStart;
    cut.first = *atStart;
    return true;
}

/** The regions left, in their order along the split, as the numbered parts and their joints. */
SplitPiece partsOf(const RegionsCut& cut, const SplitPlan& plan,
                   const std::optional<Generators>& generators) {
    std::vector<Region> kept;
    std::vector<std::size_t> keptIndex(cut.regions.size(), 0);
    for (std::size_t r = 0; r < cut.regions.size(); ++r) {
        if (cut.partOfRegion[r] == r) {
            keptIndex[r] = kept.size();
            kept.push_back(cut.regions[r]);
        }
    }
    std::vector<Joint> keptJoints;
    for (Joint joint : cut.joints) {
        joint.regions = {keptIndex[cut.partOfRegion[joint.regions[0]]],
                         keptIndex[cut.partOfRegion[joint.regions[1]]]};
        keptJoints.push_back(joint);
    }
    const std::vector<std::size_t> order =
        partOrder(kept, plan, generators, keptJoints, keptIndex[cut.first]);
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
    for (std::size_t j = 0; j < cut.joints.size(); ++j) {
        PartJoint joint;
        for (std::size_t s = 0; s < 2; ++s) {
            // A side on a part that was moved onto the seam has its line moved with it.
            const Motion& motion = cut.motions[cut.joints[j].regions[s]];
            const Chord chord{motion(cut.joints[j].chord.from), motion(cut.joints[j].chord.to)};
            const std::size_t part = number[keptJoints[j].regions[s]];
            joint.sides[s] = sideOf(part, chord, split.parts[part]);
        }
        split.joints.push_back(joint);
    }
    return split;
}

/** The area of the parts' boxes: the less, the more compact the parts. */
double spreadOf(const SplitPiece& split) {
    double spread = 0.0;
    for (const PieceDrawing& part : split.parts) {
        const FlatBox box = boxOf(part.piece.outline.points);
        spread += box.width() * box.height();
    }
    return spread;
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
    case SplitKind::AlongLines: {
        if (!plan.areaBefore.empty()) {
            return equalAreaLines(plan, parts).has_value();
        }
        const auto lines = static_cast<int>(plan.lines.size());
        return lines >= 2 && (parts == lines || (lines % 2 == 0 && parts == lines / 2));
    }
    }
    return false;
}

std::optional<std::vector<std::size_t>> equalAreaLines(const SplitPlan& plan, int parts) {
    const std::vector<double>& at = plan.areaBefore;
    const double whole = plan.area;
    if (parts < 2 || parts > kMostChosenLineParts || at.size() != plan.lines.size() ||
        at.size() < static_cast<std::size_t>(parts) || !(whole > 0.0) ||
        !std::is_sorted(at.begin(), at.end())) {
        return std::nullopt;
    }
    const double share = whole / parts;
    const auto nearest = [&at](double area) {
        const auto above = std::lower_bound(at.begin(), at.end(), area);
        if (above == at.begin()) {
            return std::size_t{0};
        }
        if (above == at.end() || area - *(above - 1) <= *above - area) {
            return static_cast<std::size_t>(above - 1 - at.begin());
        }
        return static_cast<std::size_t>(above - at.begin());
    };
    std::optional<std::vector<std::size_t>> best;
    double bestOff = kEqualAreaTolerance;
    // Each line in turn the first cut, the others the lines nearest an equal share on from it;
    // the part across the seam is the one that wraps round.
    for (std::size_t first = 0; first < at.size(); ++first) {
        std::vector<std::size_t> chosen{first};
        for (int j = 1; j < parts; ++j) {
            double area = at[first] + share * j;
            if (area >= whole) {
                area -= whole;
            }
            chosen.push_back(nearest(area));
        }
        std::sort(chosen.begin(), chosen.end());
        if (std::adjacent_find(chosen.begin(), chosen.end()) != chosen.end()) {
            continue;
        }
        double off = std::fabs(whole - at[chosen.back()] + at[chosen.front()] - share) / share;
        for (std::size_t k = 1; k < chosen.size(); ++k) {
            off = std::max(off, std::fabs(at[chosen[k]] - at[chosen[k - 1]] - share) / share);
        }
        if (off <= bestOff) {
            bestOff = off;
            best = std::move(chosen);
        }
    }
    return best;
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
    std::optional<Generators> generators;
    if (plan.kind == SplitKind::AlongGenerators) {
        generators = generatorsOf(piece.piece.outline);
        if (!generators) {
            return whole;
        }
    }
    std::optional<SplitPiece> best;
    double bestSpread = kInfinity;
    for (const auto& cuts : cutChoices(piece, plan, parts, generators)) {
        RegionsCut cut;
        cut.regions = {start};
        std::vector<Chord> chords;
        for (const CutLine& line : cuts) {
            cut.regions = cutRegions(std::move(cut.regions), line, ids, chords);
        }
        shareOut(piece, chords, cut.regions, snap);
        cut.joints = jointsOf(chords, cut.regions);
        cut.motions.assign(cut.regions.size(), Motion{});
        for (std::size_t r = 0; r < cut.regions.size(); ++r) {
            cut.partOfRegion.push_back(r);
        }
        if (plan.kind == SplitKind::AlongLines && !rejoinedAtTheSeam(cut, plan, snap)) {
            continue;
        }
        SplitPiece split = partsOf(cut, plan, generators);
        const double spread = spreadOf(split);
        if (spread < bestSpread) {
            bestSpread = spread;
            best = std::move(split);
        }
    }
    return best ? *best : whole;
}

} // namespace blachorys::core
