#include "common/core/plate/cutparts.h"

#include "common/core/plate/jobpieces.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace blachorys::core {
namespace {

/** A piece of the pattern that no drawing is made of. */
constexpr std::size_t kNoDrawing = static_cast<std::size_t>(-1);

/** The box the points take turned upright by `turn`. */
FlatBox turnedBox(const std::vector<PatternPoint>& points, const Motion& turn) {
    FlatBox box;
    for (const PatternPoint p : points) {
        box.add(turn(p));
    }
    return box;
}

/** The turn that gives the part its smallest box with its longer side along X. */
Motion lyingTurn(const PieceDrawing& part) {
    Motion turn = uprightTurn(part.piece.outline.points);
    const FlatBox box = turnedBox(part.piece.outline.points, turn);
    if (box.height() > box.width()) {
        turn = turn.then(Motion::quarterTurns(1));
    }
    return turn;
}

void moveSide(JointSide& side, const Motion& motion) {
    side.from = motion(side.from);
    side.to = motion(side.to);
    for (PatternPoint& mark : side.marks) {
        mark = motion(mark);
    }
}

std::string partName(const std::string& name, std::size_t part, std::size_t parts) {
    return parts > 1 ? name + " " + std::to_string(part + 1) + "/" + std::to_string(parts) : name;
}

std::string partCaption(const std::string& caption, std::size_t part, std::size_t parts) {
    return parts > 1
               ? caption + " – część " + std::to_string(part + 1) + "/" + std::to_string(parts)
               : caption;
}

} // namespace

std::vector<PieceDrawing> pieceDrawingsOf(const Pattern& pattern) {
    std::vector<PieceDrawing> drawings;
    std::vector<std::size_t> drawingOf(pattern.pieces.size(), kNoDrawing);
    for (std::size_t index = 0; index < pattern.pieces.size(); ++index) {
        if (std::optional<JobPiece> piece = jobPieceOf(pattern, index)) {
            drawingOf[index] = drawings.size();
            drawings.push_back({std::move(piece->flat), {}, {}, {}});
        }
    }
    const auto drawingAt = [&](int piece) -> PieceDrawing* {
        if (piece < 0 || static_cast<std::size_t>(piece) >= drawingOf.size() ||
            drawingOf[static_cast<std::size_t>(piece)] == kNoDrawing) {
            return nullptr;
        }
        return &drawings[drawingOf[static_cast<std::size_t>(piece)]];
    };
    for (const MarkedLine& line : markingLinesOf(pattern)) {
        if (PieceDrawing* drawing = drawingAt(line.piece)) {
            drawing->markings.push_back(line);
        }
    }
    for (const PointMark& mark : pattern.points) {
        if (PieceDrawing* drawing = drawingAt(mark.piece)) {
            drawing->points.push_back(mark);
        }
    }
    for (const PatternCaption& caption : pattern.captions) {
        PieceDrawing* drawing = drawingAt(caption.piece);
        if (drawing != nullptr && drawing->caption.empty()) {
            drawing->caption = caption.text;
        }
    }
    return drawings;
}

SplitPiece laidOut(SplitPiece split, PatternPoint corner) {
    double x = corner.x;
    std::vector<Motion> motions;
    for (PieceDrawing& part : split.parts) {
        const Motion turn = lyingTurn(part);
        const FlatBox box = turnedBox(part.piece.outline.points, turn);
        const Motion motion = turn.then(Motion::moveBy({x - box.minX, corner.y - box.minY}));
        part = moved(part, motion);
        motions.push_back(motion);
        x += box.width() + kPartSpacingMm;
    }
    for (PartJoint& joint : split.joints) {
        for (JointSide& side : joint.sides) {
            moveSide(side, motions[side.part]);
        }
    }
    return split;
}

bool partsFit(const SplitPiece& split, const Plate& plate, double gapMm) {
    const double length = plate.length - 2 * gapMm;
    const double width = plate.width - 2 * gapMm;
    return std::all_of(split.parts.begin(), split.parts.end(), [&](const PieceDrawing& part) {
        return turnThatFits(part.piece.outline.points, length, width).has_value();
    });
}

std::optional<int> fewestPartsThatFit(const PieceDrawing& piece, const SplitPlan& plan,
                                      const Plate& plate, double gapMm, int from) {
    // A part that fits lies within the plate less its gap, so the largest of k parts, at least
    // a k-th of the piece, holds no more than that: a piece of more than kMostParts plates is
    // not split two dozen times to find so.
    const double usable =
        std::max(0.0, plate.length - 2 * gapMm) * std::max(0.0, plate.width - 2 * gapMm);
    const double area = netArea(piece.piece);
    if (!(area <= usable * kMostParts)) {
        return std::nullopt;
    }
    const double plates = usable > 0.0 ? area / usable * (1.0 - 1e-9) : 1.0;
    from = std::max(from, static_cast<int>(std::ceil(plates)));
    for (int parts = std::max(from, 1); parts <= kMostParts; ++parts) {
        if (!splitsInto(plan, parts)) {
            continue;
        }
        const SplitPiece split = splitPiece(piece, plan, parts);
        if (static_cast<int>(split.parts.size()) == parts && partsFit(split, plate, gapMm)) {
            return parts;
        }
    }
    return std::nullopt;
}

