#pragma once

#include "common/core/pattern/pattern.h"
#include "common/core/view3d/jointview.h"

#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** How a welded edge is cut through the plate. */
enum class EdgeChoice {
    Square, ///< square to the plate, as the pattern is drawn
    Fit,    ///< every layer of the wall on the surface it meets: no gap through the wall
    Groove, ///< a single bevel of a groove angle over a root face, a root gap from the other part
};

/** The edge preparation asked for, and its sizes: degrees and millimetres. */
struct EdgeSettings {
    EdgeChoice choice = EdgeChoice::Square;
    double grooveAngle = 45.0; ///< between the bevel and the other part's surface
    double rootFace = 1.5;     ///< the land left square to the surface at the root
    double rootGap = 2.0;      ///< between the root and the other part
    double bevelLimit = 45.0;  ///< the most the bevel head tilts
    friend bool operator==(const EdgeSettings&, const EdgeSettings&) = default;
};

/** A dihedral angle under this is too narrow for a groove weld, degrees. */
inline constexpr double kNarrowestWeldAngle = 30.0;

/**
 * One reported point of a welded cut, with its edge: the angle the weld sees there and how the
 * torch cuts through the plate. Shifts run on the pattern square to the cut line, positive into
 * the piece (towards its far end), from the line the pattern draws; the near face is the part's
 * outside.
 */
struct EdgePoint {
    std::string label;    ///< as the report names the point: "h5"
    int run = 0;          ///< the run of marks it is one of
    PatternPoint at;      ///< on the pattern's line
    PatternPoint inwards; ///< the unit direction on the pattern square to the line, into the piece
    double aroundDeg = 0.0; ///< the point's angle round the part's axis
    double psiDeg = 0.0;    ///< between the two parts' outside surfaces, on the weld's side
    double tiltDeg =
        0.0; ///< from the plate's normal across the line, positive: far edge further out
    double nearShift = 0.0; ///< where the cut leaves the near face
    double farShift = 0.0;  ///< where it leaves the far face
    bool overLimit = false; ///< the tilt is past the bevel head's limit
    bool tooNarrow = false; ///< ψ is under kNarrowestWeldAngle
};

/**
 * A welded cut followed along every vertex of its exact outline: where the cut leaves the near
 * face and the far one.
 */
struct EdgeRun {
    std::size_t contour = 0;           ///< of the pattern's exact contours
    std::vector<std::size_t> vertices; ///< of that contour, in order
    std::vector<PatternPoint> nearEdge;
    std::vector<PatternPoint> farEdge;
    int piece = kNoPiece;
};

/** The prepared edges of a calculation, or why there are none. */
struct PreparedEdges {
    EdgeChoice choice = EdgeChoice::Square; ///< as asked: square when nothing is prepared
    /** At every reported point of the welded cuts, a strip's two cuts each with its own. */
    std::vector<EdgePoint> points;
    std::vector<EdgeRun> runs;
    double thickness = 0.0; ///< of the plate cut, mm
    std::optional<std::string> problem;
};

/**
 * The other part a pipe round the x axis: its contact surface and its outside face `contact` and
 * `outside` from the axis.
 */
WeldPartner pipeRoundTheXAxis(double contact, double outside);

/**
 * The edges of the pattern's welded cuts (the parts of `joint` that say what they are welded
 * to) prepared as `settings` ask, at every reported point on them.
 */
PreparedEdges prepareEdges(const Pattern& pattern, const JointView& joint,
                           const EdgeSettings& settings);

/**
 * The pattern as its bevelled cuts are cut: each welded cut along its near face's edge, the
 * far face's edge marked beside it (`LineRole::BevelEdge`), each point with its tilt after its
 * number ("h6 (ukos -21.3)"), where its generator ends as before.
 */
Pattern bevelledPattern(const Pattern& pattern, const PreparedEdges& edges);

/** "dopasowane", "pod spoine", "proste": the choice in the report's words. */
std::string edgeChoiceWords(EdgeChoice choice);

} // namespace blachorys::core
