#include "common/core/sheets/patterndrawing.h"

#include <algorithm>

namespace blachorys::core {

LineStyle styleOrDefault(const LineStyles& styles, LineRole role) {
    const LineStyle* style = styleOf(styles, role);
    return style != nullptr ? *style : LineStyle{role, kLayerOutlines, 7, PenRole::Edge};
}

std::vector<DxfLine> dxfLinesOf(const Pattern& pattern, const LineStyles& styles) {
    std::vector<DxfLine> lines;
    lines.reserve(pattern.lines.size());
    for (const PatternLine& line : pattern.lines) {
        const LineStyle style = styleOrDefault(styles, line.role);
        lines.push_back(
            {style.layer, style.colour, line.from.x, line.from.y, line.to.x, line.to.y});
    }
    return lines;
}

PreviewDrawing previewOf(const Pattern& pattern, const PatternLook& look) {
    PreviewDrawing drawing;
    static_cast<PreviewFrame&>(drawing) = look.frame;
    const double ySign = look.frame.orientation == PreviewOrientation::Downwards ? -1.0 : 1.0;
    std::vector<const PatternLine*> ordered;
    ordered.reserve(pattern.lines.size());
    for (const PatternLine& line : pattern.lines) {
        ordered.push_back(&line);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const PatternLine* a, const PatternLine* b) { return a->pass < b->pass; });
    drawing.segments.reserve(ordered.size());
    for (const PatternLine* line : ordered) {
        drawing.segments.push_back({styleOrDefault(look.styles, line->role).pen,
                                    {line->from.x, ySign * line->from.y},
                                    {line->to.x, ySign * line->to.y}});
    }
    for (const PatternCaption& caption : pattern.captions) {
        drawing.captions.push_back({{caption.at.x, ySign * caption.at.y}, caption.text});
    }
    return drawing;
}

} // namespace blachorys::core
