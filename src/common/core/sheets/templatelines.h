#pragma once

#include "common/core/pattern/markselection.h"
#include "common/core/pattern/pattern.h"
#include "common/core/sheets/patternlook.h"
#include "common/core/sheets/previewdrawing.h"

#include <vector>

namespace blachorys::core {

/** Outlines are drawn this wide, mm; marking lines (generators, bending and centre lines) thinner.
 */
inline constexpr double kOutlineWidthMm = 0.3;
inline constexpr double kMarkingWidthMm = 0.15;

/** How a line of the pattern is drawn on the template. */
struct TemplateInk {
    Rgb colour;
    double widthMm = kOutlineWidthMm;
    bool dashDot = false;
    friend bool operator==(const TemplateInk&, const TemplateInk&) = default;
};

/**
 * The preview's pen on paper: edges 0.3 mm, generator, bending and centre lines 0.15 mm, the
 * preview's colours darkened where white paper would swallow them.
 */
TemplateInk inkFor(PenRole pen);

/** The ink of a role in a pattern's styles (an edge's where the table lacks the role). */
TemplateInk inkOf(const LineStyles& styles, LineRole role);

/** Whether a role is marked on the sheet rather than cut: a generator, bending or centre line. */
bool isMarkingLine(LineRole role);

/**
 * A line of the template with its role, which chooses its ink when it is painted: in pattern
 * millimetres (Y up) on the whole template, in page millimetres (y down) on a page.
 */
struct TemplateLine {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    LineRole role = LineRole::EndEdge;
};

/**
 * The lines the template draws: the marking lines as they stand or along their exact curves,
 * every outline exactly as it is cut.
 */
std::vector<TemplateLine> templateLinesOf(const Pattern& pattern);

/** A piece's sheet as its exact outline needs it, beside the sheet the report states. */
struct ExactSheet {
    double width = 0.0;
    double height = 0.0;
    double reportedWidth = 0.0;
    double reportedHeight = 0.0;
};

/**
 * The exact outline needs a sheet larger by this, mm, before the template says so: less is
 * within what a worker trims anyway, and a notice of a tenth is only noise.
 */
inline constexpr double kExactSheetNoticeMm = 0.5;

/**
 * The pieces whose exact outline needs a sheet wider or higher by kExactSheetNoticeMm or more
 * than the one the report states (which is the box round the reported points).
 */
std::vector<ExactSheet> sheetsLargerThanReported(const Pattern& pattern);

/** The lines less each marking line that ends at a mark which does not keep it. */
std::vector<TemplateLine> thinMarkingLines(const std::vector<TemplateLine>& lines,
                                           const std::vector<PointMark>& marks,
                                           const MarkSelection& selection);

} // namespace blachorys::core
