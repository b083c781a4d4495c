#pragma once

#include "common/core/geometry/rectangle.h"
#include "common/core/geometry/segmentgrid.h"
#include "common/core/plate/flatpiece.h"

#include <string>
#include <string_view>
#include <vector>

namespace blachorys::core {

/** A place on a page, millimetres from the paper's top-left corner, y downwards. */
struct PagePoint {
    double x = 0.0;
    double y = 0.0;
    friend auto operator<=>(const PagePoint&, const PagePoint&) = default;
};

/** A reported point's number beside its place on the page. */
struct PageLabel {
    double x = 0.0; ///< the point, marked by a dot
    double y = 0.0;
    std::string text;
    double textX = 0.0; ///< where the text's baseline begins
    double textY = 0.0;
    /** The room the text takes: no other label, dot or cross reaches into it. */
    RectMm box;
    /** False for a caption, which names a piece and marks no point. */
    bool dot = true;
};

/** Capital height of a point's number, mm, and the radius of the dot at its point. */
inline constexpr double kLabelCapitalMm = 2.2;
inline constexpr double kPointDotRadiusMm = 0.4;
/** Half the length of a cross's arm, and its pen, mm. */
inline constexpr double kCrossArmMm = 4.0;
inline constexpr double kCrossPenMm = 0.15;

/** The room a text takes in the template's font, at most, mm: width, and above and below its
 * baseline. */
struct TextExtent {
    double width = 0.0;
    double ascent = 0.0;
    double descent = 0.0;
};

/** The extent of `text` in the template's font (DejaVu Sans) with capitals `capitalMm` high. */
TextExtent textExtentAtMost(std::string_view text, double capitalMm);

/** A number to print beside a point of a page. */
struct LabelRequest {
    PagePoint at;
    std::string text;
    int rank = 0; ///< lower first
    /** False for a caption: centred on `at`, with no point to mark. */
    bool dot = true;
    /**
     * The piece a caption names, in the labels' frame: its box stands inside it (clear of the
     * lines, so wholly inside) where any free place is.
     */
    const InsideTest* within = nullptr;
};

/** How the labels of a page or a drawing are set. */
struct LabelLayout {
    /** Capital height of the texts, mm. */
    double capitalMm = kLabelCapitalMm;
    /** The lines of the pattern no label may touch: cut, marking and bending lines. */
    const SegmentGrid* lines = nullptr;
    /**
     * The cut lines alone: a caption inside its piece (`LabelRequest::within`) crosses marking
     * lines rather than stand outside it, where no place clear of them is left inside.
     */
    const SegmentGrid* cuts = nullptr;
};

/**
 * The labels of one page, by rank and then in order, each inside the frame and clear of the
 * lines, of the labels placed before it, of their points' dots and of the crosses. A number
 * stands beside its point: above right, below right, above left or below left, or centred
 * above, below or beside it, at the least distance that is free; one with no free place is
 * left out, but for a number of rank 0, which then stands clear of the labels, dots and crosses
 * only (marking lines closer than it is wide). A caption stands at the free place nearest its
 * middle (inside its piece where it names one: clear of every line there, or else clear of the
 * cuts); where there is none, at its middle, clear of the labels and crosses only.
 */
std::vector<PageLabel> placeLabels(std::vector<LabelRequest> requests, const RectMm& frame,
                                   const std::vector<PagePoint>& crosses,
                                   const LabelLayout& layout = {});

} // namespace blachorys::core
