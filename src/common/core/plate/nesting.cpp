#include "common/core/plate/nesting.h"

#include "common/core/plate/shelfplacement.h"

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <optional>
#include <tuple>

namespace blachorys::core {
namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

/** Clipper works in whole units: a hundredth of a millimetre. */
constexpr double kUnitsPerMm = 100.0;
/**
 * The outlines are nested by fewer points than they are cut by, none farther than this from
 * the cut, mm; the gap is widened by as much so that the cut keeps it.
 */
constexpr double kOutlineToleranceMm = 0.25;
constexpr double kMiterLimit = 2.0;

cInt units(double mm) {
    return static_cast<cInt>(std::llround(mm * kUnitsPerMm));
}

/** One way a piece may lie: its outline turned, widened by half the gap, round its origin. */
struct Shape {
    Path path;
    cInt minX = 0;
    cInt minY = 0;
    cInt maxX = 0;
    cInt maxY = 0;
};

/** The point turned a quarter anticlockwise `quarterTurns` times: exact in whole units. */
IntPoint turned(IntPoint p, int quarterTurns) {
    for (int t = 0; t < quarterTurns; ++t) {
        p = {-p.Y, p.X};
    }
    return p;
}

Shape boxed(Path path) {
    Shape shape;
    shape.path = std::move(path);
    shape.minX = shape.minY = std::numeric_limits<cInt>::max();
    shape.maxX = shape.maxY = std::numeric_limits<cInt>::min();
    for (const IntPoint& p : shape.path) {
        shape.minX = std::min(shape.minX, p.X);
        shape.minY = std::min(shape.minY, p.Y);
        shape.maxX = std::max(shape.maxX, p.X);
        shape.maxY = std::max(shape.maxY, p.Y);
    }
    return shape;
}

/** The outline, widened by `widenMm`, as it lies unturned. */
Shape shapeOf(const std::vector<PatternPoint>& outline, double widenMm) {
    Path path;
    for (const PatternPoint p : outline) {
        path.push_back({units(p.x), units(p.y)});
    }
    if (!ClipperLib::Orientation(path)) {
        std::reverse(path.begin(), path.end());
    }
    ClipperLib::ClipperOffset offset(kMiterLimit);
    offset.AddPath(path, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
    Paths widened;
    offset.Execute(widened, widenMm * kUnitsPerMm);
    // The widened outline of one piece is one outer path; any other is a pocket it closes.
    Path outer;
    for (const Path& candidate : widened) {
        if (ClipperLib::Orientation(candidate) &&
            std::fabs(ClipperLib::Area(candidate)) > std::fabs(ClipperLib::Area(outer))) {
            outer = candidate;
        }
    }
    return boxed(std::move(outer));
}

/**
 * The shape turned: each way a piece may lie is the same path turned, so that a no-fit polygon
 * found for one pair of turns serves every pair turned alike.
 */
Shape turnedShape(const Shape& shape, int quarterTurns) {
    Path path;
    path.reserve(shape.path.size());
    for (const IntPoint& p : shape.path) {
        path.push_back(turned(p, quarterTurns));
    }
    return boxed(std::move(path));
}

/**
 * Where the origin of `moving` may not go while `fixed` lies at its own origin: the Minkowski
 * sum of `fixed` with `moving` turned inside out, filled (a pocket of `fixed` that `moving`
 * could enter is given up).
 */
Paths noFitPolygon(const Shape& fixed, const Shape& moving) {
    Path inverted;
    for (const IntPoint& p : moving.path) {
        inverted.push_back({-p.X, -p.Y});
    }
    Paths sum;
    ClipperLib::MinkowskiSum(inverted, fixed.path, sum, true);
    Paths outer;
    for (Path& path : sum) {
        if (ClipperLib::Orientation(path)) {
            outer.push_back(std::move(path));
        }
    }
    return outer;
}

struct Placed {
    std::size_t piece = 0;
    int turns = 0;
    IntPoint at;
};

struct Candidate {
    IntPoint at;
    int turns = 0;
};

/** Lower first, then further left. */
bool lowerLeft(const IntPoint& a, const IntPoint& b) {
    return std::tie(a.Y, a.X) < std::tie(b.Y, b.X);
}

/** Moves the outline, turned by `turn`, so that its box begins at the origin. */
Motion atOrigin(const Contour& outline, const Motion& turn) {
    const FlatBox box = boxOf(moved(outline, turn).points);
    return turn.then(Motion::moveBy({-box.minX, -box.minY}));
}

/**
 * Where a piece's shapes are made: turned to its smallest box (a sector that lies aslant in its
 * pattern is nested upright) when that fits the plate, else as it lies, else turned as far as
 * it takes to fit; its box moved to the origin. None when no turn fits.
 */
std::optional<Motion> toOrigin(const JobPiece& piece, const Plate& plate, double gapMm) {
    for (const Motion& turn : {uprightTurn(piece.flat.outline.points), Motion{}}) {
        const Motion motion = atOrigin(piece.flat.outline, turn);
        const FlatBox box = boxOf(moved(piece.flat.outline, motion).points);
        if (boxFitsPlate(box.width(), box.height(), plate, gapMm)) {
            return motion;
        }
    }
    const std::optional<Motion> fitting =
        turnThatFits(piece.flat.outline.points, plate.length - 2 * gapMm, plate.width - 2 * gapMm);
    if (!fitting) {
        return std::nullopt;
    }
    return atOrigin(piece.flat.outline, *fitting);
}

class Nester {
public:
    Nester(const std::vector<JobPiece>& pieces, const Plate& plate, double gapMm)
        : m_length(units(plate.length)), m_width(units(plate.width)), m_edge(units(gapMm / 2)) {
        for (const JobPiece& piece : pieces) {
            std::array<Shape, 4> shapes;
            // A piece larger than the plate is never placed: its shapes are not made.
            const std::optional<Motion> origin = toOrigin(piece, plate, gapMm);
            m_origins.push_back(origin.value_or(Motion{}));
            if (origin) {
                const auto outline =
                    simplifiedChain(moved(piece.flat.outline, *origin).points, kOutlineToleranceMm);
                const Shape upright = shapeOf(outline, gapMm / 2 + kOutlineToleranceMm);
                for (int t = 0; t < 4; ++t) {
                    shapes[static_cast<std::size_t>(t)] = turnedShape(upright, t);
                }
            }
            m_shapes.push_back(shapes);
        }
    }

    /** The lowest, then leftmost, place on the plate holding `placed`; none when it is full. */
    std::optional<Candidate> place(const std::vector<Placed>& placed, std::size_t piece,
                                   const std::vector<int>& turnsInOrder) {
        std::optional<Candidate> best;
        for (const int turns : turnsInOrder) {
            const auto at = lowestPlace(placed, piece, turns);
            if (at && (!best || lowerLeft(*at, best->at))) {
                best = Candidate{*at, turns};
            }
        }
        return best;
    }

    /** The motion that takes the piece to where its shapes were made. */
    const Motion& origin(std::size_t piece) const { return m_origins[piece]; }

private:
    const Shape& shape(std::size_t piece, int turns) const {
        return m_shapes[piece][static_cast<std::size_t>(turns)];
    }

    /**
     * The no-fit polygon of `moving` about `fixed`, each turned as given: that of the same
     * pieces with `fixed` unturned, turned with it.
     */
    const Paths& cachedNoFit(std::size_t fixed, int fixedTurns, std::size_t moving,
                             int movingTurns) {
        const auto key = std::make_tuple(fixed, fixedTurns, moving, movingTurns);
        auto found = m_noFit.find(key);
        if (found != m_noFit.end()) {
            return found->second;
        }
        const int relative = ((movingTurns - fixedTurns) % 4 + 4) % 4;
        const auto uprightKey = std::make_tuple(fixed, 0, moving, relative);
        auto upright = m_noFit.find(uprightKey);
        if (upright == m_noFit.end()) {
            upright = m_noFit
                          .emplace(uprightKey,
                                   noFitPolygon(shape(fixed, 0), shape(moving, relative)))
                          .first;
        }
        if (fixedTurns == 0) {
            return upright->second;
        }
        Paths turnedNoFit = upright->second;
        for (Path& path : turnedNoFit) {
            for (IntPoint& p : path) {
                p = turned(p, fixedTurns);
            }
        }
        return m_noFit.emplace(key, std::move(turnedNoFit)).first->second;
    }

    std::optional<IntPoint> lowestPlace(const std::vector<Placed>& placed, std::size_t piece,
                                        int turns) {
        const Shape& s = shape(piece, turns);
        if (s.path.empty()) {
            return std::nullopt;
        }
        // Where its origin keeps the widened outline within the plate less half the gap.
        const cInt left = m_edge - s.minX;
        const cInt right = m_length - m_edge - s.maxX;
        const cInt bottom = m_edge - s.minY;
        const cInt top = m_width - m_edge - s.maxY;
        if (right < left || top < bottom) {
            return std::nullopt;
        }
        // A plate that holds the piece with nothing to spare still gives a region of some area.
        const Path inner{
            {left, bottom}, {right + 1, bottom}, {right + 1, top + 1}, {left, top + 1}};
        ClipperLib::Clipper clipper;
        clipper.AddPath(inner, ClipperLib::ptSubject, true);
        for (const Placed& other : placed) {
            Paths moved = cachedNoFit(other.piece, other.turns, piece, turns);
            for (Path& path : moved) {
                for (IntPoint& p : path) {
                    p.X += other.at.X;
                    p.Y += other.at.Y;
                }
            }
            clipper.AddPaths(moved, ClipperLib::ptClip, true);
        }
        Paths free;
        clipper.Execute(ClipperLib::ctDifference, free, ClipperLib::pftNonZero,
                        ClipperLib::pftNonZero);
        std::optional<IntPoint> lowest;
        for (const Path& path : free) {
            for (const IntPoint& p : path) {
                // The region's corners on the far side of the plate lie one unit beyond it.
                const IntPoint at{std::min(p.X, right), std::min(p.Y, top)};
                if (!lowest || lowerLeft(at, *lowest)) {
                    lowest = at;
                }
            }
        }
        return lowest;
    }

    cInt m_length;
    cInt m_width;
    cInt m_edge;
    std::vector<std::array<Shape, 4>> m_shapes;
    std::vector<Motion> m_origins;
    std::map<std::tuple<std::size_t, int, std::size_t, int>, Paths> m_noFit;
};

/** The turns to try, the one half round from the last copy's first. */
std::vector<int> turnsAfter(std::optional<int> previous) {
    if (!previous) {
        return {0, 1, 2, 3};
    }
    const int p = *previous;
    return {(p + 2) % 4, p, (p + 1) % 4, (p + 3) % 4};
}

} // namespace

double Nesting::share() const {
    const double plateArea = lengthMm * widthMm;
    if (plates.empty() || !(plateArea > 0.0)) {
        return 0.0;
    }
    double covered = 0.0;
    for (const NestedPlate& plate : plates) {
        covered += plate.netArea;
    }
    return covered / (plateArea * static_cast<double>(plates.size()));
}

namespace {

/** One copy still to be placed. */
struct Copy {
    std::size_t piece = 0;
    int copy = 0;
};

/** A plate filled one way, and which of the copies given it holds. */
struct FilledPlate {
    NestedPlate plate;
    std::vector<bool> holds;
};

Motion placedAt(const Motion& origin, int quarterTurns, PatternPoint at) {
    return origin.then(Motion::quarterTurns(quarterTurns)).then(Motion::moveBy(at));
}

/**
 * The copies, in their order, each at the lowest, then leftmost, place of the plate where it
 * fits among those placed before it; a piece that found no room has none for its next copy.
 */
FilledPlate fillByNoFit(Nester& nester, const std::vector<JobPiece>& pieces,
                        const std::vector<Copy>& copies,
                        std::vector<std::optional<int>> previousTurns) {
    FilledPlate filled{{}, std::vector<bool>(copies.size(), false)};
    std::vector<Placed> placed;
    std::vector<bool> full(pieces.size(), false);
    for (std::size_t c = 0; c < copies.size(); ++c) {
        const std::size_t piece = copies[c].piece;
        if (full[piece]) {
            continue;
        }
        const std::optional<Candidate> found =
            nester.place(placed, piece, turnsAfter(previousTurns[piece]));
        if (!found) {
            full[piece] = true;
            continue;
        }
        placed.push_back({piece, found->turns, found->at});
        const PatternPoint at{static_cast<double>(found->at.X) / kUnitsPerMm,
                              static_cast<double>(found->at.Y) / kUnitsPerMm};
        filled.plate.pieces.push_back({piece, copies[c].copy,
                                       placedAt(nester.origin(piece), found->turns, at),
                                       found->turns});
        filled.plate.netArea += netArea(pieces[piece].flat);
        filled.holds[c] = true;
        previousTurns[piece] = found->turns;
    }
    return filled;
}

/** The copies' upright boxes in shelves along the plate. */
FilledPlate fillByShelves(const Nester& nester, const std::vector<JobPiece>& pieces,
                          const std::vector<Copy>& copies, const Plate& plate, double gapMm) {
    std::vector<ShelfBox> boxes;
    for (const Copy& copy : copies) {
        const FlatBox box =
            boxOf(moved(pieces[copy.piece].flat.outline, nester.origin(copy.piece)).points);
        boxes.push_back({box.width(), box.height()});
    }
    FilledPlate filled{{}, std::vector<bool>(copies.size(), false)};
    for (const ShelfPlace& place : shelvesOf(boxes, plate.length, plate.width, gapMm)) {
        const Copy& copy = copies[place.box];
        // A quarter turn anticlockwise takes the box's upright corner to x = −across.
        const PatternPoint at{place.x + (place.turned ? boxes[place.box].across : 0.0), place.y};
        const int turns = place.turned ? 1 : 0;
        filled.plate.pieces.push_back(
            {copy.piece, copy.copy, placedAt(nester.origin(copy.piece), turns, at), turns});
        filled.plate.netArea += netArea(pieces[copy.piece].flat);
        filled.holds[place.box] = true;
    }
    return filled;
}

} // namespace

Nesting nestPieces(const std::vector<JobPiece>& pieces, const Plate& plate, double gapMm) {
    Nesting nesting{plate.length, plate.width, gapMm, {}, {}, false};
    int copies = 0;
    for (const JobPiece& piece : pieces) {
        copies += std::max(0, piece.cut.count);
    }
    if (copies > kMostNestedCopies) {
        nesting.tooMany = true;
        return nesting;
    }
    Nester nester(pieces, plate, gapMm);
    std::vector<std::size_t> order(pieces.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&pieces](std::size_t a, std::size_t b) {
        return netArea(pieces[a].flat) > netArea(pieces[b].flat);
    });
    std::vector<Copy> remaining;
    for (const std::size_t piece : order) {
        if (pieces[piece].cut.count <= 0) {
            continue;
        }
        // A piece that fits no plate alone, either way, is left off, once.
        const bool alone =
            nester.place({}, piece, {0, 1, 2, 3}).has_value() ||
            !fillByShelves(nester, pieces, {{piece, 0}}, plate, gapMm).plate.pieces.empty();
        if (!alone) {
            nesting.tooLarge.push_back(piece);
            continue;
        }
        for (int copy = 0; copy < pieces[piece].cut.count; ++copy) {
            remaining.push_back({piece, copy});
        }
    }
    // Each plate filled both ways, the one that holds the more of the pieces kept.
    std::vector<std::optional<int>> previousTurns(pieces.size());
    while (!remaining.empty()) {
        FilledPlate byNoFit = fillByNoFit(nester, pieces, remaining, previousTurns);
        FilledPlate byShelves = fillByShelves(nester, pieces, remaining, plate, gapMm);
        FilledPlate& kept = byShelves.plate.netArea > byNoFit.plate.netArea ? byShelves : byNoFit;
        if (kept.plate.pieces.empty()) {
            break; // cannot happen: every piece left fits an empty plate
        }
        std::vector<Copy> left;
        for (std::size_t c = 0; c < remaining.size(); ++c) {
            if (!kept.holds[c]) {
                left.push_back(remaining[c]);
            }
        }
        for (const PlacedPiece& placed : kept.plate.pieces) {
            previousTurns[placed.piece] = placed.quarterTurns;
        }
        nesting.plates.push_back(std::move(kept.plate));
        remaining = std::move(left);
    }
    return nesting;
}

std::vector<PatternPoint> placedOutline(const JobPiece& piece, const PlacedPiece& placed) {
    return moved(piece.flat.outline, placed.motion).points;
}

} // namespace blachorys::core
