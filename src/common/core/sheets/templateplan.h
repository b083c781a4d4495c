#pragma once

#include "common/core/geometry/rectangle.h"
#include "common/core/pattern/pattern.h"
#include "common/core/pattern/pointmark.h"
#include "common/core/sheets/labelplacement.h"
#include "common/core/sheets/templatelines.h"
#include "common/core/sheets/templatesettings.h"

#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** More pages than this make no template anyone would tape together. */
inline constexpr int kMaxTemplatePages = 500;

/** A line on a page: page millimetres from the paper's top-left corner, y downwards. */
using PageStroke = TemplateLine;

/** One sheet of the tiled template. */
struct TemplatePage {
    int row = 0;    ///< 0 is the top row, "A"
    int column = 0; ///< 0 is the left column, "1"
    std::string name;
    /** Names of the printed neighbours; empty where there is none. */
    std::string above;
    std::string below;
    std::string left;
    std::string right;
    /** Pattern millimetres at the frame's left and top edges. */
    double patternLeft = 0.0;
    double patternTop = 0.0;
    std::vector<PageStroke> strokes;
    std::vector<PageLabel> labels;
    /** Alignment crosses at the corners of the zones shared with the printed neighbours. */
    std::vector<PagePoint> crosses;
};

/** Bands round the frame of every page, millimetres: names, marks and check bars live there. */
inline constexpr double kTopBandMm = 10.0;
inline constexpr double kBottomBandMm = 14.0;
inline constexpr double kLeftBandMm = 14.0;
inline constexpr double kRightBandMm = 8.0;
/** The printer's margin is taken as at least this: a PDF is printed later on any printer. */
inline constexpr double kMinMarginMm = 5.0;
/**
 * The tiling of a pattern over pages at full scale: each page's frame shows a tile of the
 * pattern, tiles overlap their neighbours by the overlap, and pages without any of the
 * pattern are not printed.
 */
struct TemplatePlan {
    TemplateSettings settings;
    bool landscape = false;
    PaperMm paper; ///< as the pages lie
    double marginMm = kMinMarginMm;
    RectMm frame;        ///< the same on every page
    double scaleX = 1.0; ///< paper millimetres per pattern millimetre
    double scaleY = 1.0;
    double tileWidth = 0.0; ///< pattern millimetres a frame shows
    double tileHeight = 0.0;
    int columns = 0;
    int rows = 0;
    double patternMinX = 0.0;
    double patternMaxX = 0.0;
    double patternMinY = 0.0;
    double patternMaxY = 0.0;
    std::vector<TemplatePage> pages; ///< printed pages, row by row
    /** The whole pattern, for the overview of the first page. */
    std::vector<TemplateLine> lines;
    /** The pattern's styles: a line's role chooses its ink when it is painted. */
    LineStyles styles;
    /** Where the exact outlines need more sheet than the report says. */
    std::vector<ExactSheet> exactSheets;

    /** Paper millimetres of a pattern point on `page`. */
    double pageX(const TemplatePage& page, double patternX) const;
    double pageY(const TemplatePage& page, double patternY) const;
    /** Sheets printed: the overview first, sheet 1, then page i of `pages` as sheet i + 2. */
    int sheetCount() const { return static_cast<int>(pages.size()) + 1; }
    /** How a line of this role is drawn. */
    TemplateInk inkOf(LineRole role) const { return core::inkOf(styles, role); }
};

/** Tiles counted along one side at most: far more than any template may have. */
inline constexpr int kMostTilesCounted = 1000000;

/**
 * Tiles of `tile` with `overlap` needed to cover `length`: 1 + ⌈(length − tile) / (tile −
 * overlap)⌉, or kMostTilesCounted + 1 where that is more (or cannot be counted).
 */
int tilesToCover(double length, double tile, double overlap);

/** A plan, or why there is none. */
struct TemplatePlanning {
    std::optional<TemplatePlan> plan;
    std::string problem;
};

/**
 * Plans the template of a pattern with its reported points, drawn in its case's styles.
 * `printerMarginMm` is the widest unprintable margin of the printer (0 for a PDF file); the plan
 * keeps at least `kMinMarginMm`. With the automatic orientation, the one that needs fewer pages is
 * taken, upright on a tie. A pattern with nothing to print (no lines, or lines of no length) has no
 * plan.
 */
TemplatePlanning planTemplate(const Pattern& pattern, const LineStyles& styles,
                              const TemplateSettings& settings, double printerMarginMm);

} // namespace blachorys::core
