#pragma once

#include "common/core/geometry/rectangle.h"

#include <cstdint>
#include <vector>

namespace blachorys::core {

/** A straight line to keep texts off: page or pattern millimetres, as the caller's boxes. */
struct Segment {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

/**
 * Liang–Barsky: cuts the segment to the rectangle between x = left..right and y =
 * bottom..top (bottom the smaller y); false when nothing of it lies inside. A segment along an
 * edge of the rectangle counts as inside.
 */
bool clipToRectangle(double& x1, double& y1, double& x2, double& y2, double left, double right,
                     double bottom, double top);

/** Whether the segment passes through or into the box (touching its edge counts). */
bool segmentMeetsBox(const Segment& segment, const RectMm& box);

/**
 * Segments bucketed by the square cells they pass through, so that asking whether any of
 * thousands of lines reaches into a label's box looks only at the lines near it.
 */
class SegmentGrid {
public:
    SegmentGrid() = default;
    /**
     * `cellMm` about the size of the boxes asked about; larger where the cells would be too
     * many, or the segments' entries in them (long lines across many cells).
     */
    SegmentGrid(std::vector<Segment> segments, double cellMm);

    /** Whether any segment passes through or into `box`. */
    bool meets(const RectMm& box) const;
    bool empty() const { return m_segments.empty(); }
    /** The segments listed in the cells, each once per cell it is in: what the grid takes. */
    std::size_t entryCount() const { return m_members.size(); }

private:
    struct CellRange {
        long long firstColumn, lastColumn, firstRow, lastRow;
    };
    CellRange cellsOver(double minX, double maxX, double minY, double maxY) const;
    std::size_t cellIndex(long long column, long long row) const;

    std::vector<Segment> m_segments;
    double m_left = 0.0;
    double m_top = 0.0;
    double m_cell = 1.0;
    long long m_columns = 0;
    long long m_rows = 0;
    /** The segments of cell c are m_members[m_starts[c] .. m_starts[c + 1]). */
    std::vector<std::uint32_t> m_starts;
    std::vector<std::uint32_t> m_members;
    /** Segments already looked at by the current question: each is tested once. */
    mutable std::vector<std::uint32_t> m_seen;
    mutable std::uint32_t m_question = 0;
};

} // namespace blachorys::core
