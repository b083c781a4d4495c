#include "common/core/pattern/markselection.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace blachorys::core {
namespace {

/** The strides numbered points are picked by: steps a worker counts in. */
constexpr std::array kStrides{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000};

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

/** The numbering and the kept lines of marks[first..last). */
void selectInRun(const std::vector<PointMark>& marks, std::size_t first, std::size_t last,
                 double scale, MarkSelection& selection) {
    std::vector<double> steps;
    for (std::size_t i = first + 1; i < last; ++i) {
        steps.push_back(std::hypot(marks[i].x - marks[i - 1].x, marks[i].y - marks[i - 1].y));
    }
    const double spacing = median(std::move(steps)) * scale;
    int labelStride = kStrides.back();
    for (const int stride : kStrides) {
        if (spacing * stride >= kLabelSpacingMm) {
            labelStride = stride;
            break;
        }
    }
    int lineStride = labelStride;
    for (int divisor = 1; divisor < labelStride; ++divisor) {
        if (labelStride % divisor == 0 && spacing * divisor >= kMarkingSpacingMm) {
            lineStride = divisor;
            break;
        }
    }
    const auto lastIndex = static_cast<long long>(last - first - 1);
    std::vector<long long> always{0};
    for (int quarter = 1; quarter <= 4; ++quarter) {
        always.push_back(std::llround(static_cast<double>(lastIndex) * quarter / 4.0));
    }
    for (std::size_t m = first; m < last; ++m) {
        const auto index = static_cast<long long>(m - first);
        const bool fixed = std::find(always.begin(), always.end(), index) != always.end();
        selection.labelRank[m] = fixed ? 0 : (index % labelStride == 0 ? 1 : -1);
        selection.keepsMarkingLines[m] = fixed || index % lineStride == 0;
    }
}

} // namespace

MarkSelection selectMarks(const std::vector<PointMark>& marks, double paperPerPatternMm) {
    MarkSelection selection;
    selection.labelRank.assign(marks.size(), -1);
    selection.keepsMarkingLines.assign(marks.size(), true);
    for (std::size_t first = 0; first < marks.size();) {
        std::size_t last = first + 1;
        while (last < marks.size() && marks[last].run == marks[first].run) {
            ++last;
        }
        selectInRun(marks, first, last, paperPerPatternMm, selection);
        first = last;
    }
    return selection;
}

} // namespace blachorys::core
