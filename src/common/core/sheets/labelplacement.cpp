#include "common/core/sheets/labelplacement.h"

#include <algorithm>
#include <utility>

namespace blachorys::core {
namespace {

/**
 * DejaVu Sans, which the painter draws with: an em of 1.4 capitals, 0.93 em above the baseline
 * and 0.24 below (rounded up here); every ASCII glyph but the wide ones at most 0.75 em across,
 * those at most 1 em.
 */
constexpr double kEmPerCapital = 1.4;
constexpr double kAscentEm = 0.95;
constexpr double kDescentEm = 0.25;
constexpr double kNarrowEm = 0.75;
constexpr double kWideEm = 1.0;
constexpr std::string_view kWideGlyphs = "DGHMNOQUWmw%@";

/** Room kept between a label and anything else, mm. */
constexpr double kClearanceMm = 0.3;
/** From a point to its label's box, mm: the dot and a little air. */
constexpr double kLabelOffsetMm = kPointDotRadiusMm + 0.3;

bool overlaps(const RectMm& a, const RectMm& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool inside(const RectMm& box, const RectMm& frame) {
    return box.left >= frame.left && box.top >= frame.top && box.right() <= frame.right() &&
           box.bottom() <= frame.bottom();
}

RectMm grown(const RectMm& box, double by) {
    return {box.left - by, box.top - by, box.width + 2 * by, box.height + 2 * by};
}

RectMm around(PagePoint at, double halfWidth, double halfHeight) {
    return {at.x - halfWidth, at.y - halfHeight, 2 * halfWidth, 2 * halfHeight};
}

bool clearOf(const RectMm& box, const std::vector<RectMm>& taken) {
    return std::none_of(taken.begin(), taken.end(),
                        [&box](const RectMm& other) { return overlaps(box, other); });
}

/**
 * How far from its point a number may stand, in steps of half its height, at most: point 0 and
 * the quarter points, which are always numbered, farther than the others.
 */
constexpr int kNumberDistances = 3;
constexpr int kFixedNumberDistances = 8;
/**
 * How far from its middle a caption may move, in steps of half its height, at most: a few
 * hundred millimetres. Farther it would no longer name its piece, and a piece whose lines
 * stand too close for it everywhere is searched in a bounded time (each ring holds eight
 * places more than the last).
 */
constexpr int kCaptionRings = 200;

/**
 * The top-left corners a number of `width` × `height` may take beside `p`: the four corners
 * first, then centred above, below, right and left; the nearest ring first.
 */
std::vector<std::pair<double, double>> numberPlaces(PagePoint p, double width, double height,
                                                    int distances) {
    std::vector<std::pair<double, double>> places;
    for (int ring = 0; ring < distances; ++ring) {
        const double d = kLabelOffsetMm + ring * height / 2;
        const double left = p.x - d - width;
        const double right = p.x + d;
        const double above = p.y - d - height;
        const double below = p.y + d;
        places.insert(places.end(), {{right, above},
                                     {right, below},
                                     {left, above},
                                     {left, below},
                                     {p.x - width / 2, above},
                                     {p.x - width / 2, below},
                                     {right, p.y - height / 2},
                                     {left, p.y - height / 2}});
    }
    return places;
}

/**
 * Calls `tryPlace` with the top-left corners a caption may take until it returns true: centred
 * on its middle (moved along into the frame where the middle lies near its edge), then on
 * square rings round it, nearest first, as far as the frame reaches.
 */
template <typename TryPlace>
bool forEachCaptionPlace(PagePoint p, double width, double height, const RectMm& frame,
                         bool searched, TryPlace tryPlace) {
    const double x0 = std::max(frame.left, std::min(p.x - width / 2, frame.right() - width));
    const double y0 = std::max(frame.top, std::min(p.y - height / 2, frame.bottom() - height));
    if (tryPlace(x0, y0)) {
        return true;
    }
    if (!searched) {
        return false;
    }
    const double step = height / 2;
    const double reach = std::max(frame.width, frame.height);
    std::vector<std::pair<int, int>> offsets;
    for (int ring = 1; ring * step <= reach && ring <= kCaptionRings; ++ring) {
        offsets.clear();
        for (int i = -ring; i <= ring; ++i) {
            offsets.insert(offsets.end(), {{i, -ring}, {i, ring}});
            if (i != -ring && i != ring) {
                offsets.insert(offsets.end(), {{-ring, i}, {ring, i}});
            }
        }
        std::stable_sort(offsets.begin(), offsets.end(), [](const auto& a, const auto& b) {
            return a.first * a.first + a.second * a.second <
                   b.first * b.first + b.second * b.second;
        });
        for (const auto& [i, j] : offsets) {
            if (tryPlace(x0 + i * step, y0 + j * step)) {
                return true;
            }
        }
    }
    return false;
}
} // namespace

TextExtent textExtentAtMost(std::string_view text, double capitalMm) {
    const double em = capitalMm * kEmPerCapital;
    double width = 0.0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xC0) {
            continue; // the rest of a UTF-8 character
        }
        const bool wide = byte >= 0x80 || kWideGlyphs.find(c) != std::string_view::npos;
        width += (wide ? kWideEm : kNarrowEm) * em;
    }
    return {width, kAscentEm * em, kDescentEm * em};
}

