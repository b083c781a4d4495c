#pragma once

#include "common/core/geometry/point.h"
#include "common/core/pattern/cutpiece.h"
#include "common/core/pattern/pointmark.h"

#include <string>
#include <vector>

namespace blachorys::core {

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
    MatchMark,   ///< a tick where two parts of a split piece are joined again
    /** Where a bevelled cut leaves the plate's far face: marked dashed, never cut along. */
    BevelEdge,
};

enum class OutlineKind {
    Piece, ///< the outline of a sheet to be cut out
    Hole,  ///< a hole cut in a piece
};

/** Index of no outline: the line is marked on the sheet, not cut. */
inline constexpr int kNoOutline = -1;
/** Index of no exact curve: the line is exact as it stands. */
inline constexpr int kNoCurve = -1;
/** Index of no piece: a line, mark or caption no piece owns. */
inline constexpr int kNoPiece = -1;

/** One straight line of a pattern, as the document's DXF lists it. */
struct PatternLine {
    LineRole role = LineRole::EndEdge;
    PatternPoint from;
    PatternPoint to;
    /** The closed outline this line is an edge of (index into `Pattern::outlines`), or none. */
    int outline = kNoOutline;
    /** The preview draws pass 0 first, then pass 1, and so on; each pass in the lines' order. */
    int pass = 0;
    /**
     * The exact curve this line is a chord of (index into `Pattern::exactCurves`), or none: the
     * document's files draw the chords, what is cut along draws the curve.
     */
    int curve = kNoCurve;
    /** The piece the line is an edge of or is marked on (index into `Pattern::pieces`). */
    int piece = kNoPiece;
};

/**
 * A curved edge of an outline as the geometry gives it between the reported points, sampled
 * finely enough that no point of it lies farther from the true curve than a cut may be off.
 * It runs from the first chord's start to the last chord's end and passes through every
 * reported point between them.
 */
struct ExactCurve {
    LineRole role = LineRole::CutCurve;
    std::vector<PatternPoint> points;
};

/** A text set on the pattern, not at a point: what a piece is and how many to cut. */
struct PatternCaption {
    PatternPoint at; ///< the middle of the text
    std::string text;
    int piece = kNoPiece; ///< the piece it names
};

/**
 * A piece of the pattern as the case that built it knows it: what it is to the job, the outline
 * it is cut along and the holes cut in it (indices into `Pattern::outlines`).
 */
struct PatternPiece {
    CutPiece cut;
    int outline = kNoOutline;
    std::vector<int> holes;
};

/** A closed outline as one chain: its corners in order, each edge's role beside its start. */
struct Contour {
    OutlineKind kind = OutlineKind::Piece;
    /** The chain's points; the last one joins the first again, which is not repeated. */
    std::vector<PatternPoint> points;
    /** Role of the edge from points[k] to points[k + 1] (the last: back to points[0]). */
    std::vector<LineRole> roles;
    /** False when the lines do not join into one closed chain: the calculation's fault. */
    bool closed = true;
};

/**
 * The flat pattern of one calculation, which every drawing of it is made from: its lines in
 * the DXF's order, grouped into closed outlines (every piece and every hole; the rest is marked,
 * not cut), and the reported points with their numbers. How it is drawn is the drawings' own
 * (`PatternLook`). A pattern
 * drawn downwards (a template strip under its base line) still has its lines with Y up, as the
 * DXF has them; only the preview turns it over.
 */
struct Pattern {
    std::vector<PatternLine> lines;
    std::vector<OutlineKind> outlines;
    /** Every piece outline is one piece's, every hole one piece's. */
    std::vector<PatternPiece> pieces;
    std::vector<ExactCurve> exactCurves;
    std::vector<PointMark> points;
    std::vector<PatternCaption> captions;
    /**
     * Every outline as one chain, chained once when the pattern is finished: by the chords
     * between the reported points, and with every curved edge drawn by its exact curve, as it
     * is cut. Ends meet within a hair of rounding; edges of no length are left out.
     */
    std::vector<Contour> contours;
    std::vector<Contour> exactContours;
};

/**
 * Where a line goes: the outline it is an edge of, the preview's pass that draws it, and the
 * exact curve it is a chord of.
 */
struct LinePlace {
    int outline = kNoOutline;
    int pass = 0;
    int curve = kNoCurve;
};

/** Collects a pattern line by line in the DXF's order. */
class PatternBuilder {
public:
    /**
     * A new piece, cut along a closed outline of its own, whose index it returns; its lines may
     * come in any order and direction. It is the current piece, which the holes, lines, marks
     * and captions that follow are on.
     */
    int newPiece(CutPiece cut);
    /** A hole in the current piece, a closed outline of its own, whose index it returns. */
    int newHole();
    /** The piece whose outline is `outline` is the current one again. */
    void onPieceOf(int outline);
    void line(LineRole role, PatternPoint from, PatternPoint to, LinePlace place = {});
    /** The chords between consecutive points. */
    void polyline(LineRole role, const std::vector<PatternPoint>& points, LinePlace place = {});
    /** An exact curve, for the chords that name it (`LinePlace::curve`); nothing when empty. */
    int exactCurve(LineRole role, std::vector<PatternPoint> points);
    /** A mark, the next point of the current run of marks. */
    void mark(PatternPoint at, std::string text);
    /** The marks that follow begin a run of their own (nothing when the current one is empty). */
    void newMarkRun();
    /** Points (X[i], Y[i]) named as the report names them, `prefix` and i, as a run of their own.
     */
    void numberedMarks(const std::string& prefix, const std::vector<double>& X,
                       const std::vector<double>& Y);
    void caption(PatternPoint at, std::string text);

    /** The pattern, its fine curves thinned and its outlines chained. */
    Pattern finish() &&;

private:
    Pattern m_pattern;
    int m_markRun = 0;
    int m_piece = kNoPiece;
};

/** True when every coordinate of the pattern's lines, curves and points is a finite number. */
bool hasFiniteGeometry(const Pattern& pattern);

} // namespace blachorys::core
