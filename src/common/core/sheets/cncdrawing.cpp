#include "common/core/sheets/cncdrawing.h"

#include "common/core/base/numbertext.h"
#include "common/core/geometry/segmentgrid.h"
#include "common/core/pattern/markinglines.h"
#include "common/core/pattern/markselection.h"
#include "common/core/plate/flatpiece.h"
#include "common/core/plate/platematerial.h"
#include "common/core/sheets/labelplacement.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {
namespace {

/** Texts may stand this many label heights outside the pattern's lines. */
constexpr double kTextMarginHeights = 10.0;
/** The cells the lines are bucketed in to keep texts off them, mm: about a number's size. */
constexpr double kTextGridCellMm = 5.0;
/** The title's height per millimetre of the pattern's width, before its limits. */
constexpr double kTitleHeightPerWidth = 1.0 / 200.0;
/** Between the drawing and the title's first line, in title heights. */
constexpr double kTitleGapHeights = 2.0;
/** Baseline to baseline of the title's lines, in the room a line takes. */
constexpr double kTitleLinePitch = 1.15;

bool apart(PatternPoint a, PatternPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y) >= kCncVertexGapMm;
}

/**
 * Why no table cuts the piece, if its box is longer than the largest plate: a drawing of it
 * would be millions of millimetres of lines that no machine holds.
 */
std::optional<std::string> pastEveryPlate(const CncCut& cut) {
    const FlatBox box = boxOf(cut.points);
    if (cut.kind != OutlineKind::Piece ||
        !(std::max(box.width(), box.height()) > kLargestPlateSideMm)) {
        return std::nullopt;
    }
    const bool measured = std::isfinite(box.width()) && std::isfinite(box.height());
    return "element " + (measured ? sheetSizeText(box.width(), box.height()) + " " : "") +
           "nie miesci sie na zadnym arkuszu (najwiekszy " +
           plateText({kLargestPlateSideMm, kLargestPlateSideMm}) + ")";
}

/** The chain without vertices that stand on the one before them, nor a last one on the first. */
std::vector<PatternPoint> withoutDoubledVertices(const std::vector<PatternPoint>& points) {
    std::vector<PatternPoint> kept;
    for (const PatternPoint& p : points) {
        if (kept.empty() || apart(kept.back(), p)) {
            kept.push_back(p);
        }
    }
    while (kept.size() > 1 && !apart(kept.back(), kept.front())) {
        kept.pop_back();
    }
    return kept;
}

class Extent {
public:
    void add(PatternPoint p) {
        m_min = {std::min(m_min.x, p.x), std::min(m_min.y, p.y)};
        m_max = {std::max(m_max.x, p.x), std::max(m_max.y, p.y)};
        m_empty = false;
    }
    bool empty() const { return m_empty; }
    PatternPoint min() const { return m_empty ? PatternPoint{} : m_min; }
    PatternPoint max() const { return m_empty ? PatternPoint{} : m_max; }

private:
    PatternPoint m_min{HUGE_VAL, HUGE_VAL};
    PatternPoint m_max{-HUGE_VAL, -HUGE_VAL};
    bool m_empty = true;
};

void addMarkings(const Pattern& pattern, CncDrawing& drawing) {
    for (const MarkingRun& run : markingRunsOf(pattern)) {
        const auto points = withoutDoubledVertices(run.points);
        auto& lines = run.role == LineRole::BevelEdge ? drawing.bevels : drawing.markings;
        for (std::size_t k = 1; k < points.size(); ++k) {
            lines.push_back({points[k - 1], points[k]});
        }
    }
}

std::vector<Segment> segmentsOf(const CncDrawing& drawing) {
    // In the labels' frame, y downwards, as on a page.
    std::vector<Segment> segments;
    for (const CncCut& cut : drawing.cuts) {
        const auto& p = cut.points;
        for (std::size_t k = 0; k < p.size(); ++k) {
            const PatternPoint& to = p[(k + 1) % p.size()];
            segments.push_back({p[k].x, -p[k].y, to.x, -to.y});
        }
    }
    for (const auto* lines : {&drawing.markings, &drawing.bevels}) {
        for (const CncMarking& m : *lines) {
            segments.push_back({m.from.x, -m.from.y, m.to.x, -m.to.y});
        }
    }
    return segments;
}

/**
 * The point numbers the full-scale template prints (the file is 1:1 too) and the captions
 * (what each pattern is and how many to cut), placed as the template places them: clear of
 * every cut and marking line, of each other and of the numbered points.
 */
