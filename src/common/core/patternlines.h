#pragma once

#include "common/core/dxftemplatewriter.h"
#include "common/core/pointmark.h"
#include "common/core/previewdrawing.h"

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

/** Colour numbers of the strip lines that differ between the templates. */
struct TemplateStripColours {
    int curve = 7;
    int endFace = 3;
};

/**
 * 2N + 2 lines below the X axis (Y = −h): the start seam edge, then each chord of the curve
 * followed by its generator on the generator layer (the last generator is the closing seam
 * edge, magenta), then the end-face edge.
 */
std::vector<DxfLine> templateStripDxf(const TemplateStrip& strip, TemplateStripColours colours);

/**
 * The strip drawn downwards over width × hmax: the start seam, the curve, the closing seam,
 * the end face back to the start, then the inner generators.
 */
PreviewDrawing templateStripPreview(const TemplateStrip& strip);

/** Point i of the curve, where the DXF draws it (L[i], −h[i]), numbered i. */
std::vector<PointMark> templateStripMarks(const TemplateStrip& strip);

/** Points (X[i], Y[i]) numbered i, added to `marks`: a hole's outline, say. */
void appendNumberedMarks(std::vector<PointMark>& marks, const std::vector<double>& X,
                         const std::vector<double>& Y);

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

/** Point j of both arcs, numbered j. */
std::vector<PointMark> coneSectorMarks(const ConeSector& sector);

/** The box round points 0..N of both arcs of a sector. */
SheetBox sectorBox(const ConeSector& sector);

/**
 * 3N + 1 lines, all on the outline layer: the large and small arcs chord by chord,
 * interleaved, the two sides of the cut, then the inner generators.
 */
std::vector<DxfLine> coneSectorDxf(const ConeSector& sector);

/**
 * The sector drawn upwards, centred on the bounding box given: the large arc, the small arc,
 * the two sides of the cut, then the inner generators.
 */
PreviewDrawing coneSectorPreview(const ConeSector& sector, const SheetBox& box);

} // namespace blachorys::core
