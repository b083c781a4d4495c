#pragma once

#include "common/core/pattern/pattern.h"
#include "common/core/view3d/edgepreparation.h"
#include "common/core/view3d/jointview.h"

#include <cstdint>
#include <string>
#include <vector>

namespace blachorys::core {

/** What a face of the view is: a face of a part made from the pattern, or the other part. */
enum class FaceTone : std::uint8_t {
    Sheet, ///< a face of a part made from the pattern
    Other, ///< the part the pattern is fitted to, drawn lighter
};

/** What a line of the view is. */
enum class ViewLineKind : std::uint8_t {
    Cut,       ///< a cut along the other part
    Hole,      ///< a hole's outline
    Seam,      ///< where the sheet's edges are joined
    Edge,      ///< another edge of the sheet: an end, a base line
    OtherEdge, ///< an end of the other part
};

/**
 * A small, nearly flat piece of a surface: its points (`count` from `first` in the scene's
 * points) in one or more rings filled odd-even, its middle and its normal, towards the side
 * the pattern is printed on for a sheet.
 */
struct ViewFace {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    std::uint32_t firstRing = 0; ///< into the scene's ring sizes
    std::uint32_t rings = 1;
    Point3 middle;
    Point3 normal;
    FaceTone tone = FaceTone::Sheet;
};

/**
 * A short run of a line, so that it is sorted among the faces: its points and its middle, and
 * for an edge of a wall's face the side of the plate it lies on (its way from the wall's mean
 * surface): it is drawn only where that side faces the one looking, since the faces it is
 * lifted over to stay in sight are thinner than the lift.
 */
struct ViewLine {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    Point3 middle;
    Point3 away; ///< none for a sheet drawn as one face
    ViewLineKind kind = ViewLineKind::Edge;
};

/**
 * A reported point where it lies on its part, named as the report names it, and the way its
 * part's surface faces there, away from the part's middle: a name is shown where that faces
 * the one looking.
 */
struct ViewLabel {
    Point3 at;
    Point3 outwards;
    std::string text;
};

/**
 * The joint meshed for the view, in its own space: every face, every edge and the names of
 * point 0 and the quarter points. Made once per calculation; every frame is drawn from it.
 */
struct ViewScene {
    std::vector<Point3> points;
    std::vector<std::uint32_t> ringSizes;
    std::vector<ViewFace> faces;
    std::vector<Point3> linePoints;
    std::vector<ViewLine> lines;
    std::vector<ViewLabel> labels;
    /** The box round every point, mm. */
    Point3 low;
    Point3 high;
    /** The side of the pattern's squares, mm: the mesh's own resolution, whatever N. */
    double cellSize = 0.0;
    /** Why nothing is drawn, when the joint is more than the view draws. */
    std::string problem;

    bool empty() const { return faces.empty(); }
    Point3 middle() const { return 0.5 * (low + high); }
};

/**
 * The squares across the pattern's widest piece, and across the other part's; fewer where the
 * joint's parts would need more than kMostSheetFaces of them in all (an elbow of many segments).
 */
inline constexpr int kCellsAcrossPattern = 40;
inline constexpr int kCellsAcrossOther = 32;
inline constexpr double kMostSheetFaces = 2400;

/**
 * The scene of a joint: each developed part's outlines cut into squares and rolled onto each
 * face of its wall, its edges rolled with every point of the exact outline, the other parts
 * likewise from their own outlines, and the labels. A point that comes out not finite is left out
 * with its face. With `edges` prepared, a bevelled cut leaves each face along its own edge and
 * its face between them is drawn too.
 */
ViewScene buildViewScene(const Pattern& pattern, const JointView& joint,
                         const PreparedEdges* edges = nullptr);

/** The marks named in the view: point 0 and the quarter points of each run, as the template. */
std::vector<std::size_t> namedMarks(const Pattern& pattern);

} // namespace blachorys::core