void addTexts(const Pattern& pattern, const Extent& lines, CncDrawing& drawing) {
    const MarkSelection selection = selectMarks(pattern.points, 1.0);
    std::vector<LabelRequest> requests;
    for (std::size_t i = 0; i < pattern.points.size(); ++i) {
        if (i < selection.labelRank.size() && selection.labelRank[i] < 0) {
            continue;
        }
        const PointMark& mark = pattern.points[i];
        const int rank = i < selection.labelRank.size() ? selection.labelRank[i] : 0;
        requests.push_back({{mark.x, -mark.y}, mark.text, rank});
    }
    // Each caption inside the piece it names, in the labels' frame.
    std::vector<std::optional<InsideTest>> pieces(pattern.pieces.size());
    const auto turned = [](const std::vector<PatternPoint>& points) {
        Contour contour;
        for (const PatternPoint p : points) {
            contour.points.push_back({p.x, -p.y});
        }
        return contour;
    };
    for (const PatternCaption& caption : pattern.captions) {
        const InsideTest* within = nullptr;
        if (caption.piece >= 0 && static_cast<std::size_t>(caption.piece) < pieces.size()) {
            const PatternPiece& piece = pattern.pieces[static_cast<std::size_t>(caption.piece)];
            std::optional<InsideTest>& test = pieces[static_cast<std::size_t>(caption.piece)];
            const auto cutOf = [&drawing](int outline) {
                return outline >= 0 && static_cast<std::size_t>(outline) < drawing.cuts.size()
                           ? &drawing.cuts[static_cast<std::size_t>(outline)]
                           : nullptr;
            };
            if (!test && cutOf(piece.outline) != nullptr) {
                FlatPiece flat{turned(cutOf(piece.outline)->points), {}};
                for (const int hole : piece.holes) {
                    if (const CncCut* cut = cutOf(hole)) {
                        flat.holes.push_back(turned(cut->points));
                    }
                }
                test.emplace(flat);
            }
            within = test ? &*test : nullptr;
        }
        requests.push_back({{caption.at.x, -caption.at.y}, caption.text, -1, false, within});
    }
    // Texts may stand a little outside the pattern, beside its edge.
    const double margin = kTextMarginHeights * kCncLabelHeightMm;
    const RectMm frame{lines.min().x - margin, -lines.max().y - margin,
                       lines.max().x - lines.min().x + 2 * margin,
                       lines.max().y - lines.min().y + 2 * margin};
    const SegmentGrid grid(segmentsOf(drawing), kTextGridCellMm);
    CncDrawing cutsAlone;
    cutsAlone.cuts = drawing.cuts;
    const SegmentGrid cuts(segmentsOf(cutsAlone), kTextGridCellMm);
    for (const PageLabel& label :
         placeLabels(std::move(requests), frame, {}, {kCncLabelHeightMm, &grid, &cuts})) {
        drawing.texts.push_back({{label.textX, -label.textY}, kCncLabelHeightMm, label.text});
    }
}

void addToExtent(Extent& extent, const CncText& text) {
    const TextExtent room = textExtentAtMost(text.text, text.height);
    extent.add({text.at.x, text.at.y - room.descent});
    extent.add({text.at.x + room.width, text.at.y + room.ascent});
}

/** The title's lines under everything else, left-aligned with the pattern. */
void addTitle(const std::string& titleLine, const Extent& lines, Extent& extent,
              CncDrawing& drawing) {
    const double width = lines.max().x - lines.min().x;
    const double height = cncTitleHeight(width);
    const TextExtent room = textExtentAtMost("", height);
    const double pitch = kTitleLinePitch * (room.ascent + room.descent);
    double baseline = extent.min().y - kTitleGapHeights * height - room.ascent;
    for (const std::string& line : titleLines(titleLine, width, height)) {
        drawing.texts.push_back({{lines.min().x, baseline}, height, line});
        ++drawing.titleLineCount;
        addToExtent(extent, drawing.texts.back());
        baseline -= pitch;
    }
}

/** The length of the UTF-8 character that begins with `lead`, 1 for a stray byte. */
std::size_t characterLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

double widthOf(const std::string& text, double height) {
    return textExtentAtMost(text, height).width;
}

