#pragma once

#include "common/core/pattern/pattern.h"

#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** Consecutive vertices of a cut closer than this, mm, are one: a cutting table takes no
 * segment of no length. */
inline constexpr double kCncVertexGapMm = 0.001;
/** Height of a point number beside its point, mm. */
inline constexpr double kCncLabelHeightMm = 2.5;
/** Height of the lines naming the calculation, mm: scaled to the pattern within these. */
inline constexpr double kCncSmallestTitleHeightMm = 2.5;
inline constexpr double kCncLargestTitleHeightMm = 5.0;

/** One closed cut: its vertices in order, the first not repeated at the end. */
struct CncCut {
    OutlineKind kind = OutlineKind::Piece;
    std::vector<PatternPoint> points;
};

/** A line marked on the sheet, not cut. */
struct CncMarking {
    PatternPoint from;
    PatternPoint to;
};

/** A text, its insertion point at the left end of its baseline. */
struct CncText {
    PatternPoint at;
    double height = kCncLabelHeightMm;
    std::string text;
};

/** Room round the drawing in the view a reader opens it at, per millimetre of its larger side. */
inline constexpr double kCncViewMarginPerSize = 0.05;

/**
 * What a cutting table's DXF holds, in millimetres: the closed cuts (a piece anticlockwise,
 * a hole clockwise, as CAM programs take the side of the kerf), the marking lines, the point
 * numbers and captions, the title's lines, and the box round all of it (texts at the room
 * `textExtentAtMost` gives them). The whole drawing is moved so that its box begins a margin
 * from the origin, and the view a reader opens it at is the box from the origin to a margin
 * past its far corner: a cutting table's program places the pieces on the sheet anyway, and
 * so every reader, even one that takes the view's lower-left corner for the origin (LibreCAD),
 * opens it whole.
 */
struct CncDrawing {
    std::vector<CncCut> cuts;
    std::vector<CncMarking> markings;
    /** Where bevelled cuts leave the plate's far face, for the bevel's own layer. */
    std::vector<CncMarking> bevels;
    std::vector<CncText> texts;
    /** The last this many texts are the title's lines, top first. */
    std::size_t titleLineCount = 0;
    PatternPoint extentMin;
    PatternPoint extentMax;
    /** The view's far corner; its near one is the origin. */
    PatternPoint viewSize;
    /** What the drawing was moved by from the pattern's own coordinates. */
    PatternPoint shift;
};

/** The drawing, or why there is none (an outline of no area, a piece larger than any plate). */
struct CncDrawingResult {
    std::optional<CncDrawing> drawing;
    std::string problem;
};

/**
 * The cuts are the pattern's exact contours (none of a piece whose box is longer than
 * kLargestPlateSideMm, the largest plate: "element 208875144000.0 x 287453.3 nie miesci sie na
 * zadnym arkuszu (najwiekszy 100000 x 100000)"), the markings its lines of no outline (a marking
 * line that is the chord of an exact curve is drawn as that curve), the point numbers those the
 * full-scale template numbers, beside their points, and the captions, each clear of every cut
 * and marking line. `titleLine` goes under the pattern as a block of short lines no wider than
 * the pattern (`titleLines`).
 */
CncDrawingResult cncDrawingOf(const Pattern& pattern, const std::string& titleLine);

/** The title's text height for a pattern this wide, mm: 1/200 of it, within 2.5 to 5 mm. */
double cncTitleHeight(double patternWidthMm);

/**
 * `titleLine` broken into lines no wider than `widthMm` at `heightMm` (`textExtentAtMost`):
 * at its " ; " first, then at spaces, a word too long for the width in pieces.
 */
std::vector<std::string> titleLines(const std::string& titleLine, double widthMm, double heightMm);

/** Twice the signed area of a closed chain: positive when it runs anticlockwise. */
double twiceSignedArea(const std::vector<PatternPoint>& points);

} // namespace blachorys::core
