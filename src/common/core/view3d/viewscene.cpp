#include "common/core/view3d/viewscene.h"

#include "common/core/geometry/curvesampling.h"
#include "common/core/geometry/polygonclipping.h"
#include "common/core/pattern/markselection.h"
#include "common/core/view3d/patterncells.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <numbers>
#include <optional>

namespace blachorys::core {
namespace {

/** A line's runs are cut this many times finer than the squares, so that it bends with them. */
constexpr double kLineStepsPerCell = 4.0;
/** A ring laid on a grid of its own is cut this many times finer than its squares. */
constexpr double kGridEdgeStepsPerCell = 8.0;
/** Neighbouring regions of a sheet overlap by this share of a square. */
constexpr double kRegionOverlapPerCell = 1.0 / 16;
/** A face keeps the outline's points about this share of a square apart. */
constexpr double kFacePointsApart = 1.0 / 16;
/**
 * Names nearer each other than this share of a square stand at one place: point N on point 0,
 * a corner folded back onto the first one.
 */
constexpr double kSameLabelPlace = 0.05;

ViewLineKind lineKindOf(LineRole role) {
    switch (role) {
    case LineRole::CutCurve:
        return ViewLineKind::Cut;
    case LineRole::HoleOutline:
        return ViewLineKind::Hole;
    case LineRole::SeamEdge:
    case LineRole::ClosingSeam:
        return ViewLineKind::Seam;
    default:
        return ViewLineKind::Edge;
    }
}

/** Newell's normal of a closed polygon: its area's direction, whatever its shape. */
Point3 newellNormal(const Point3* points, std::size_t count) {
    Point3 n;
    for (std::size_t k = 0; k < count; ++k) {
        const Point3 a = points[k];
        const Point3 b = points[(k + 1) % count];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    return unit(n);
}

/** Pieces an edge is cut into to be rolled, each at most `step` long: a few thousand at most. */
int piecesOf(double length, double step) {
    constexpr double kMostPieces = 4096;
    const double pieces = std::ceil(length / step);
    return std::isfinite(pieces) ? static_cast<int>(std::clamp(pieces, 1.0, kMostPieces)) : 1;
}

double ringExtent(const std::vector<PatternPoint>& ring) {
    if (ring.empty()) {
        return 0.0;
    }
    auto [xLow, xHigh] = std::minmax_element(
        ring.begin(), ring.end(), [](PatternPoint a, PatternPoint b) { return a.x < b.x; });
    auto [yLow, yHigh] = std::minmax_element(
        ring.begin(), ring.end(), [](PatternPoint a, PatternPoint b) { return a.y < b.y; });
    return std::max(xHigh->x - xLow->x, yHigh->y - yLow->y);
}

/** The pieces' widest extent: what the squares are measured from. */
double patternExtent(const Pattern& pattern) {
    double extent = 0.0;
    for (const Contour& contour : pattern.exactContours) {
        if (contour.kind == OutlineKind::Piece) {
            extent = std::max(extent, ringExtent(contour.points));
        }
    }
    return extent;
}

class SceneBuilder {
    /** The side of the plate a bevelled cut is followed on. */
    enum class Face { Near, Far };

    /** Squares of a part, and the faces they are rolled onto when not the part's own. */
    struct CellsOn {
        std::vector<PatternCell> cells;
        const std::vector<SheetSurface>* faces;
    };

    /** A developed part's faces on the first face of its wall, and their middle. */
    struct Drawn {
        std::size_t firstFace;
        std::size_t endFace;
        Point3 middle;
    };

public:
    SceneBuilder(const Pattern& pattern, double cellSize, const PreparedEdges* edges)
        : m_pattern(pattern) {
        m_scene.cellSize = cellSize;
        static const std::vector<EdgeRun> kNone;
        for (const EdgeRun& run : edges != nullptr ? edges->runs : kNone) {
            if (run.contour >= pattern.exactContours.size() ||
                run.nearEdge.size() != run.vertices.size() ||
                run.farEdge.size() != run.vertices.size()) {
                continue;
            }
            const Ring& cut = pattern.exactContours[run.contour].points;
            Ring& nearRing = m_near.try_emplace(run.contour, cut).first->second;
            Ring& farRing = m_far.try_emplace(run.contour, cut).first->second;
            for (std::size_t k = 0; k < run.vertices.size(); ++k) {
                if (run.vertices[k] < cut.size()) {
                    nearRing[run.vertices[k]] = run.nearEdge[k];
                    farRing[run.vertices[k]] = run.farEdge[k];
                }
            }
            m_runs.push_back(&run);
        }
        m_scene.low = {kHuge, kHuge, kHuge};
        m_scene.high = {-kHuge, -kHuge, -kHuge};
    }

    void developed(const DevelopedPart& part) {
        // A bevelled cut leaves the near (outside) face along one edge and the far face along
        // another: each face is cut by its own.
        const bool bevelled = part.faces.size() > 1 &&
                              std::any_of(part.contours.begin(), part.contours.end(),
                                          [this](std::size_t c) { return m_far.contains(c); });
        const std::vector<CellsOn> nearGroups = groupsOf(part, Face::Near);
        const std::vector<CellsOn> farGroups =
            bevelled ? groupsOf(part, Face::Far) : std::vector<CellsOn>{};
        const std::size_t firstPoint = m_scene.points.size();
        Drawn drawn{m_scene.faces.size(), m_scene.faces.size(), {}};
        for (std::size_t f = 0; f < part.faces.size(); ++f) {
            const Face side = bevelled && f > 0 ? Face::Far : Face::Near;
            for (const CellsOn& group : side == Face::Far ? farGroups : nearGroups) {
                const bool own = group.faces && group.faces->size() == part.faces.size();
                const SheetSurface& surface = own ? (*group.faces)[f] : part.faces[f];
                for (const PatternCell& cell : group.cells) {
                    sheetFace(cell, surface, FaceTone::Sheet);
                }
            }
            if (f == 0) {
                drawn.endFace = m_scene.faces.size();
            }
            for (const std::size_t c : part.contours) {
                if (c < m_pattern.exactContours.size()) {
                    const Contour& contour = m_pattern.exactContours[c];
                    // A wall's face shows its edges on its own side of the plate.
                    edges(ringOf(c, side), contour.roles, part.faces[f], ViewLineKind::Edge,
                          m_scene.cellSize, {}, part.faces.size() > 1 ? &part.measuredOn : nullptr);
                }
            }
        }
        if (bevelled) {
            bevelFaces(part);
        }
        Point3 sum;
        for (std::size_t k = firstPoint; k < m_scene.points.size(); ++k) {
            sum = sum + m_scene.points[k];
        }
        const std::size_t count = m_scene.points.size() - firstPoint;
        drawn.middle = count > 0 ? (1.0 / static_cast<double>(count)) * sum : Point3{};
        if (part.printedOutside) {
            turnPrintedSideOut(drawn.firstFace, drawn.middle);
        }
        m_drawn.push_back(drawn);
    }

    /** The squares of the part's faces on one side of the plate. */
    std::vector<CellsOn> groupsOf(const DevelopedPart& part, Face side) const {
        std::vector<Ring> rings;
        for (const std::size_t c : part.contours) {
            if (c < m_pattern.exactContours.size()) {
                rings.push_back(ringOf(c, side));
            }
        }
        std::optional<std::vector<CellsOn>> byRegion;
        if (!part.regions.empty() && !rings.empty()) {
            byRegion = cellsByRegion(rings, part.regions);
        }
        return byRegion ? std::move(*byRegion)
                        : std::vector<CellsOn>{{cellsOnGrid(rings, part.grid), nullptr}};
    }

    /** Contour c as it is cut on one side of the plate. */
    const Ring& ringOf(std::size_t c, Face side) const {
        const auto& edges = side == Face::Far ? m_far : m_near;
        const auto found = edges.find(c);
        return found != edges.end() ? found->second : m_pattern.exactContours[c].points;
    }

    /**
     * The cut's own face between the plate's two: from where it leaves the near face to where
     * it leaves the far one, vertex by vertex of each prepared run of the part's outlines.
     */
    void bevelFaces(const DevelopedPart& part) {
        const SheetSurface& nearFace = part.faces.front();
        const SheetSurface& farFace = part.faces.back();
        for (const EdgeRun* run : m_runs) {
            if (std::find(part.contours.begin(), part.contours.end(), run->contour) ==
                part.contours.end()) {
                continue;
            }
            // The piece lies left of its outline's way where the outline turns anticlockwise,
            // right of a hole's. A sheet's faces are turned towards the side it is printed on,
            // the inside of a rolled piece: the cut's face is turned into the piece, so that it
            // shades as the outside it stands on.
            const Contour& contour = m_pattern.exactContours[run->contour];
            const bool pieceOnTheLeft =
                (ringArea(contour.points) > 0) == (contour.kind == OutlineKind::Piece);
            for (std::size_t k = 0; k + 1 < run->vertices.size(); ++k) {
                const PatternPoint a = run->nearEdge[k];
                const PatternPoint b = run->nearEdge[k + 1];
                const Point3 corners[] = {nearFace(a), nearFace(b), farFace(run->farEdge[k + 1]),
                                          farFace(run->farEdge[k])};
                const PatternPoint along = b - a;
                const PatternPoint left{-along.y, along.x};
                const PatternPoint middle = 0.5 * (a + b);
                const Point3 away =
                    nearFace(pieceOnTheLeft ? middle - left : middle + left) - nearFace(middle);
                addFace(corners, 4, {4}, FaceTone::Sheet,
                        dot(newellNormal(corners, 4), away) >= 0.0 ? -1.0 : 1.0);
            }
        }
    }

    /** The piece `rings` enclose (its outline first) cut into squares laid on `grid`. */
    std::vector<PatternCell> cellsOnGrid(const std::vector<Ring>& rings,
                                         const GridMapping& grid) const {
        const bool gridded = grid.laid();
        std::vector<Ring> laid;
        std::vector<const Ring*> cut;
        for (const Ring& ring : rings) {
            if (gridded) {
                laid.push_back(laidOnGrid(ring, grid));
            } else {
                cut.push_back(&ring);
            }
        }
        for (const Ring& ring : laid) {
            cut.push_back(&ring);
        }
        std::vector<PatternCell> cells = cutIntoCells(cut, m_scene.cellSize);
        for (PatternCell& cell : cells) {
            thin(cell);
            if (gridded) {
                for (auto& ring : cell.rings) {
                    for (PatternPoint& p : ring) {
                        p = grid.fromGrid(p);
                    }
                }
                // The turning the face keeps is the pattern's, whichever way the grid turns.
                cell.area = ringArea(cell.rings.front());
            }
        }
        return cells;
    }

    /**
     * The piece cut region by region, each on its own grid; nothing when the regions do not
     * cover it once over (the whole piece is then cut on one grid). A region on squares
     * reaches over its neighbours' edges by a sliver, so that no crack of a pixel opens where
     * their faces' corners differ along the line they share; one laid about an apex is not
     * grown, as round the apex its grid has no width.
     */
    std::optional<std::vector<CellsOn>>
    cellsByRegion(const std::vector<Ring>& rings, const std::vector<GridRegion>& regions) const {
        const bool clockwise = ringArea(rings.front()) < 0;
        double pieceArea = std::fabs(ringArea(rings.front()));
        for (std::size_t r = 1; r < rings.size(); ++r) {
            pieceArea -= std::fabs(ringArea(rings[r]));
        }
        const double overlap = kRegionOverlapPerCell * m_scene.cellSize;
        double overlapArea = 0.0;
        double covered = 0.0;
        std::vector<CellsOn> groups;
        for (const GridRegion& region : regions) {
            const bool grown = !region.grid.apex;
            const auto within = grown ? grownBy({region.outline}, overlap, overlap / 4)
                                      : std::optional<std::vector<Ring>>({region.outline});
            const auto shares = within ? intersectionOf(rings, *within) : std::nullopt;
            if (!shares) {
                return std::nullopt;
            }
            overlapArea += grown ? overlap * ringLength(region.outline) : 0.0;
            for (const Ring& outline : *shares) {
                if (ringArea(outline) <= 0) {
                    continue;
                }
                // The share and the holes within it, turning as the piece does.
                std::vector<Ring> share{outline};
                for (const Ring& hole : *shares) {
                    if (ringArea(hole) < 0 && !hole.empty() &&
                        ringEncloses(outline, hole.front())) {
                        share.push_back(hole);
                    }
                }
                for (Ring& ring : share) {
                    covered += ringArea(ring);
                    if (clockwise) {
                        std::reverse(ring.begin(), ring.end());
                    }
                }
                groups.push_back({cellsOnGrid(share, region.grid), &region.faces});
            }
        }
        constexpr double kCoverTolerance = 1e-6;
        if (!(covered >= (1 - kCoverTolerance) * pieceArea &&
              covered <= (1 + kCoverTolerance) * pieceArea + overlapArea)) {
            return std::nullopt;
        }
        return groups;
    }

    /** The part's faces from `first` turned over where most face its middle. */
    void turnPrintedSideOut(std::size_t first, Point3 middle) {
        double facingOut = 0.0;
        for (std::size_t f = first; f < m_scene.faces.size(); ++f) {
            const ViewFace& face = m_scene.faces[f];
            facingOut += dot(face.normal, face.middle - middle) > 0.0 ? 1.0 : -1.0;
        }
        if (facingOut < 0.0) {
            for (std::size_t f = first; f < m_scene.faces.size(); ++f) {
                m_scene.faces[f].normal = -1.0 * m_scene.faces[f].normal;
            }
        }
    }

    void other(const OtherPart& part) {
        std::vector<const std::vector<PatternPoint>*> rings;
        double extent = 0.0;
        for (const auto& ring : part.rings) {
            rings.push_back(&ring);
        }
        if (!part.rings.empty()) {
            extent = ringExtent(part.rings.front());
        }
        const double cellSize = extent > 0.0 ? extent / kCellsAcrossOther : 1.0;
        std::vector<PatternCell> cells = cutIntoCells(rings, cellSize);
        for (PatternCell& cell : cells) {
            thin(cell);
        }
        for (const SheetSurface& face : part.faces) {
            for (const PatternCell& cell : cells) {
                sheetFace(cell, face, FaceTone::Other);
            }
            for (std::size_t r = 0; r < part.rings.size(); ++r) {
                const std::vector<bool> none;
                edges(part.rings[r], {}, face, ViewLineKind::OtherEdge, cellSize,
                      r < part.edgesShown.size() ? part.edgesShown[r] : none);
            }
        }
    }

    void labels(const JointView& joint) {
        for (const std::size_t m : namedMarks(m_pattern)) {
            const PointMark& mark = m_pattern.points[m];
            const PatternPoint at{mark.x, mark.y};
            for (std::size_t d = 0; d < joint.developed.size(); ++d) {
                const DevelopedPart& part = joint.developed[d];
                if (part.labelled && !part.faces.empty() && holds(part, at)) {
                    label(part.faces.front(), at, m_drawn[d], mark.text);
                    break;
                }
            }
        }
    }

    ViewScene finish() && {
        if (m_scene.faces.empty() && m_scene.lines.empty()) {
            m_scene.low = m_scene.high = {};
        }
        return std::move(m_scene);
    }

private:
    static constexpr double kHuge = std::numeric_limits<double>::infinity();

    /**
     * A ring laid on a grid of its own, its long straight edges cut first: the edge is
     * straight on the pattern, where the grid's squares would bend it.
     */
    std::vector<PatternPoint> laidOnGrid(const std::vector<PatternPoint>& ring,
                                         const GridMapping& grid) const {
        const double step = m_scene.cellSize / kGridEdgeStepsPerCell;
        const auto atTheApex = [&](PatternPoint p) {
            // Within the clipping's rounding of a nanometre.
            constexpr double kAtTheApex = 1e-5;
            return grid.apex && std::hypot(p.x - grid.apex->x, p.y - grid.apex->y) <= kAtTheApex;
        };
        const auto halfway = [](PatternPoint a, PatternPoint b) {
            return PatternPoint{(a.x + b.x) / 2, (a.y + b.y) / 2};
        };
        std::vector<PatternPoint> laid;
        const std::size_t n = ring.size();
        for (std::size_t k = 0; k < n; ++k) {
            const PatternPoint a = ring[k];
            const PatternPoint b = ring[(k + 1) % n];
            int first = 0;
            if (atTheApex(a)) {
                // The corner opened out: from the line it is come to, to the line it leaves by.
                laid.push_back({grid.toGrid(halfway(ring[(k + n - 1) % n], a)).x, 0.0});
                laid.push_back({grid.toGrid(halfway(a, b)).x, 0.0});
                first = 1;
            }
            const int pieces = piecesOf(std::hypot(b.x - a.x, b.y - a.y), step);
            for (int s = first; s < pieces; ++s) {
                const double t = static_cast<double>(s) / pieces;
                laid.push_back(grid.toGrid({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}));
            }
        }
        return laid;
    }

    /**
     * A face is a flat piece of its surface, its edge drawn over it by the outline's line: it
     * needs the outline's points no closer than a share of a square. Those on the square's
     * sides stay, which its neighbours share.
     */
    void thin(PatternCell& cell) const {
        const double apart = kFacePointsApart * m_scene.cellSize;
        for (auto& ring : cell.rings) {
            std::vector<PatternPoint> kept;
            for (const PatternPoint p : ring) {
                if (kept.empty() || cell.onSide(p) ||
                    std::hypot(p.x - kept.back().x, p.y - kept.back().y) >= apart) {
                    kept.push_back(p);
                }
            }
            if (kept.size() >= 3) {
                ring = std::move(kept);
            }
        }
    }

    /** A name at a point, unless a name stands there already (point N on point 0). */
    void label(const SheetSurface& surface, PatternPoint at, const Drawn& drawn,
               const std::string& text) {
        const Point3 p = surface(at);
        const double near = kSameLabelPlace * m_scene.cellSize;
        if (!isFinite(p) ||
            std::any_of(m_scene.labels.begin(), m_scene.labels.end(),
                        [&](const ViewLabel& l) { return norm(l.at - p) < near; })) {
            return;
        }
        // The way the part's nearest face there is turned, away from the part's middle: the
        // surface at an outline's corner has no one normal of its own.
        Point3 normal;
        double nearest = std::numeric_limits<double>::infinity();
        for (std::size_t f = drawn.firstFace; f < drawn.endFace; ++f) {
            const double d = norm(m_scene.faces[f].middle - p);
            if (d < nearest) {
                nearest = d;
                normal = m_scene.faces[f].normal;
            }
        }
        const Point3 away = dot(normal, p - drawn.middle) < 0 ? -1.0 * normal : normal;
        m_scene.labels.push_back({p, away, text});
        widen(p);
    }

    /** The point lies in the part's piece, or on one of its outlines. */
    bool holds(const DevelopedPart& part, PatternPoint p) const {
        const double tolerance = 1e-6 * std::max(1.0, m_scene.cellSize);
        bool inside = false;
        for (const std::size_t c : part.contours) {
            if (c >= m_pattern.exactContours.size()) {
                continue;
            }
            const auto& ring = m_pattern.exactContours[c].points;
            for (std::size_t k = 0; k < ring.size(); ++k) {
                if (distanceToSegment(p, ring[k], ring[(k + 1) % ring.size()]) <= tolerance) {
                    return true;
                }
            }
            inside = inside != ringEncloses(ring, p);
        }
        return inside;
    }

    void widen(Point3 p) {
        m_scene.low = {std::min(m_scene.low.x, p.x), std::min(m_scene.low.y, p.y),
                       std::min(m_scene.low.z, p.z)};
        m_scene.high = {std::max(m_scene.high.x, p.x), std::max(m_scene.high.y, p.y),
                        std::max(m_scene.high.z, p.z)};
    }

    void sheetFace(const PatternCell& cell, const SheetSurface& surface, FaceTone tone) {
        m_corners.clear();
        m_sizes.clear();
        for (const auto& ring : cell.rings) {
            for (const PatternPoint p : ring) {
                m_corners.push_back(surface(p));
            }
            m_sizes.push_back(static_cast<std::uint32_t>(ring.size()));
        }
        // The rings keep the piece's turning: a clockwise piece's normal is turned back.
        addFace(m_corners.data(), m_corners.size(), m_sizes, tone, cell.area < 0 ? -1.0 : 1.0);
    }

    void addFace(const Point3* corners, std::size_t count, const std::vector<std::uint32_t>& sizes,
                 FaceTone tone, double turning) {
        if (count < 3 ||
            !std::all_of(corners, corners + count, [](Point3 p) { return isFinite(p); })) {
            return;
        }
        ViewFace face;
        face.first = static_cast<std::uint32_t>(m_scene.points.size());
        face.count = static_cast<std::uint32_t>(count);
        face.firstRing = static_cast<std::uint32_t>(m_scene.ringSizes.size());
        face.rings = static_cast<std::uint32_t>(sizes.size());
        face.tone = tone;
        Point3 sum;
        for (std::size_t k = 0; k < count; ++k) {
            m_scene.points.push_back(corners[k]);
            sum = sum + corners[k];
            widen(corners[k]);
        }
        face.middle = (1.0 / static_cast<double>(count)) * sum;
        // The first ring is the piece's share: its normal is the face's.
        face.normal = turning * newellNormal(corners, sizes.front());
        m_scene.ringSizes.insert(m_scene.ringSizes.end(), sizes.begin(), sizes.end());
        m_scene.faces.push_back(face);
    }

    /**
     * A ring rolled up, run by run of one role (all one run of `kind` without roles), every
     * point of it kept.
     */
    void edges(const std::vector<PatternPoint>& points, const std::vector<LineRole>& roles,
               const SheetSurface& surface, ViewLineKind kind, double cellSize,
               const std::vector<bool>& shown = {}, const SheetSurface* mean = nullptr) {
        const std::size_t n = points.size();
        if (n < 2) {
            return;
        }
        const auto isShown = [&](std::size_t k) { return shown.empty() || shown[k]; };
        const auto roleChanges = [&](std::size_t k) {
            const std::size_t before = (k + n - 1) % n;
            return isShown(k) != isShown(before) || (!roles.empty() && roles[k] != roles[before]);
        };
        // Start where the role changes, so that no run is split at the ring's first point.
        std::size_t start = 0;
        for (std::size_t k = 0; k < n; ++k) {
            if (roleChanges(k)) {
                start = k;
                break;
            }
        }
        const double step = cellSize / kLineStepsPerCell;
        std::vector<Point3> run;
        std::vector<Point3> offMean;
        const auto add = [&](PatternPoint p) {
            const Point3 at = surface(p);
            run.push_back(at);
            if (mean) {
                offMean.push_back(at - (*mean)(p));
            }
        };
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t k = (start + i) % n;
            if (!isShown(k)) {
                continue;
            }
            const PatternPoint a = points[k];
            const PatternPoint b = points[(k + 1) % n];
            if (run.empty()) {
                add(a);
            }
            // A long straight edge of the pattern bends when it is rolled.
            const int pieces = piecesOf(std::hypot(b.x - a.x, b.y - a.y), step);
            for (int s = 1; s <= pieces; ++s) {
                const double t = static_cast<double>(s) / pieces;
                add({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
            }
            if (i + 1 == n || roleChanges((k + 1) % n)) {
                addLine(run, offMean, roles.empty() ? kind : lineKindOf(roles[k]));
                run.clear();
                offMean.clear();
            }
        }
    }

    /**
     * A line cut into runs about a square long, each sorted on its own; `offMean`, where the
     * line lies on a face of a wall, each point's way from the wall's mean surface.
     */
    void addLine(const std::vector<Point3>& points, const std::vector<Point3>& offMean,
                 ViewLineKind kind) {
        std::size_t begin = 0;
        while (begin + 1 < points.size()) {
            std::size_t end = begin + 1;
            double length = 0.0;
            while (end + 1 < points.size() && length < m_scene.cellSize) {
                length += norm(points[end] - points[end - 1]);
                ++end;
            }
            ViewLine line;
            line.first = static_cast<std::uint32_t>(m_scene.linePoints.size());
            line.kind = kind;
            Point3 sum;
            Point3 away;
            bool finite = true;
            for (std::size_t k = begin; k <= end; ++k) {
                finite = finite && isFinite(points[k]);
                if (k < offMean.size()) {
                    away = away + offMean[k];
                }
            }
            if (isFinite(away) && norm(away) > 0.0) {
                line.away = unit(away);
            }
            if (finite) {
                for (std::size_t k = begin; k <= end; ++k) {
                    m_scene.linePoints.push_back(points[k]);
                    sum = sum + points[k];
                    widen(points[k]);
                }
                line.count = static_cast<std::uint32_t>(end - begin + 1);
                line.middle = (1.0 / line.count) * sum;
                m_scene.lines.push_back(line);
            }
            begin = end;
        }
    }

    const Pattern& m_pattern;
    /** The prepared runs' outlines as they leave the near face and the far one. */
    std::map<std::size_t, Ring> m_near;
    std::map<std::size_t, Ring> m_far;
    std::vector<const EdgeRun*> m_runs;
    ViewScene m_scene;
    std::vector<Point3> m_corners;
    std::vector<std::uint32_t> m_sizes;
    std::vector<Drawn> m_drawn;
};

} // namespace

GridMapping sectorGrid(PatternPoint apex, double middleAngle, double radius) {
    constexpr double kTurn = 2 * std::numbers::pi;
    GridMapping grid;
    grid.toGrid = [apex, middleAngle, radius](PatternPoint p) {
        const double psi = std::atan2(p.y - apex.y, p.x - apex.x);
        return PatternPoint{radius * (psi + kTurn * std::round((middleAngle - psi) / kTurn)),
                            std::hypot(p.x - apex.x, p.y - apex.y)};
    };
    grid.fromGrid = [apex, radius](PatternPoint g) {
        const double psi = g.x / radius;
        const double distance = std::max(g.y, kNearestToTheApex);
        return PatternPoint{apex.x + distance * std::cos(psi), apex.y + distance * std::sin(psi)};
    };
    grid.apex = apex;
    return grid;
}

void layGridBySector(DevelopedPart& part, double middleAngle, double radius) {
    part.grid = sectorGrid({0.0, 0.0}, middleAngle, radius);
}

std::vector<std::size_t> namedMarks(const Pattern& pattern) {
    const MarkSelection selection = selectMarks(pattern.points, 1.0);
    std::vector<std::size_t> named;
    for (std::size_t m = 0; m < pattern.points.size(); ++m) {
        if (selection.labelRank[m] == 0) {
            named.push_back(m);
        }
    }
    return named;
}

ViewScene buildViewScene(const Pattern& pattern, const JointView& joint,
                         const PreparedEdges* edges) {
    const std::size_t parts = drawnFaces(joint);
    if (parts > kMostDrawnParts) {
        ViewScene refused;
        refused.problem = "zbyt wiele czesci do narysowania: " + std::to_string(parts) +
                          " (najwyzej " + std::to_string(kMostDrawnParts) + ")";
        return refused;
    }
    const double extent = patternExtent(pattern);
    // Every face of every part is as many squares as its pieces' area holds.
    double area = 0.0;
    for (const DevelopedPart& part : joint.developed) {
        for (const std::size_t c : part.contours) {
            if (c < pattern.exactContours.size()) {
                area += static_cast<double>(part.faces.size()) *
                        std::fabs(ringArea(pattern.exactContours[c].points));
            }
        }
    }
    const double cellSize =
        std::max(extent / kCellsAcrossPattern, std::sqrt(area / kMostSheetFaces));
    SceneBuilder builder(pattern, cellSize > 0.0 ? cellSize : 1.0, edges);
    for (const DevelopedPart& part : joint.developed) {
        builder.developed(part);
    }
    for (const OtherPart& part : joint.others) {
        builder.other(part);
    }
    builder.labels(joint);
    return std::move(builder).finish();
}

} // namespace blachorys::core