std::vector<PageLabel> placeLabels(std::vector<LabelRequest> requests, const RectMm& frame,
                                   const std::vector<PagePoint>& crosses,
                                   const LabelLayout& layout) {
    std::stable_sort(requests.begin(), requests.end(),
                     [](const LabelRequest& a, const LabelRequest& b) { return a.rank < b.rank; });
    // What a label's box must keep clear of: the crosses' arms, the numbered points' dots and
    // the other labels.
    std::vector<RectMm> marks;
    for (const PagePoint& cross : crosses) {
        marks.push_back(grown(around(cross, kCrossArmMm, kCrossPenMm / 2), kClearanceMm));
        marks.push_back(grown(around(cross, kCrossPenMm / 2, kCrossArmMm), kClearanceMm));
    }
    std::vector<RectMm> labelBoxes;
    std::vector<PageLabel> placed;
    for (const LabelRequest& request : requests) {
        const PagePoint p = request.at;
        const RectMm dot = around(p, kPointDotRadiusMm, kPointDotRadiusMm);
        if (request.dot && !clearOf(dot, labelBoxes)) {
            continue;
        }
        const TextExtent extent = textExtentAtMost(request.text, layout.capitalMm);
        const double height = extent.ascent + extent.descent;
        const auto placeAt = [&](double x, double y, bool clearOfLines,
                                 const SegmentGrid* clearOfCuts = nullptr) {
            const RectMm box{x, y, extent.width, height};
            const RectMm clearance = grown(box, kClearanceMm);
            if (!inside(box, frame) || !clearOf(clearance, labelBoxes) ||
                !clearOf(clearance, marks) ||
                (clearOfLines && layout.lines != nullptr && layout.lines->meets(clearance)) ||
                (clearOfCuts != nullptr && clearOfCuts->meets(clearance))) {
                return false;
            }
            placed.push_back({p.x, p.y, request.text, x, y + extent.ascent, box, request.dot});
            labelBoxes.push_back(box);
            if (request.dot) {
                marks.push_back(dot);
            }
            return true;
        };
        if (request.dot) {
            const bool fixed = request.rank <= 0;
            const auto places = numberPlaces(p, extent.width, height,
                                             fixed ? kFixedNumberDistances : kNumberDistances);
            const auto placed = [&](bool clearOfLines) {
                return std::any_of(places.begin(), places.end(), [&](const auto& place) {
                    return placeAt(place.first, place.second, clearOfLines);
                });
            };
            // Point 0 and the quarter points are never left out: where marking lines stand
            // closer than a number is wide, one of them stands over a line.
            if (!placed(true) && fixed) {
                placed(false);
            }
            continue;
        }
        const auto clear = [&](double x, double y) { return placeAt(x, y, true); };
        const auto within = [&](bool clearOfLines) {
            return [&, clearOfLines](double x, double y) {
                return request.within->contains({x + extent.width / 2, y + height / 2}) &&
                       placeAt(x, y, clearOfLines, clearOfLines ? nullptr : layout.cuts);
            };
        };
        if (request.within != nullptr &&
            (forEachCaptionPlace(p, extent.width, height, frame, true, within(true)) ||
             (layout.cuts != nullptr &&
              forEachCaptionPlace(p, extent.width, height, frame, true, within(false))))) {
            continue;
        }
        if (!forEachCaptionPlace(p, extent.width, height, frame, true, clear)) {
            // What a piece is and how many to cut is never left out.
            forEachCaptionPlace(p, extent.width, height, frame, false,
                                [&](double x, double y) { return placeAt(x, y, false); });
        }
    }
    return placed;
}

} // namespace blachorys::core
