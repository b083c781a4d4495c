#pragma once

#include "common/core/pattern/pattern.h"

#include <array>
#include <vector>

namespace blachorys::core {

/**
 * A pipe's cutting template: a strip as long as the developed circumference, the end face
 * along the top and the intersection curve below it at depth h[i] under abscissa L[i].
 */
struct TemplateStrip {
    const std::vector<double>& L;
    const std::vector<double>& h;
    double width = 0.0; ///< the developed circumference π·D, mm
    double hmax = 0.0;  ///< the preview's depth, mm
};

/**
 * The strip below the X axis (Y = −h): the start seam edge,
 * then each chord of the curve followed by its generator (the last generator is the closing
 * seam edge), then the end-face edge; the points of the curve numbered 0..N. One piece. The
 * preview draws the outline first, the inner generators after it. `exactCurve`, when given, is
 * the curve as it is cut, from point 0 to point N.
 */
Pattern templateStripPattern(const TemplateStrip& strip, CutPiece piece,
                             std::vector<PatternPoint> exactCurve = {});

/**
 * A developed cone: the annular sector between the small end's arc (Xm, Ym) and the large
 * end's (Xd, Yd), point j of both on the same generator, points 0 and N the sides of the cut.
 */
struct ConeSector {
    const std::vector<double>& Xm;
    const std::vector<double>& Ym;
    const std::vector<double>& Xd;
    const std::vector<double>& Yd;
};

/** A pattern's bounding box, mm: the sheet it is cut from. */
struct SheetBox {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;

    double width() const { return xMax - xMin; }
    double height() const { return yMax - yMin; }
};

/** The box round points 0..N of both arcs of a sector. */
SheetBox sectorBox(const ConeSector& sector);

/** What the two arcs of a sector are: the cone alone has two ends, a branch one cut. */
struct SectorRoles {
    LineRole largeArc = LineRole::EndEdge;
    LineRole smallArc = LineRole::StartEdge;
};

/** The preview's pass after the sector's lines, for what a case draws over it. */
inline constexpr int kPassAfterSector = 4;

/** The arcs of a sector as exactly as they are cut, each from point 0 to point N. */
struct ExactArcs {
    std::vector<PatternPoint> small;
    std::vector<PatternPoint> large;
};

/**
 * 3N + 1 lines of one piece, whose outline it returns: the large and small arcs chord by chord,
 * interleaved, the two sides of the cut, then the inner generators; point j of both arcs
 * numbered j. The preview draws the large arc, the small arc, the sides, then the generators.
 * `exact`, when given, is the arcs as they are cut.
 */
int addConeSector(PatternBuilder& builder, CutPiece piece, const ConeSector& sector,
                  SectorRoles roles, ExactArcs exact = {});

/**
 * A rolled-out shell of `length` × `around`, from (0, 0), corner to corner: the seam edge along
 * the bottom, the far end, the seam edge along the top, the start edge; one piece, whose outline
 * it returns, corners marked a to d. `passes` are the preview's passes of the four edges in
 * that order.
 */
int addShellSheet(PatternBuilder& builder, CutPiece piece, double length, double around,
                  const std::array<int, 4>& passes);

/** The points (X[i], Y[i]) as one line each. */
std::vector<PatternPoint> pointsOf(const std::vector<double>& X, const std::vector<double>& Y);

} // namespace blachorys::core
