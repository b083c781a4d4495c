#include "common/core/sheets/templateplan.h"

#include "common/core/geometry/segmentgrid.h"
#include "common/core/sheets/labelplacement.h"
#include "common/core/sheets/templatewording.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace blachorys::core {
namespace {

/** The cells the page's lines are bucketed in to keep labels off them: about a label's size. */
constexpr double kLabelGridCellMm = 5.0;
/** A grid this large is refused before any page is clipped. */
constexpr long long kMaxGridTiles = 20000;

struct Bounds {
    double minX = std::numeric_limits<double>::max();
    double maxX = std::numeric_limits<double>::lowest();
    double minY = std::numeric_limits<double>::max();
    double maxY = std::numeric_limits<double>::lowest();
};

Bounds boundsOf(const std::vector<TemplateLine>& lines) {
    Bounds b;
    for (const TemplateLine& l : lines) {
        b.minX = std::min({b.minX, l.x1, l.x2});
        b.maxX = std::max({b.maxX, l.x1, l.x2});
        b.minY = std::min({b.minY, l.y1, l.y2});
        b.maxY = std::max({b.maxY, l.y1, l.y2});
    }
    return b;
}

/** The page layout for one orientation; the pages still empty of strokes. */
TemplatePlan gridFor(const Bounds& bounds, const TemplateSettings& settings, bool landscape,
                     double margin) {
    TemplatePlan plan;
    plan.settings = settings;
    plan.landscape = landscape;
    const PaperMm upright = paperOf(settings.paper).mm;
    plan.paper = landscape ? PaperMm{upright.height, upright.width} : upright;
    plan.marginMm = margin;
    plan.frame = {margin + kLeftBandMm, margin + kTopBandMm,
                  plan.paper.width - 2 * margin - kLeftBandMm - kRightBandMm,
                  plan.paper.height - 2 * margin - kTopBandMm - kBottomBandMm};
    plan.scaleX = settings.scaleXPercent / 100.0;
    plan.scaleY = settings.scaleYPercent / 100.0;
    plan.tileWidth = plan.frame.width / plan.scaleX;
    plan.tileHeight = plan.frame.height / plan.scaleY;
    const double width = bounds.maxX - bounds.minX;
    const double height = bounds.maxY - bounds.minY;
    plan.columns = tilesToCover(width, plan.tileWidth, settings.overlapMm);
    plan.rows = tilesToCover(height, plan.tileHeight, settings.overlapMm);
    // The grid is centred on the pattern, so its spare room is shared by both sides.
    const double gridWidth =
        plan.columns * (plan.tileWidth - settings.overlapMm) + settings.overlapMm;
    const double gridHeight =
        plan.rows * (plan.tileHeight - settings.overlapMm) + settings.overlapMm;
    plan.patternMinX = bounds.minX - (gridWidth - width) / 2;
    plan.patternMaxX = plan.patternMinX + gridWidth;
    plan.patternMaxY = bounds.maxY + (gridHeight - height) / 2;
    plan.patternMinY = plan.patternMaxY - gridHeight;
    return plan;
}

/** The corners of the zones a page shares with its printed neighbours, each once. */
std::vector<PagePoint> crossesOf(const TemplatePlan& plan, const TemplatePage& page) {
    const RectMm& f = plan.frame;
    const double overlapX = plan.settings.overlapMm * plan.scaleX;
    const double overlapY = plan.settings.overlapMm * plan.scaleY;
    std::vector<PagePoint> points;
    const auto zone = [&points](double left, double top, double right, double bottom) {
        points.insert(points.end(), {{left, top}, {right, top}, {left, bottom}, {right, bottom}});
    };
    if (!page.left.empty()) {
        zone(f.left, f.top, f.left + overlapX, f.bottom());
    }
    if (!page.right.empty()) {
        zone(f.right() - overlapX, f.top, f.right(), f.bottom());
    }
    if (!page.above.empty()) {
        zone(f.left, f.top, f.right(), f.top + overlapY);
    }
    if (!page.below.empty()) {
        zone(f.left, f.bottom() - overlapY, f.right(), f.bottom());
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

/** The numbers of the chosen marks that lie on the page's tile, placed clear of each other. */
std::vector<PageLabel> labelsOf(const TemplatePlan& plan, const TemplatePage& page,
                                const std::vector<PointMark>& marks, const MarkSelection& selection,
                                const std::vector<PatternCaption>& captions) {
    const double right = page.patternLeft + plan.tileWidth;
    const double bottom = page.patternTop - plan.tileHeight;
    std::vector<LabelRequest> requests;
    for (std::size_t m = 0; m < marks.size(); ++m) {
        const PointMark& mark = marks[m];
        if (selection.labelRank[m] < 0 || mark.x < page.patternLeft || mark.x > right ||
            mark.y < bottom || mark.y > page.patternTop) {
            continue;
        }
        requests.push_back({{plan.pageX(page, mark.x), plan.pageY(page, mark.y)},
                            mark.text,
                            selection.labelRank[m]});
    }
    // Captions first: a piece's name matters more than any one point's number.
    for (const PatternCaption& caption : captions) {
        if (caption.at.x >= page.patternLeft && caption.at.x <= right && caption.at.y >= bottom &&
            caption.at.y <= page.patternTop) {
            requests.push_back({{plan.pageX(page, caption.at.x), plan.pageY(page, caption.at.y)},
                                caption.text,
                                -1,
                                false});
        }
    }
    // Clear of every line drawn on the page, the thinned marking lines' survivors included.
    std::vector<Segment> lines;
    lines.reserve(page.strokes.size());
    for (const PageStroke& stroke : page.strokes) {
        lines.push_back({stroke.x1, stroke.y1, stroke.x2, stroke.y2});
    }
    const SegmentGrid grid(std::move(lines), kLabelGridCellMm);
    return placeLabels(std::move(requests), plan.frame, page.crosses, {kLabelCapitalMm, &grid});
}

/** The columns and rows of tiles that may hold something of the box; a few more, never fewer. */
struct TileRange {
    int firstColumn, lastColumn, firstRow, lastRow;
};

TileRange tilesOver(const TemplatePlan& plan, double minX, double maxX, double minY, double maxY) {
    const double stepX = plan.tileWidth - plan.settings.overlapMm;
    const double stepY = plan.tileHeight - plan.settings.overlapMm;
    const auto index = [](double value, int count) {
        return static_cast<int>(std::clamp(std::floor(value), 0.0, static_cast<double>(count - 1)));
    };
    return {index((minX - plan.patternMinX - plan.tileWidth) / stepX, plan.columns),
            index((maxX - plan.patternMinX) / stepX, plan.columns),
            index((plan.patternMaxY - plan.tileHeight - maxY) / stepY, plan.rows),
            index((plan.patternMaxY - minY) / stepY, plan.rows)};
}

/** Clips every line to the tiles it reaches; keeps the tiles that show something. */
void fillPages(TemplatePlan& plan, const std::vector<TemplateLine>& lines, const Pattern& pattern,
               const MarkSelection& selection) {
    const double stepX = plan.tileWidth - plan.settings.overlapMm;
    const double stepY = plan.tileHeight - plan.settings.overlapMm;
    std::vector<TemplatePage> grid;
    for (int row = 0; row < plan.rows; ++row) {
        for (int column = 0; column < plan.columns; ++column) {
            TemplatePage page;
            page.row = row;
            page.column = column;
            page.name = pageName(row, column);
            page.patternLeft = plan.patternMinX + column * stepX;
            page.patternTop = plan.patternMaxY - row * stepY;
            grid.push_back(std::move(page));
        }
    }
    const auto pageAt = [&](int row, int column) -> TemplatePage& {
        return grid[static_cast<std::size_t>(row * plan.columns + column)];
    };
    for (const TemplateLine& line : lines) {
        const TileRange range =
            tilesOver(plan, std::min(line.x1, line.x2), std::max(line.x1, line.x2),
                      std::min(line.y1, line.y2), std::max(line.y1, line.y2));
        for (int row = range.firstRow; row <= range.lastRow; ++row) {
            for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
                TemplatePage& page = pageAt(row, column);
                double x1 = line.x1;
                double y1 = line.y1;
                double x2 = line.x2;
                double y2 = line.y2;
                // A line that only touches the tile at one point puts nothing on the page.
                if (clipToRectangle(x1, y1, x2, y2, page.patternLeft,
                                    page.patternLeft + plan.tileWidth,
                                    page.patternTop - plan.tileHeight, page.patternTop) &&
                    (x1 != x2 || y1 != y2)) {
                    page.strokes.push_back({plan.pageX(page, x1), plan.pageY(page, y1),
                                            plan.pageX(page, x2), plan.pageY(page, y2), line.role});
                }
            }
        }
    }
    const auto printed = [&](int row, int column) -> const TemplatePage* {
        if (row < 0 || column < 0 || row >= plan.rows || column >= plan.columns) {
            return nullptr;
        }
        const TemplatePage& page = grid[static_cast<std::size_t>(row * plan.columns + column)];
        return page.strokes.empty() ? nullptr : &page;
    };
    for (TemplatePage& page : grid) {
        if (page.strokes.empty()) {
            continue;
        }
        const auto nameOf = [](const TemplatePage* neighbour) {
            return neighbour != nullptr ? neighbour->name : std::string();
        };
        page.above = nameOf(printed(page.row - 1, page.column));
        page.below = nameOf(printed(page.row + 1, page.column));
        page.left = nameOf(printed(page.row, page.column - 1));
        page.right = nameOf(printed(page.row, page.column + 1));
    }
    // Each caption once, on the first sheet that holds it and has room for it.
    std::vector<PatternCaption> unplaced = pattern.captions;
    for (TemplatePage& page : grid) {
        if (!page.strokes.empty()) {
            page.crosses = crossesOf(plan, page);
            page.labels = labelsOf(plan, page, pattern.points, selection, unplaced);
            std::erase_if(unplaced, [&page](const PatternCaption& caption) {
                return std::any_of(page.labels.begin(), page.labels.end(), [&](const PageLabel& l) {
                    return !l.dot && l.text == caption.text;
                });
            });
            plan.pages.push_back(std::move(page));
        }
    }
}

} // namespace

double TemplatePlan::pageX(const TemplatePage& page, double patternX) const {
    return frame.left + (patternX - page.patternLeft) * scaleX;
}

double TemplatePlan::pageY(const TemplatePage& page, double patternY) const {
    return frame.top + (page.patternTop - patternY) * scaleY;
}

int tilesToCover(double length, double tile, double overlap) {
    if (length <= tile) {
        return 1;
    }
    // Past the most ever counted (a pattern far beyond any template, or a width that overflowed)
    // the count stops, instead of overflowing an int and wrapping round to no tiles at all.
    const double more = std::ceil((length - tile) / (tile - overlap));
    if (!(more >= 0.0 && more < kMostTilesCounted)) {
        return kMostTilesCounted + 1;
    }
    return 1 + static_cast<int>(more);
}

TemplatePlanning planTemplate(const Pattern& pattern, const LineStyles& styles,
                              const TemplateSettings& settings, double printerMarginMm) {
    if (const auto problem = settingsProblem(settings)) {
        return {std::nullopt, *problem};
    }
    // Numbers and marking lines as many as a worker can tell apart at this scale.
    const MarkSelection selection = selectMarks(
        pattern.points, std::min(settings.scaleXPercent, settings.scaleYPercent) / 100.0);
    std::vector<TemplateLine> lines =
        thinMarkingLines(templateLinesOf(pattern), pattern.points, selection);
    if (lines.empty()) {
        return {std::nullopt, "brak rysunku"};
    }
    const Bounds bounds = boundsOf(lines);
    const double margin = std::max(printerMarginMm, kMinMarginMm);
    std::vector<bool> orientations;
    if (settings.orientation != PageOrientation::Landscape) {
        orientations.push_back(false);
    }
    if (settings.orientation != PageOrientation::Portrait) {
        orientations.push_back(true);
    }
    std::optional<TemplatePlan> best;
    long long smallestGrid = 0;
    for (bool landscape : orientations) {
        TemplatePlan plan = gridFor(bounds, settings, landscape, margin);
        const long long grid = static_cast<long long>(plan.columns) * plan.rows;
        if (plan.frame.width <= 0.0 || plan.frame.height <= 0.0 ||
            plan.tileWidth <= settings.overlapMm || plan.tileHeight <= settings.overlapMm) {
            continue;
        }
        if (grid > kMaxGridTiles) {
            smallestGrid = smallestGrid == 0 ? grid : std::min(smallestGrid, grid);
            continue;
        }
        fillPages(plan, lines, pattern, selection);
        if (!best || plan.pages.size() < best->pages.size()) {
            best = std::move(plan);
        }
    }
    if (!best) {
        return {std::nullopt, smallestGrid > 0 ? "szablon zajalby ponad " +
                                                     std::to_string(kMaxTemplatePages) + " stron"
                                               : "arkusz jest za maly na szablon"};
    }
    if (best->pages.empty()) {
        // Every line is a point (a pipe of no diameter): nothing would be printed.
        return {std::nullopt, "brak rysunku"};
    }
    if (static_cast<int>(best->pages.size()) > kMaxTemplatePages) {
        return {std::nullopt, "szablon zajalby " + std::to_string(best->pages.size()) +
                                  " stron (najwiecej " + std::to_string(kMaxTemplatePages) + ")"};
    }
    best->lines = std::move(lines);
    best->styles = styles;
    best->exactSheets = sheetsLargerThanReported(pattern);
    return {std::move(best), {}};
}

} // namespace blachorys::core
