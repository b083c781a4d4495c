#include "common/core/pattern/markinglines.h"

namespace blachorys::core {

std::vector<MarkingRun> markingRunsOf(const Pattern& pattern) {
    std::vector<MarkingRun> runs;
    std::vector<bool> curveDrawn(pattern.exactCurves.size(), false);
    for (const PatternLine& line : pattern.lines) {
        if (line.outline != kNoOutline) {
            continue;
        }
        const bool curved =
            line.curve >= 0 && static_cast<std::size_t>(line.curve) < pattern.exactCurves.size();
        if (!curved) {
            runs.push_back({line.role, line.piece, {line.from, line.to}});
            continue;
        }
        const auto curve = static_cast<std::size_t>(line.curve);
        if (!curveDrawn[curve]) {
            curveDrawn[curve] = true;
            runs.push_back({line.role, line.piece, pattern.exactCurves[curve].points});
        }
    }
    return runs;
}

std::vector<MarkedLine> markingLinesOf(const Pattern& pattern) {
    std::vector<MarkedLine> lines;
    for (const MarkingRun& run : markingRunsOf(pattern)) {
        for (std::size_t k = 1; k < run.points.size(); ++k) {
            lines.push_back({run.points[k - 1], run.points[k], run.role, run.piece});
        }
    }
    return lines;
}

} // namespace blachorys::core
