#include "common/core/cncdrawing.h"

#include "common/core/templatelabels.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace blachorys::core {
namespace {

/** A point number stands this far right of and above its point, mm. */
constexpr double kLabelOffsetMm = 1.0;
/** The title's baseline lies this far below the pattern, mm. */
constexpr double kTitleGapMm = 10.0;
/** A character of the title is at most this wide for its height. */
constexpr double kCharacterWidthPerHeight = 1.0;

bool apart(PatternPoint a, PatternPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y) >= kCncVertexGapMm;
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
    std::set<int> curvesDrawn;
    for (const PatternLine& line : pattern.lines) {
        if (line.outline != kNoOutline) {
            continue;
        }
        const bool curved =
            line.curve >= 0 && static_cast<std::size_t>(line.curve) < pattern.exactCurves.size();
        if (!curved) {
            if (apart(line.from, line.to)) {
                drawing.markings.push_back({line.from, line.to});
            }
            continue;
        }
        if (!curvesDrawn.insert(line.curve).second) {
            continue;
        }
        const auto points = withoutDoubledVertices(
            pattern.exactCurves[static_cast<std::size_t>(line.curve)].points);
        for (std::size_t k = 1; k < points.size(); ++k) {
            drawing.markings.push_back({points[k - 1], points[k]});
        }
    }
}

void addPointNumbers(const Pattern& pattern, CncDrawing& drawing) {
    // Numbered as the full-scale template numbers them: on the sheet, the file is 1:1 too.
    const MarkSelection selection = selectMarks(pattern.points, 1.0);
    for (std::size_t i = 0; i < pattern.points.size(); ++i) {
        if (i < selection.labelRank.size() && selection.labelRank[i] < 0) {
            continue;
        }
        const PointMark& mark = pattern.points[i];
        drawing.texts.push_back(
            {{mark.x + kLabelOffsetMm, mark.y + kLabelOffsetMm}, kCncLabelHeightMm, mark.text});
    }
    // What each pattern is and how many to cut, where the template says it.
    for (const PatternCaption& caption : pattern.captions) {
        const double halfWidth = kCharacterWidthPerHeight * kCncLabelHeightMm *
                                 static_cast<double>(caption.text.size()) / 2;
        drawing.texts.push_back({{caption.at.x - halfWidth, caption.at.y - kCncLabelHeightMm / 2},
                                 kCncLabelHeightMm,
                                 caption.text});
    }
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
        const bool anticlockwise = twiceSignedArea(cut.points) > 0.0;
        if (anticlockwise != (cut.kind == OutlineKind::Piece)) {
            std::reverse(cut.points.begin() + 1, cut.points.end());
        }
        drawing.cuts.push_back(std::move(cut));
    }
    addMarkings(pattern, drawing);
    addPointNumbers(pattern, drawing);

    Extent extent;
    for (const CncCut& cut : drawing.cuts) {
        std::for_each(cut.points.begin(), cut.points.end(), [&](PatternPoint p) { extent.add(p); });
    }
    for (const CncMarking& marking : drawing.markings) {
        extent.add(marking.from);
        extent.add(marking.to);
    }
    for (const CncText& text : drawing.texts) {
        extent.add(text.at);
        extent.add({text.at.x + kCharacterWidthPerHeight * text.height *
                                    static_cast<double>(text.text.size()),
                    text.at.y + text.height});
    }
    if (!titleLine.empty()) {
        const PatternPoint at{extent.min().x, extent.min().y - kTitleGapMm};
        drawing.texts.push_back({at, kCncTitleHeightMm, titleLine});
        extent.add(at);
        extent.add({at.x + kCharacterWidthPerHeight * kCncTitleHeightMm *
                               static_cast<double>(titleLine.size()),
                    at.y + kCncTitleHeightMm});
    }
    drawing.extentMin = extent.min();
    drawing.extentMax = extent.max();
    return {std::move(drawing), {}};
}

std::string cncTitleLine(const std::string& heading, const PointReport& report) {
    std::string line = heading;
    for (const auto* lines :
         {&report.heading.inputLines, &report.heading.wallLines, &report.cutNotes}) {
        for (const std::string& text : *lines) {
            line += " ; " + text;
        }
    }
    if (!report.dateLine.empty()) {
        line += " ; " + report.dateLine;
    }
    return line;
}

} // namespace blachorys::core
