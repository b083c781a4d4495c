#include "common/core/sheets/nestinglabels.h"

#include "common/core/geometry/segmentgrid.h"
#include "common/core/sheets/labelplacement.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace blachorys::core {
namespace {

/** The heights a label tries inside its piece before it stands outside, of the height asked. */
constexpr double kInsideScales[] = {1.0, 0.75};
/** Where it finds no place outside either: inside at this share of the height. */
constexpr double kSmallestScale = 0.5;
/** Room kept round a label's box, in its capital height. */
constexpr double kClearancePerHeight = 0.3;
/** A piece is searched for a place inside it on a grid of at most this many steps across. */
constexpr int kInsideSteps = 60;
/** Rings searched round a piece for a place outside it, at most. */
constexpr int kOutsideRings = 400;
/** Places tried along each side of such a ring, at most. */
constexpr int kPlacesAlongASide = 100;

struct Candidate {
    double distance;
    PatternPoint middle;
};

RectMm boxAt(PatternPoint middle, const TextExtent& extent) {
    const double height = extent.ascent + extent.descent;
    return {middle.x - extent.width / 2, middle.y - height / 2, extent.width, height};
}

RectMm grown(const RectMm& box, double by) {
    return {box.left - by, box.top - by, box.width + 2 * by, box.height + 2 * by};
}

bool overlaps(const RectMm& a, const RectMm& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

PatternPoint middleOf(const RectMm& box) {
    return {box.left + box.width / 2, box.top + box.height / 2};
}

/** The point of segment a–b nearest p. */
PatternPoint nearestOnSegment(PatternPoint p, PatternPoint a, PatternPoint b) {
    const PatternPoint run = b - a;
    const double squared = dot(run, run);
    const double t = squared > 0.0 ? std::clamp(dot(p - a, run) / squared, 0.0, 1.0) : 0.0;
    return a + (run * t);
}

PatternPoint nearestOnOutline(PatternPoint p, const std::vector<PatternPoint>& outline) {
    PatternPoint best = outline.front();
    double least = HUGE_VAL;
    for (std::size_t k = 0; k < outline.size(); ++k) {
        const PatternPoint q = nearestOnSegment(p, outline[k], outline[(k + 1) % outline.size()]);
        const double d = length(q - p);
        if (d < least) {
            least = d;
            best = q;
        }
    }
    return best;
}

/** Where the line from the box's middle towards `to` leaves the box. */
PatternPoint edgeToward(const RectMm& box, PatternPoint to) {
    const PatternPoint middle = middleOf(box);
    const PatternPoint run = to - middle;
    const double sx = run.x != 0.0 ? (box.width / 2) / std::fabs(run.x) : HUGE_VAL;
    const double sy = run.y != 0.0 ? (box.height / 2) / std::fabs(run.y) : HUGE_VAL;
    const double s = std::min({sx, sy, 1.0});
    return middle + (run * s);
}

class Placer {
public:
    Placer(const std::vector<LabelledPiece>& pieces, double length, double width, double capital,
           TextWidth textWidth)
        : m_plate{0.0, 0.0, length, width}, m_capital(capital), m_pieces(pieces),
          m_textWidth(std::move(textWidth)) {
        std::vector<Segment> segments;
        for (const LabelledPiece& piece : pieces) {
            m_inside.emplace_back(piece.flat);
            m_boxes.push_back(boxOf(piece.flat.outline.points));
            const auto add = [&segments](const std::vector<PatternPoint>& p) {
                for (std::size_t k = 0; k < p.size(); ++k) {
                    const PatternPoint& q = p[(k + 1) % p.size()];
                    segments.push_back({p[k].x, p[k].y, q.x, q.y});
                }
            };
            add(piece.flat.outline.points);
            for (const Contour& hole : piece.flat.holes) {
                add(hole.points);
            }
        }
        m_cuts = SegmentGrid(std::move(segments), capital * 2);
    }

    NestingLabel place(const LabelledPiece& piece, std::size_t index) {
        const PatternPoint middle = centroidOf(piece.flat.outline);
        const auto inside = [&](double scale) -> std::optional<NestingLabel> {
            const double capital = m_capital * scale;
            const TextExtent extent = extentOf(piece.label, capital);
            for (const Candidate& c : insideCandidates(index, middle, extent)) {
                const RectMm box = boxAt(c.middle, extent);
                if (m_inside[index].contains(c.middle) && isFree(box, capital)) {
                    return taken(piece.label, box, extent, capital, std::nullopt);
                }
            }
            return std::nullopt;
        };
        for (const double scale : kInsideScales) {
            if (auto label = inside(scale)) {
                return *label;
            }
        }
        const TextExtent extent = extentOf(piece.label, m_capital);
        if (const auto outside = outsidePlace(index, extent)) {
            return taken(piece.label, outside->first, extent, m_capital, outside->second);
        }
        if (auto label = inside(kSmallestScale)) {
            return *label;
        }
        const TextExtent least = extentOf(piece.label, m_capital * kSmallestScale);
        return taken(piece.label, boxAt(middle, least), least, m_capital * kSmallestScale,
                     std::nullopt);
    }

private:
    TextExtent extentOf(const std::string& text, double capital) const {
        TextExtent extent = textExtentAtMost(text, capital);
        if (m_textWidth) {
            extent.width = m_textWidth(text, capital);
        }
        return extent;
    }

    bool isFree(const RectMm& box, double capital) const {
        const RectMm clearance = grown(box, kClearancePerHeight * capital);
        if (clearance.left < m_plate.left || clearance.top < m_plate.top ||
            clearance.right() > m_plate.right() || clearance.bottom() > m_plate.bottom()) {
            return false;
        }
        if (std::any_of(m_labels.begin(), m_labels.end(),
                        [&clearance](const RectMm& other) { return overlaps(clearance, other); })) {
            return false;
        }
        if (std::any_of(m_leaders.begin(), m_leaders.end(), [&clearance](const Segment& leader) {
                return segmentMeetsBox(leader, clearance);
            })) {
            return false;
        }
        return !m_cuts.meets(clearance);
    }

    /** The leader from a box outside the piece to the nearest point of its outline. */
    CncMarking leaderFor(const RectMm& box, std::size_t index) const {
        const PatternPoint to =
            nearestOnOutline(middleOf(box), m_pieces[index].flat.outline.points);
        return {edgeToward(box, to), to};
    }

    bool crossesALabel(const CncMarking& leader) const {
        const Segment segment{leader.from.x, leader.from.y, leader.to.x, leader.to.y};
        return std::any_of(m_labels.begin(), m_labels.end(), [&segment](const RectMm& label) {
            return segmentMeetsBox(segment, label);
        });
    }

    /** Clear of every cut, so wholly inside or outside each piece: outside them all. */
    bool outsideEvery(PatternPoint p) const {
        for (std::size_t k = 0; k < m_inside.size(); ++k) {
            const FlatBox& b = m_boxes[k];
            if (p.x >= b.minX && p.x <= b.maxX && p.y >= b.minY && p.y <= b.maxY &&
                m_inside[k].contains(p)) {
                return false;
            }
        }
        return true;
    }

    std::vector<Candidate> insideCandidates(std::size_t index, PatternPoint middle,
                                            const TextExtent& extent) const {
        const FlatBox& b = m_boxes[index];
        const double height = extent.ascent + extent.descent;
        const double step =
            std::max({height / 2, b.width() / kInsideSteps, b.height() / kInsideSteps});
        std::vector<Candidate> candidates;
        candidates.push_back({0.0, middle});
        for (double y = b.minY + height / 2; y <= b.maxY - height / 2; y += step) {
            for (double x = b.minX + extent.width / 2; x <= b.maxX - extent.width / 2; x += step) {
                const PatternPoint p{x, y};
                candidates.push_back({length(p - middle), p});
            }
        }
        std::stable_sort(
            candidates.begin(), candidates.end(),
            [](const Candidate& a, const Candidate& c) { return a.distance < c.distance; });
        return candidates;
    }

    /** The free place outside every piece nearest the piece's box, ring by ring round it. */
    std::optional<std::pair<RectMm, CncMarking>> outsidePlace(std::size_t index,
                                                              const TextExtent& extent) const {
        const FlatBox& b = m_boxes[index];
        const double height = extent.ascent + extent.descent;
        // A ring a step apart, or as many rings as reach across the plate.
        const double step =
            std::max(height / 2, std::max(m_plate.width, m_plate.height) / kOutsideRings);
        const PatternPoint middle{(b.minX + b.maxX) / 2, (b.minY + b.maxY) / 2};
        // Rings of boxes round the piece's box, each a step farther out.
        for (int ring = 0; ring <= kOutsideRings; ++ring) {
            const double halfX = b.width() / 2 + extent.width / 2 + ring * step;
            const double halfY = b.height() / 2 + height / 2 + ring * step;
            if (halfX > m_plate.width && halfY > m_plate.height) {
                break;
            }
            std::vector<Candidate> candidates;
            const auto side = [&](PatternPoint from, PatternPoint to) {
                const double span = length(to - from);
                const int steps =
                    std::clamp(static_cast<int>(std::ceil(span / step)), 1, kPlacesAlongASide);
                for (int s = 0; s <= steps; ++s) {
                    const PatternPoint p = from + ((to - from) * (static_cast<double>(s) / steps));
                    candidates.push_back({length(p - middle), p});
                }
            };
            const PatternPoint lo{middle.x - halfX, middle.y - halfY};
            const PatternPoint hi{middle.x + halfX, middle.y + halfY};
            side(lo, {hi.x, lo.y});
            side({hi.x, lo.y}, hi);
            side(hi, {lo.x, hi.y});
            side({lo.x, hi.y}, lo);
            std::stable_sort(
                candidates.begin(), candidates.end(),
                [](const Candidate& a, const Candidate& c) { return a.distance < c.distance; });
            for (const Candidate& c : candidates) {
                const RectMm box = boxAt(c.middle, extent);
                if (isFree(box, m_capital) && outsideEvery(c.middle)) {
                    const CncMarking leader = leaderFor(box, index);
                    if (!crossesALabel(leader)) {
                        return std::pair{box, leader};
                    }
                }
            }
        }
        return std::nullopt;
    }

    NestingLabel taken(const std::string& text, const RectMm& box, const TextExtent& extent,
                       double capital, std::optional<CncMarking> leader) {
        m_labels.push_back(box);
        if (leader) {
            m_leaders.push_back({leader->from.x, leader->from.y, leader->to.x, leader->to.y});
        }
        return {{{box.left, box.top + extent.descent}, capital, text}, leader};
    }

    RectMm m_plate;
    double m_capital;
    const std::vector<LabelledPiece>& m_pieces;
    TextWidth m_textWidth;
    std::vector<Segment> m_leaders;
    SegmentGrid m_cuts;
    std::vector<InsideTest> m_inside;
    std::vector<FlatBox> m_boxes;
    std::vector<RectMm> m_labels;
};

} // namespace

std::string nestingLabelText(const CutPiece& cut) {
    std::string name = cut.name;
    const std::string suffix = " " + std::to_string(cut.part) + "/" + std::to_string(cut.parts);
    if (cut.parts > 1 && name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
        name.erase(name.size() - suffix.size());
    }
    if (cut.count > 1) {
        name += " (" + std::to_string(cut.count) + " szt.)";
    }
    if (cut.parts > 1) {
        name += " cz. " + std::to_string(cut.part) + "/" + std::to_string(cut.parts);
    }
    return name;
}

std::vector<NestingLabel> placeNestingLabels(const std::vector<LabelledPiece>& pieces,
                                             double length, double width, double capitalMm,
                                             const TextWidth& textWidth) {
    std::vector<NestingLabel> labels;
    if (pieces.empty() || !(capitalMm > 0.0)) {
        return labels;
    }
    Placer placer(pieces, length, width, capitalMm, textWidth);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        labels.push_back(placer.place(pieces[k], k));
    }
    return labels;
}

RectMm nestingLabelBox(const CncText& text) {
    const TextExtent extent = textExtentAtMost(text.text, text.height);
    return {text.at.x, text.at.y - extent.descent, extent.width, extent.ascent + extent.descent};
}

} // namespace blachorys::core