/** Lines no wider than `width` of `words` joined by `separator`; `current` is the open line. */
void fill(const std::vector<std::string>& words, const std::string& separator, double width,
          double height, std::string& current, std::vector<std::string>& lines) {
    for (const std::string& word : words) {
        const std::string joined = current.empty() ? word : current + separator + word;
        if (widthOf(joined, height) <= width) {
            current = joined;
            continue;
        }
        if (!current.empty()) {
            lines.push_back(current);
            current.clear();
        }
        if (widthOf(word, height) <= width) {
            current = word;
            continue;
        }
        // A word longer than the pattern is wide: in pieces, each as long as fits (one
        // character at the least).
        for (std::size_t at = 0; at < word.size();) {
            const std::size_t length =
                std::min(characterLength(static_cast<unsigned char>(word[at])), word.size() - at);
            const std::string next = current + word.substr(at, length);
            if (!current.empty() && widthOf(next, height) > width) {
                lines.push_back(current);
                current.clear();
                continue;
            }
            current = next;
            at += length;
        }
    }
}

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    for (std::size_t from = 0;;) {
        const std::size_t at = text.find(separator, from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) {
            return parts;
        }
        from = at + separator.size();
    }
}

/** The drawing moved to begin a margin from the origin, and the view round it. */
void moveToTheView(const Extent& extent, CncDrawing& drawing) {
    const double width = extent.max().x - extent.min().x;
    const double height = extent.max().y - extent.min().y;
    const double margin = kCncViewMarginPerSize * std::max({width, height, 1.0});
    const PatternPoint shift{margin - extent.min().x, margin - extent.min().y};
    const auto move = [shift](PatternPoint& p) {
        p.x += shift.x;
        p.y += shift.y;
    };
    for (CncCut& cut : drawing.cuts) {
        std::for_each(cut.points.begin(), cut.points.end(), move);
    }
    for (auto* lines : {&drawing.markings, &drawing.bevels}) {
        for (CncMarking& marking : *lines) {
            move(marking.from);
            move(marking.to);
        }
    }
    for (CncText& text : drawing.texts) {
        move(text.at);
    }
    drawing.shift = shift;
    drawing.extentMin = {margin, margin};
    drawing.extentMax = {margin + width, margin + height};
    drawing.viewSize = {width + 2 * margin, height + 2 * margin};
}

} // namespace

double twiceSignedArea(const std::vector<PatternPoint>& points) {
    double sum = 0.0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const PatternPoint& a = points[k];
        const PatternPoint& b = points[(k + 1) % points.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

CncDrawingResult cncDrawingOf(const Pattern& pattern, const std::string& titleLine) {
    CncDrawing drawing;
    for (const Contour& contour : pattern.exactContours) {
        CncCut cut{contour.kind, withoutDoubledVertices(contour.points)};
        if (cut.points.size() < 3) {
            return {std::nullopt, "kontur ciecia nie ma powierzchni"};
        }
        if (auto problem = pastEveryPlate(cut)) {
            return {std::nullopt, std::move(*problem)};
        }
        const bool anticlockwise = twiceSignedArea(cut.points) > 0.0;
        if (anticlockwise != (cut.kind == OutlineKind::Piece)) {
            std::reverse(cut.points.begin() + 1, cut.points.end());
        }
        drawing.cuts.push_back(std::move(cut));
    }
    addMarkings(pattern, drawing);

    Extent lines;
    for (const CncCut& cut : drawing.cuts) {
        std::for_each(cut.points.begin(), cut.points.end(), [&](PatternPoint p) { lines.add(p); });
    }
    for (const auto* drawn : {&drawing.markings, &drawing.bevels}) {
        for (const CncMarking& marking : *drawn) {
            lines.add(marking.from);
            lines.add(marking.to);
        }
    }
    addTexts(pattern, lines, drawing);
    Extent extent = lines;
    for (const CncText& text : drawing.texts) {
        addToExtent(extent, text);
    }
    if (!titleLine.empty()) {
        addTitle(titleLine, lines, extent, drawing);
    }
    moveToTheView(extent, drawing);
    return {std::move(drawing), {}};
}

double cncTitleHeight(double patternWidthMm) {
    return std::clamp(patternWidthMm * kTitleHeightPerWidth, kCncSmallestTitleHeightMm,
                      kCncLargestTitleHeightMm);
}

std::vector<std::string> titleLines(const std::string& titleLine, double widthMm, double heightMm) {
    std::vector<std::string> lines;
    std::string current;
    for (const std::string& part : split(titleLine, " ; ")) {
        const std::string joined = current.empty() ? part : current + " ; " + part;
        if (widthOf(joined, heightMm) <= widthMm) {
            current = joined;
            continue;
        }
        if (!current.empty()) {
            lines.push_back(current);
            current.clear();
        }
        fill(split(part, " "), " ", widthMm, heightMm, current, lines);
    }
    if (!current.empty()) {
        lines.push_back(current);
    }
    return lines;
}

} // namespace blachorys::core
