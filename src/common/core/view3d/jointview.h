#pragma once

#include "common/core/geometry/ring.h"
#include "common/core/geometry/sheetsurface.h"
#include "common/core/geometry/space.h"
#include "common/core/pattern/pattern.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace blachorys::core {

/** The edges of one role and what they must meet: the other part's surface, an end plane. */
struct EdgeMeeting {
    LineRole role = LineRole::CutCurve;
    DistanceTo distance;
};

/**
 * Where a piece of the pattern has its view's squares laid, and back: both or neither. A
 * sector's are laid by angle and distance from its apex, so that its faces run along the
 * generators.
 */
struct GridMapping {
    std::function<PatternPoint(PatternPoint)> toGrid;
    std::function<PatternPoint(PatternPoint)> fromGrid;
    /**
     * The point of the pattern the grid's line at no distance folds into (a sector's apex):
     * where the piece has a corner there, the grid opens it out along that line.
     */
    std::optional<PatternPoint> apex;

    bool laid() const { return toGrid && fromGrid; }
};

/**
 * A piece of the sheet that folds flat or as one cone: the view cuts each apart, so that no
 * face is bent across a fold. Its outline may reach past the sheet where the sheet ends there;
 * the regions of a part together cover it, and overlap nowhere.
 */
struct GridRegion {
    Ring outline;
    GridMapping grid;
    /**
     * The region's own surfaces, one per face of the part, carried on past its edges: the
     * part's faces of a wall take their normal from both sides of a fold or a corner.
     */
    std::vector<SheetSurface> faces;
};

/** What a welded cut meets near one of its points: the other part's surfaces there. */
struct WeldPartner {
    /** The surface each layer of the cut is fitted to: 0 on it. */
    DistanceTo contact;
    /** The other part's outside face: 0 on it, positive outside that part. */
    DistanceTo outside;
};

/** A cut welded to another part, the surfaces it meets and where round the part it runs. */
struct WeldedCut {
    std::function<WeldPartner(Point3)> partnerNear;
    /** The angle round the part's axis of a point of its wall, radians. */
    std::function<double(Point3)> angleRound;
    /** Both parts are bevelled, each for half the groove and half the gap (a mitre). */
    bool butt = false;
    /** The edges welded: a branch's cut, or the hole a set-in branch passes through. */
    LineRole role = LineRole::CutCurve;
};

/**
 * A part made from the pattern: its outlines (the piece and its holes) rolled onto each face of
 * its wall. The same outlines may make several parts (an elbow's middle segments).
 */
struct DevelopedPart {
    /** Indices into the pattern's exact contours: one piece and the holes cut in it. */
    std::vector<std::size_t> contours;
    /** Each face of the wall, drawn: one for a sheet of no thickness, two with a wall. */
    std::vector<SheetSurface> faces;
    /**
     * The surface the pattern's edges are measured on: where its cut is meant to meet, which
     * with a wall is the contact face or the surface the hole is marked on.
     */
    SheetSurface measuredOn;
    std::vector<EdgeMeeting> meetings;
    /** The reported points are named on this part (the first of parts cut alike). */
    bool labelled = true;
    /**
     * The side the pattern is drawn on faces away from the part's middle, whichever way its
     * faces' mappings turn: a template wrapped round a pipe with its drawing out.
     */
    bool printedOutside = false;
    /** Where the view's squares are laid, when not over the pattern itself. */
    GridMapping grid;
    /**
     * The pieces the sheet folds into, when it folds along lines (a transition's fans and flat
     * triangles); empty for a sheet rolled in one piece. These take the place of the grid above.
     */
    std::vector<GridRegion> regions;
    /** Its cut curve, when it is welded to another part: its edge can be prepared. */
    std::optional<WeldedCut> welded;
};

/**
 * A sector's grid: the pattern's angle about the apex (on the turn round `middleAngle`), times
 * `radius`, and its distance from the apex. Faces then are nearly square `radius` from it.
 */
void layGridBySector(DevelopedPart& part, double middleAngle, double radius);

/** How near a sector's apex its faces come, mm: there each of its lines has its own normal. */
inline constexpr double kNearestToTheApex = 0.1;

/**
 * A sector's grid as above, its apex at `apex` on the pattern. Back from the grid, no point
 * comes nearer the apex than kNearestToTheApex, where the surface still has one normal.
 */
GridMapping sectorGrid(PatternPoint apex, double middleAngle, double radius);

/**
 * The part the pattern is fitted to, drawn lighter: its surface laid out flat in coordinates of
 * its own (millimetres along it and round it), its outline and the holes cut in it in those
 * coordinates, and each face of its wall over them.
 */
struct OtherPart {
    /** Closed rings, the outline first: each point once, the last joining the first. */
    std::vector<std::vector<PatternPoint>> rings;
    /**
     * Per ring, whether each edge (from its point to the next) is an edge of the part; empty
     * for all of them. The edges where the flat layout is joined again round the part are not.
     */
    std::vector<std::vector<bool>> edgesShown;
    std::vector<SheetSurface> faces;
};

/**
 * The joint in space for the view: what the pattern makes and what it is fitted to. Space is
 * the joint's own, in millimetres, z up: front looks along +y, side along −x, top down −z.
 */
struct JointView {
    std::vector<DevelopedPart> developed;
    std::vector<OtherPart> others;
};

/** The most faces of developed parts a joint's view draws and measures (an elbow's segments). */
inline constexpr std::size_t kMostDrawnParts = 256;

/** The developed parts' faces, each face of a wall counted. */
inline std::size_t drawnFaces(const JointView& joint) {
    std::size_t faces = 0;
    for (const DevelopedPart& part : joint.developed) {
        faces += part.faces.size();
    }
    return faces;
}

} // namespace blachorys::core