std::optional<Pattern> splitPattern(const Pattern& pattern, int parts) {
    if (parts <= 1) {
        return std::nullopt;
    }
    const std::vector<PieceDrawing> drawings = pieceDrawingsOf(pattern);
    const std::vector<JobPiece> pieces = jobPiecesOf(pattern);
    FlatBox all;
    for (const PieceDrawing& drawing : drawings) {
        for (const PatternPoint p : drawing.piece.outline.points) {
            all.add(p);
        }
    }
    Pattern job;
    bool anySplit = false;
    double rowY = all.minY;
    for (std::size_t k = 0; k < drawings.size(); ++k) {
        const CutPiece& cut = pieces[k].cut;
        const SplitPiece split =
            laidOut(splitPiece(drawings[k], cut.split, parts), {all.minX, rowY});
        const std::size_t count = split.parts.size();
        anySplit = anySplit || count > 1;
        const std::string caption = drawings[k].caption.empty() ? cut.name : drawings[k].caption;
        double rowHeight = 0.0;
        for (std::size_t p = 0; p < count; ++p) {
            const PieceDrawing& part = split.parts[p];
            const auto piece = static_cast<int>(job.pieces.size());
            rowHeight = std::max(rowHeight, boxOf(part.piece.outline.points).height());
            PatternPiece identity{{partName(cut.name, p, count),
                                   cut.count,
                                   cut.thickness,
                                   {},
                                   static_cast<int>(p + 1),
                                   static_cast<int>(count)},
                                  static_cast<int>(job.outlines.size()),
                                  {}};
            job.exactContours.push_back(part.piece.outline);
            job.outlines.push_back(OutlineKind::Piece);
            for (const Contour& hole : part.piece.holes) {
                identity.holes.push_back(static_cast<int>(job.outlines.size()));
                job.exactContours.push_back(hole);
                job.outlines.push_back(OutlineKind::Hole);
            }
            job.pieces.push_back(std::move(identity));
            for (const MarkedLine& line : part.markings) {
                job.lines.push_back(
                    {line.role, line.from, line.to, kNoOutline, 0, kNoCurve, piece});
            }
            for (PointMark mark : part.points) {
                mark.piece = piece;
                job.points.push_back(std::move(mark));
            }
            if (!drawings[k].caption.empty() || count > 1) {
                job.captions.push_back(
                    {centroidOf(part.piece.outline), partCaption(caption, p, count), piece});
            }
        }
        rowY += rowHeight + kPartSpacingMm;
    }
    if (!anySplit) {
        return std::nullopt;
    }
    // The parts are cut along their exact outlines, which are their reported ones too.
    job.contours = job.exactContours;
    return job;
}

std::vector<std::string> tooLargeLines(const Pattern& pattern, const PlateSettings& settings) {
    std::vector<std::string> lines;
    const std::vector<PieceDrawing> drawings = pieceDrawingsOf(pattern);
    const std::vector<JobPiece> pieces = jobPiecesOf(pattern);
    for (std::size_t k = 0; k < drawings.size(); ++k) {
        const CutPiece& cut = pieces[k].cut;
        const SplitPiece split = splitPiece(drawings[k], cut.split, settings.parts);
        if (partsFit(split, settings.plate, settings.gapMm)) {
            continue;
        }
        const auto fits = fewestPartsThatFit(drawings[k], cut.split, settings.plate, settings.gapMm,
                                             static_cast<int>(split.parts.size()) + 1);
        lines.push_back(cut.name + " - nie miesci sie na arkuszu " + plateText(settings.plate) +
                        (fits ? " - podziel na " + std::to_string(*fits) + " czesci" : ""));
    }
    return lines;
}

} // namespace blachorys::core

namespace blachorys::core {

std::optional<std::string> splitProblem(const Pattern& pattern, int parts) {
    if (parts <= 1) {
        return std::nullopt;
    }
    for (const PatternPiece& piece : pattern.pieces) {
        const SplitPlan& plan = piece.cut.split;
        // Only a piece cut at places of its own choosing may refuse a number of parts.
        if (plan.areaBefore.empty() || splitsInto(plan, parts)) {
            continue;
        }
        std::string fitting;
        for (int k = 2; k <= kMostChosenLineParts; ++k) {
            if (splitsInto(plan, k)) {
                fitting += (fitting.empty() ? "" : ", ") + std::to_string(k);
            }
        }
        return piece.cut.name + " - nie dzieli sie na " + std::to_string(parts) +
               " czesci o zblizonej powierzchni" +
               (fitting.empty() ? " ; nie dzieli sie na czesci"
                                : " ; dzieli sie na: " + fitting + " czesci");
    }
    return std::nullopt;
}

} // namespace blachorys::core
