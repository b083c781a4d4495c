#pragma once

#include "common/core/pointmark.h"
#include "common/core/previewdrawing.h"

#include <string>
#include <vector>

namespace blachorys::core {

/** A point of a flat pattern, millimetres, Y up (the DXF's frame). */
struct PatternPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const PatternPoint&, const PatternPoint&) = default;
};

/** What a line of a pattern is to the worker. Each case's style table says how it is drawn. */
enum class LineRole {
    CutCurve,    ///< where the piece meets the other piece and is cut to fit it
    HoleOutline, ///< the outline of the hole a branch needs
    SeamEdge,    ///< an edge joined to its twin when the sheet is rolled
    /** A template strip's closing seam edge, which the strip's DXF lists among the generators. */
    ClosingSeam,
    /** An end edge drawn green: a shell's start, a cone's small end, a transition's rectangle. */
    StartEdge,
    EndEdge,     ///< the other edges: an end face, a base line, a free end, a far end
    Generator,   ///< a generator line, marked to set out a point or to roll along
    BendingLine, ///< a line the sheet is bent along
    CentreLine,  ///< a line to mark out that is no edge
};

/** How one role is drawn: its DXF layer and colour (an AutoCAD Colour Index), its pen. */
struct LineStyle {
    LineRole role = LineRole::EndEdge;
    const char* layer = "";
    int colour = 7;
    PenRole pen = PenRole::Edge;
};

/** A case's styles, one per role it draws. */
using LineStyles = std::vector<LineStyle>;

enum class OutlineKind {
    Piece, ///< the outline of a sheet to be cut out
    Hole,  ///< a hole cut in a piece
};

/** Index of no outline: the line is marked on the sheet, not cut. */
inline constexpr int kNoOutline = -1;

/** One straight line of a pattern, as the document's DXF lists it. */
struct PatternLine {
    LineRole role = LineRole::EndEdge;
    PatternPoint from;
    PatternPoint to;
    /** The closed outline this line is an edge of (index into `Pattern::outlines`), or none. */
    int outline = kNoOutline;
    /** The preview draws pass 0 first, then pass 1, and so on; each pass in the lines' order. */
    int pass = 0;
};

/**
 * The flat pattern of one calculation, which every drawing of it is made from: its lines in
 * the DXF's order, grouped into closed outlines (every piece and every hole; the rest is marked,
 * not cut), the reported points with their numbers, and how the preview fits it. A pattern
 * drawn downwards (a template strip under its base line) still has its lines with Y up, as the
 * DXF has them; only the preview turns it over.
 */
struct Pattern {
    std::vector<PatternLine> lines;
    std::vector<OutlineKind> outlines;
    std::vector<PointMark> points;
    PreviewFrame frame;
    LineStyles styles;
};

/** The style of `role` in the pattern's table, or nullptr when it has none. */
const LineStyle* styleOf(const Pattern& pattern, LineRole role);

/** Where a line goes: the outline it is an edge of, and the preview's pass that draws it. */
struct LinePlace {
    int outline = kNoOutline;
    int pass = 0;
};

/** Collects a pattern line by line in the DXF's order. */
class PatternBuilder {
public:
    PatternBuilder(LineStyles styles, PreviewFrame frame);

    /** A new closed outline; its lines may come in any order and direction. */
    int newOutline(OutlineKind kind);
    void line(LineRole role, PatternPoint from, PatternPoint to, LinePlace place = {});
    /** The chords between consecutive points. */
    void polyline(LineRole role, const std::vector<PatternPoint>& points, LinePlace place = {});
    /** A mark, the next point of the current run of marks. */
    void mark(PatternPoint at, std::string text);
    /** The marks that follow begin a run of their own (nothing when the current one is empty). */
    void newMarkRun();
    /** Points (X[i], Y[i]) numbered i, as a run of their own. */
    void numberedMarks(const std::vector<double>& X, const std::vector<double>& Y);

    Pattern finish() &&;

private:
    Pattern m_pattern;
    int m_markRun = 0;
};

/** A closed outline as one chain: its corners in order, each edge's role beside its start. */
struct Contour {
    OutlineKind kind = OutlineKind::Piece;
    /** The chain's points; the last one joins the first again, which is not repeated. */
    std::vector<PatternPoint> points;
    /** Role of the edge from points[k] to points[k + 1] (the last: back to points[0]). */
    std::vector<LineRole> roles;
    /** False when the lines do not join into one closed chain. */
    bool closed = true;
};

/**
 * Every outline of the pattern as a chain. Ends meet within a hair of rounding (the last
 * point of a hole is its first again, computed once more); edges of no length are left out,
 * so no point is repeated.
 */
std::vector<Contour> contoursOf(const Pattern& pattern);

/** True when every coordinate of the pattern's lines, points and frame is a finite number. */
bool hasFiniteGeometry(const Pattern& pattern);

} // namespace blachorys::core
