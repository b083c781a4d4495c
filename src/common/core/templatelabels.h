#pragma once

#include "common/core/segmentgrid.h"
#include "common/core/templateplan.h"

#include <string>
#include <string_view>
#include <vector>

namespace blachorys::core {

/** The room a text takes in the template's font, at most, mm: width, and above and below its
 * baseline. */
struct TextExtent {
    double width = 0.0;
    double ascent = 0.0;
    double descent = 0.0;
};

/** The extent of `text` in the template's font (DejaVu Sans) with capitals `capitalMm` high. */
TextExtent textExtentAtMost(std::string_view text, double capitalMm);

/** Which marks are numbered on the template, and which keep the marking lines that end at them. */
struct MarkSelection {
    /** Per mark: 0 for point 0 and the quarter points of its run, 1 for every k-th, -1 none. */
    std::vector<int> labelRank;
    std::vector<bool> keepsMarkingLines;
};

/**
 * In each run of marks, every k-th point numbered so that the numbered ones stand
 * kLabelSpacingMm apart on paper (k of 1, 2, 5, 10, 20, ...), and point 0 and the quarter
 * points always; the marking lines kept at every j-th point, j the least divisor of k that
 * keeps them kMarkingSpacingMm apart. Spacings are the run's median, at `paperPerPatternMm`.
 */
MarkSelection selectMarks(const std::vector<PointMark>& marks, double paperPerPatternMm);

/** The lines less each marking line that ends at a mark which does not keep it. */
std::vector<TemplateLine> thinMarkingLines(const std::vector<TemplateLine>& lines,
                                           const std::vector<PointMark>& marks,
                                           const MarkSelection& selection);

/** A number to print beside a point of a page. */
struct LabelRequest {
    PagePoint at;
    std::string text;
    int rank = 0; ///< lower first
    /** False for a caption: centred on `at`, with no point to mark. */
    bool dot = true;
};

/** How the labels of a page or a drawing are set. */
struct LabelLayout {
    /** Capital height of the texts, mm. */
    double capitalMm = kLabelCapitalMm;
    /** The lines of the pattern no label may touch: cut, marking and bending lines. */
    const SegmentGrid* lines = nullptr;
};

/**
 * The labels of one page, by rank and then in order, each inside the frame and clear of the
 * lines, of the labels placed before it, of their points' dots and of the crosses. A number
 * stands beside its point: above right, below right, above left or below left, or centred
 * above, below or beside it, at the least distance that is free; one with no free place is
 * left out, but for a number of rank 0, which then stands clear of the labels, dots and crosses
 * only (marking lines closer than it is wide). A caption stands at the free place nearest its
 * middle; where there is none, at its middle, clear of the labels and crosses only.
 */
std::vector<PageLabel> placeLabels(std::vector<LabelRequest> requests, const RectMm& frame,
                                   const std::vector<PagePoint>& crosses,
                                   const LabelLayout& layout = {});

} // namespace blachorys::core
