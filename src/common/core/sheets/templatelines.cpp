#include "common/core/sheets/templatelines.h"

#include "common/core/plate/flatpiece.h"

#include <algorithm>
#include <limits>
#include <map>

namespace blachorys::core {
namespace {

/** A mark's place, to the millionth of a millimetre: lines end exactly at their points. */
using PlaceKey = std::pair<long long, long long>;
constexpr double kPlacesPerMm = 1e6;

PlaceKey placeOf(double x, double y) {
    return {std::llround(x * kPlacesPerMm), std::llround(y * kPlacesPerMm)};
}

struct Box {
    double minX = std::numeric_limits<double>::max();
    double maxX = std::numeric_limits<double>::lowest();
    double minY = std::numeric_limits<double>::max();
    double maxY = std::numeric_limits<double>::lowest();
};

Box boxOf(const Contour& contour) {
    Box b;
    for (const PatternPoint p : contour.points) {
        b.minX = std::min(b.minX, p.x);
        b.maxX = std::max(b.maxX, p.x);
        b.minY = std::min(b.minY, p.y);
        b.maxY = std::max(b.maxY, p.y);
    }
    return b;
}

} // namespace

TemplateInk inkFor(PenRole pen) {
    switch (pen) {
    case PenRole::SeamEdge:
        return {{190, 0, 190}, kOutlineWidthMm};
    case PenRole::Curve: // the preview's bright green is pale on paper
        return {{0, 140, 0}, kOutlineWidthMm};
    case PenRole::Edge:
        return {{0, 0, 0}, kOutlineWidthMm};
    case PenRole::Generator:
        return {{200, 0, 0}, kMarkingWidthMm};
    case PenRole::CentreLine:
        return {{0, 0, 220}, kMarkingWidthMm, true};
    }
    return {{0, 0, 0}, kOutlineWidthMm};
}

TemplateInk inkOf(const LineStyles& styles, LineRole role) {
    // No case draws it itself: a bevel's far edge is the program's own, thin and broken.
    if (role == LineRole::BevelEdge) {
        return {{0, 0, 0}, kMarkingWidthMm, true};
    }
    const auto style = std::find_if(styles.begin(), styles.end(),
                                    [role](const LineStyle& s) { return s.role == role; });
    return inkFor(style != styles.end() ? style->pen : PenRole::Edge);
}

bool isMarkingLine(LineRole role) {
    return role == LineRole::Generator || role == LineRole::BendingLine ||
           role == LineRole::CentreLine || role == LineRole::MatchMark;
}

std::vector<TemplateLine> templateLinesOf(const Pattern& pattern) {
    std::vector<TemplateLine> lines;
    for (const MarkedLine& line : markingLinesOf(pattern)) {
        lines.push_back({line.from.x, line.from.y, line.to.x, line.to.y, line.role});
    }
    for (const Contour& contour : pattern.exactContours) {
        const auto& p = contour.points;
        for (std::size_t k = 0; k < p.size(); ++k) {
            const PatternPoint to = p[(k + 1) % p.size()];
            lines.push_back({p[k].x, p[k].y, to.x, to.y, contour.roles[k]});
        }
    }
    return lines;
}

std::vector<ExactSheet> sheetsLargerThanReported(const Pattern& pattern) {
    const std::vector<Contour>& reported = pattern.contours;
    const std::vector<Contour>& exact = pattern.exactContours;
    std::vector<ExactSheet> sheets;
    for (std::size_t o = 0; o < exact.size() && o < reported.size(); ++o) {
        if (exact[o].kind != OutlineKind::Piece || reported[o].points.empty()) {
            continue;
        }
        const Box e = boxOf(exact[o]);
        const Box r = boxOf(reported[o]);
        const ExactSheet sheet{e.maxX - e.minX, e.maxY - e.minY, r.maxX - r.minX, r.maxY - r.minY};
        if (sheet.width - sheet.reportedWidth >= kExactSheetNoticeMm ||
            sheet.height - sheet.reportedHeight >= kExactSheetNoticeMm) {
            sheets.push_back(sheet);
        }
    }
    return sheets;
}

std::vector<TemplateLine> thinMarkingLines(const std::vector<TemplateLine>& lines,
                                           const std::vector<PointMark>& marks,
                                           const MarkSelection& selection) {
    std::map<PlaceKey, bool> keeps;
    for (std::size_t m = 0; m < marks.size(); ++m) {
        const auto [entry, added] = keeps.emplace(placeOf(marks[m].x, marks[m].y), true);
        entry->second = entry->second && selection.keepsMarkingLines[m];
    }
    const auto keptAt = [&keeps](double x, double y) {
        const auto found = keeps.find(placeOf(x, y));
        return found == keeps.end() || found->second;
    };
    std::vector<TemplateLine> kept;
    kept.reserve(lines.size());
    for (const TemplateLine& line : lines) {
        if (!isMarkingLine(line.role) || (keptAt(line.x1, line.y1) && keptAt(line.x2, line.y2))) {
            kept.push_back(line);
        }
    }
    return kept;
}

} // namespace blachorys::core
