#pragma once

#include "common/core/geometry/sheetsurface.h"
#include "common/core/geometry/space.h"
#include "common/core/pattern/pattern.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace blachorys::core {

/** The edges of one role and what they must meet: the other part's surface, an end plane. */
struct EdgeMeeting {
    LineRole role = LineRole::CutCurve;
    DistanceTo distance;
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
    /**
     * Where the view's squares are laid, when not over the pattern itself, and back: a
     * sector's are laid by angle and distance from its apex, so that its faces run along the
     * generators. Both or neither.
     */
    std::function<PatternPoint(PatternPoint)> toGrid;
    std::function<PatternPoint(PatternPoint)> fromGrid;
};

/**
 * A sector's grid: the pattern's angle about the apex (on the turn round `middleAngle`), times
 * `radius`, and its distance from the apex. Faces then are nearly square `radius` from it.
 */
void layGridBySector(DevelopedPart& part, double middleAngle, double radius);

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
