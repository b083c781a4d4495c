#pragma once

#include "common/core/pattern/pattern.h"
#include "common/core/pattern/patternlines.h"
#include "common/core/sheets/previewdrawing.h"

#include <vector>

namespace blachorys::core {

/** How one role is drawn: its DXF layer and colour (an AutoCAD Colour Index), its pen. */
struct LineStyle {
    LineRole role = LineRole::EndEdge;
    const char* layer = "";
    int colour = 7;
    PenRole pen = PenRole::Edge;
};

/** A case's styles, one per role it draws. */
using LineStyles = std::vector<LineStyle>;

/** How a case's pattern is drawn: each role's style, and how the preview frames it. */
struct PatternLook {
    LineStyles styles;
    PreviewFrame frame;
};

/** The style of `role` in the table, or nullptr when it has none. */
const LineStyle* styleOf(const LineStyles& styles, LineRole role);

/**
 * The styles every pattern but a template strip draws in: magenta seams, green cuts, holes and
 * start edges, black end edges, red generator and bending lines (the bending lines on the
 * generators' layer), a blue dash-dot centre line.
 */
LineStyles standardStyles();

/** Colour numbers of the strip lines that differ between the templates. */
struct TemplateStripColours {
    int curve = 7;
    int endFace = 3;
};

/**
 * A template strip's look: magenta seams, the curve and the end face in their colours, yellow
 * generators with the closing seam on the generators' layer; drawn downwards over the strip's
 * width and depth.
 */
PatternLook templateStripLook(const TemplateStrip& strip, TemplateStripColours colours);

/** True when every number of the preview's frame is finite. */
bool hasFiniteFrame(const PatternLook& look);

} // namespace blachorys::core
