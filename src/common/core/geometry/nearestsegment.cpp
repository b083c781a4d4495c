#include "common/core/geometry/nearestsegment.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace blachorys::core {
namespace {

/** Cells along the grid's longer side at most: the grid stays small for a sliver of a chain. */
constexpr double kMostCellsAlong = 4096.0;

} // namespace

NearestSegment::NearestSegment(std::vector<PatternPoint> chain) : m_chain(std::move(chain)) {
    if (m_chain.size() < 2) {
        return;
    }
    double right = m_chain.front().x;
    double top = m_chain.front().y;
    m_left = right;
    m_bottom = top;
    for (const PatternPoint p : m_chain) {
        m_left = std::min(m_left, p.x);
        m_bottom = std::min(m_bottom, p.y);
        right = std::max(right, p.x);
        top = std::max(top, p.y);
    }
    const double side = std::max(right - m_left, top - m_bottom);
    const double segments = static_cast<double>(m_chain.size() - 1);
    m_cell = std::max(side / std::min(std::sqrt(segments), kMostCellsAlong), side * 1e-12);
    if (!(m_cell > 0) || !std::isfinite(m_cell)) {
        m_cell = 1.0;
    }
    m_columns = static_cast<std::size_t>(std::floor((right - m_left) / m_cell)) + 1;
    m_rows = static_cast<std::size_t>(std::floor((top - m_bottom) / m_cell)) + 1;
    m_cells.resize(m_columns * m_rows);
    for (std::size_t k = 0; k + 1 < m_chain.size(); ++k) {
        const PatternPoint a = m_chain[k];
        const PatternPoint b = m_chain[k + 1];
        for (std::size_t x = cellOf(std::min(a.x, b.x), m_left, m_columns);
             x <= cellOf(std::max(a.x, b.x), m_left, m_columns); ++x) {
            for (std::size_t y = cellOf(std::min(a.y, b.y), m_bottom, m_rows);
                 y <= cellOf(std::max(a.y, b.y), m_bottom, m_rows); ++y) {
                m_cells[y * m_columns + x].push_back(k);
            }
        }
    }
}

std::size_t NearestSegment::cellOf(double coordinate, double low, std::size_t cells) const {
    const double at = std::floor((coordinate - low) / m_cell);
    return static_cast<std::size_t>(std::clamp(at, 0.0, static_cast<double>(cells - 1)));
}

NearestSegment::Place NearestSegment::nearestTo(PatternPoint p) const {
    Place best{0, 0.0, {}, std::numeric_limits<double>::infinity()};
    double& nearest = best.distance;
    if (m_cells.empty() || !isFinite(p)) {
        return best;
    }
    const auto column = static_cast<long long>(cellOf(p.x, m_left, m_columns));
    const auto row = static_cast<long long>(cellOf(p.y, m_bottom, m_rows));
    // How far the point lies outside the grid: no segment is nearer than that.
    const double outsideX =
        std::max({0.0, m_left - p.x, p.x - (m_left + m_cell * static_cast<double>(m_columns))});
    const double outsideY =
        std::max({0.0, m_bottom - p.y, p.y - (m_bottom + m_cell * static_cast<double>(m_rows))});
    const double outside = std::hypot(outsideX, outsideY);
    const auto most = static_cast<long long>(std::max(m_columns, m_rows));
    for (long long ring = 0; ring <= most; ++ring) {
        if (outside + static_cast<double>(ring - 1) * m_cell > nearest) {
            break;
        }
        for (long long x = column - ring; x <= column + ring; ++x) {
            for (long long y = row - ring; y <= row + ring; ++y) {
                const bool onRing =
                    x == column - ring || x == column + ring || y == row - ring || y == row + ring;
                if (!onRing || x < 0 || y < 0 || x >= static_cast<long long>(m_columns) ||
                    y >= static_cast<long long>(m_rows)) {
                    continue;
                }
                for (const std::size_t k : m_cells[static_cast<std::size_t>(y) * m_columns +
                                                   static_cast<std::size_t>(x)]) {
                    const PatternPoint a = m_chain[k];
                    const PatternPoint run = m_chain[k + 1] - a;
                    const double lengthSquared = dot(run, run);
                    const double share =
                        lengthSquared > 0 ? std::clamp(dot(p - a, run) / lengthSquared, 0.0, 1.0)
                                          : 0.0;
                    const PatternPoint at = a + share * run;
                    const double d = distance(p, at);
                    // Of two as near, the earlier segment, as a look along the chain would find.
                    if (d < nearest || (d == nearest && k < best.segment)) {
                        best = {k, share, at, d};
                    }
                }
            }
        }
    }
    return best;
}

} // namespace blachorys::core
