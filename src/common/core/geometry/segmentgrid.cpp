#include "common/core/geometry/segmentgrid.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {
namespace {

/** More cells than this and they are made larger: the grid stays a few megabytes at most. */
constexpr long long kMostCells = 1 << 20;

/**
 * A segment crosses about its length over the cell's size of cells, and is listed in each: a
 * thousand lines along a pattern a million cells long would be a billion entries. Past this
 * many (through their lengths) the cells are made larger too; the questions then look at more
 * segments each, and the answers stay the same.
 */
constexpr double kMostCrossings = 1 << 22;

/**
 * About the cells a segment is listed in, times the cell's size: each column it crosses, and
 * in each column the rows its rise there spans and one more.
 */
double crossingLength(const Segment& s) {
    return 2 * std::fabs(s.x2 - s.x1) + std::fabs(s.y2 - s.y1);
}

} // namespace

bool clipToRectangle(double& x1, double& y1, double& x2, double& y2, double left, double right,
                     double bottom, double top) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double enter = 0.0;
    double leave = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - bottom, top - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
    }
    if (enter > leave) {
        return false;
    }
    const double startX = x1 + enter * dx;
    const double startY = y1 + enter * dy;
    x2 = x1 + leave * dx;
    y2 = y1 + leave * dy;
    x1 = startX;
    y1 = startY;
    return true;
}

bool segmentMeetsBox(const Segment& s, const RectMm& box) {
    double x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
    return clipToRectangle(x1, y1, x2, y2, box.left, box.right(), box.top, box.bottom());
}

SegmentGrid::SegmentGrid(std::vector<Segment> segments, double cellMm)
    : m_segments(std::move(segments)) {
    if (m_segments.empty()) {
        return;
    }
    double right = -HUGE_VAL;
    double bottom = -HUGE_VAL;
    m_left = HUGE_VAL;
    m_top = HUGE_VAL;
    for (const Segment& s : m_segments) {
        m_left = std::min({m_left, s.x1, s.x2});
        m_top = std::min({m_top, s.y1, s.y2});
        right = std::max({right, s.x1, s.x2});
        bottom = std::max({bottom, s.y1, s.y2});
    }
    const double width = right - m_left;
    const double height = bottom - m_top;
    m_cell = std::max(cellMm, 1e-3);
    if (!std::isfinite(width) || !std::isfinite(height)) {
        m_cell = HUGE_VAL; // one cell: every question looks at every segment
    }
    double crossings = 0.0;
    for (const Segment& s : m_segments) {
        crossings += crossingLength(s);
    }
    while ((width / m_cell + 1) * (height / m_cell + 1) > static_cast<double>(kMostCells) ||
           crossings / m_cell > kMostCrossings) {
        m_cell *= 2;
    }
    m_columns = std::isfinite(m_cell) ? static_cast<long long>(width / m_cell) + 1 : 1;
    m_rows = std::isfinite(m_cell) ? static_cast<long long>(height / m_cell) + 1 : 1;

    // Each segment goes into the cells it passes through, column by column: a long diagonal
    // is in a few cells of each column, not in every cell of its box.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entries; // cell, segment
    for (std::uint32_t k = 0; k < m_segments.size(); ++k) {
        const Segment& s = m_segments[k];
        const CellRange across = cellsOver(std::min(s.x1, s.x2), std::max(s.x1, s.x2), 0, 0);
        for (long long column = across.firstColumn; column <= across.lastColumn; ++column) {
            // The part of the segment over this column's x, widened a hair for rounding.
            const double columnLeft = m_left + static_cast<double>(column) * m_cell;
            const double from = std::max(std::min(s.x1, s.x2), columnLeft);
            const double to = std::min(std::max(s.x1, s.x2), columnLeft + m_cell);
            const double dx = s.x2 - s.x1;
            const auto yAt = [&](double x) {
                return dx == 0.0 ? s.y1 : s.y1 + (s.y2 - s.y1) * (x - s.x1) / dx;
            };
            const double low = dx == 0.0 ? std::min(s.y1, s.y2) : std::min(yAt(from), yAt(to));
            const double high = dx == 0.0 ? std::max(s.y1, s.y2) : std::max(yAt(from), yAt(to));
            const double hair = 1e-9 * m_cell;
            const CellRange down = cellsOver(0, 0, low - hair, high + hair);
            for (long long row = down.firstRow; row <= down.lastRow; ++row) {
                entries.emplace_back(static_cast<std::uint32_t>(cellIndex(column, row)), k);
            }
        }
    }
    // Bucketed by cell in one pass: the entries come segment by segment, so each cell lists
    // its segments in their order, and no cell holds a segment twice.
    m_starts.assign(static_cast<std::size_t>(m_columns * m_rows) + 1, 0);
    for (const auto& [cell, segment] : entries) {
        ++m_starts[cell + 1];
    }
    for (std::size_t c = 1; c < m_starts.size(); ++c) {
        m_starts[c] += m_starts[c - 1];
    }
    m_members.resize(entries.size());
    std::vector<std::uint32_t> next(m_starts.begin(), m_starts.end() - 1);
    for (const auto& [cell, segment] : entries) {
        m_members[next[cell]++] = segment;
    }
    m_seen.assign(m_segments.size(), 0);
}

SegmentGrid::CellRange SegmentGrid::cellsOver(double minX, double maxX, double minY,
                                              double maxY) const {
    const auto index = [this](double value, double origin, long long count) {
        if (!std::isfinite(m_cell)) {
            return 0LL;
        }
        const double cell = std::floor((value - origin) / m_cell);
        return static_cast<long long>(std::clamp(cell, 0.0, static_cast<double>(count - 1)));
    };
    return {index(minX, m_left, m_columns), index(maxX, m_left, m_columns),
            index(minY, m_top, m_rows), index(maxY, m_top, m_rows)};
}

std::size_t SegmentGrid::cellIndex(long long column, long long row) const {
    return static_cast<std::size_t>(row * m_columns + column);
}

bool SegmentGrid::meets(const RectMm& box) const {
    if (m_segments.empty()) {
        return false;
    }
    if (++m_question == 0) { // wrapped round: every stamp is stale
        std::fill(m_seen.begin(), m_seen.end(), 0);
        m_question = 1;
    }
    const CellRange cells = cellsOver(box.left, box.right(), box.top, box.bottom());
    for (long long row = cells.firstRow; row <= cells.lastRow; ++row) {
        for (long long column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            const std::size_t cell = cellIndex(column, row);
            for (std::uint32_t m = m_starts[cell]; m < m_starts[cell + 1]; ++m) {
                const std::uint32_t k = m_members[m];
                if (m_seen[k] == m_question) {
                    continue;
                }
                m_seen[k] = m_question;
                if (segmentMeetsBox(m_segments[k], box)) {
                    return true;
                }
            }
        }
    }
    return false;
}

} // namespace blachorys::core
