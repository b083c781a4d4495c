#include "common/core/cutparts.h"

#include "common/core/curvesampling.h"
#include "common/core/jobpieces.h"
#include "common/core/materiallist.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace blachorys::core {
namespace {

double distanceToOutline(PatternPoint p, const Contour& outline) {
    double nearest = std::numeric_limits<double>::infinity();
    const auto& q = outline.points;
    for (std::size_t k = 0; k < q.size(); ++k) {
        nearest = std::min(nearest, distanceToSegment(p, q[k], q[(k + 1) % q.size()]));
    }
    return nearest;
}

/** The piece the point lies on: within its outline, or the nearest to it (a point on an edge). */
std::size_t pieceAt(PatternPoint p, const std::vector<PieceDrawing>& pieces,
                    const std::vector<InsideTest>& insides) {
    for (std::size_t k = 0; k < insides.size(); ++k) {
        if (insides[k].contains(p)) {
            return k;
        }
    }
    std::size_t nearest = 0;
    double least = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const double d = distanceToOutline(p, pieces[k].piece.outline);
        if (d < least) {
            least = d;
            nearest = k;
        }
    }
    return nearest;
}

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
    for (JobPiece& piece : jobPiecesOf(pattern, {})) {
        drawings.push_back({std::move(piece.flat), {}, {}, {}});
    }
    if (drawings.empty()) {
        return drawings;
    }
    std::vector<InsideTest> insides;
    for (const PieceDrawing& drawing : drawings) {
        insides.emplace_back(drawing.piece);
    }
    for (const MarkedLine& line : markingLinesOf(pattern)) {
        const PatternPoint middle{(line.from.x + line.to.x) / 2, (line.from.y + line.to.y) / 2};
        drawings[pieceAt(middle, drawings, insides)].markings.push_back(line);
    }
    for (const PointMark& mark : pattern.points) {
        drawings[pieceAt({mark.x, mark.y}, drawings, insides)].points.push_back(mark);
    }
    for (const PatternCaption& caption : pattern.captions) {
        PieceDrawing& drawing = drawings[pieceAt(caption.at, drawings, insides)];
        if (drawing.caption.empty()) {
            drawing.caption = caption.text;
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
        const FlatBox box = turnedBox(part.piece.outline.points, lyingTurn(part));
        return box.width() <= length && box.height() <= width;
    });
}

std::optional<int> fewestPartsThatFit(const PieceDrawing& piece, const SplitPlan& plan,
                                      const Plate& plate, double gapMm, int from) {
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

std::optional<CutJob> splitJob(const CalculationOutputs& outputs, int parts) {
    if (parts <= 1) {
        return std::nullopt;
    }
    const std::vector<PieceDrawing> drawings = pieceDrawingsOf(outputs.pattern);
    FlatBox all;
    for (const PieceDrawing& drawing : drawings) {
        for (const PatternPoint p : drawing.piece.outline.points) {
            all.add(p);
        }
    }
    CutJob job;
    job.pattern.styles = outputs.pattern.styles;
    job.pattern.frame = outputs.pattern.frame;
    bool anySplit = false;
    double rowY = all.minY;
    for (std::size_t k = 0; k < drawings.size(); ++k) {
        const CutPiece cut = k < outputs.pieces.size() ? outputs.pieces[k] : CutPiece{"element"};
        const SplitPiece split =
            laidOut(splitPiece(drawings[k], cut.split, parts), {all.minX, rowY});
        const std::size_t count = split.parts.size();
        anySplit = anySplit || count > 1;
        const std::string caption = drawings[k].caption.empty() ? cut.name : drawings[k].caption;
        double rowHeight = 0.0;
        for (std::size_t p = 0; p < count; ++p) {
            const PieceDrawing& part = split.parts[p];
            rowHeight = std::max(rowHeight, boxOf(part.piece.outline.points).height());
            job.pattern.exactContours.push_back(part.piece.outline);
            job.pattern.outlines.push_back(OutlineKind::Piece);
            for (const Contour& hole : part.piece.holes) {
                job.pattern.exactContours.push_back(hole);
                job.pattern.outlines.push_back(OutlineKind::Hole);
            }
            for (const MarkedLine& line : part.markings) {
                job.pattern.lines.push_back({line.role, line.from, line.to});
            }
            job.pattern.points.insert(job.pattern.points.end(), part.points.begin(),
                                      part.points.end());
            if (!drawings[k].caption.empty() || count > 1) {
                job.pattern.captions.push_back(
                    {centroidOf(part.piece.outline), partCaption(caption, p, count)});
            }
            job.pieces.push_back({partName(cut.name, p, count), cut.count, cut.thickness, {}});
        }
        rowY += rowHeight + kPartSpacingMm;
    }
    if (!anySplit) {
        return std::nullopt;
    }
    // The parts are cut along their exact outlines, which are their reported ones too.
    job.pattern.contours = job.pattern.exactContours;
    return job;
}

std::vector<std::string> tooLargeLines(const CalculationOutputs& outputs,
                                       const PlateSettings& settings) {
    std::vector<std::string> lines;
    const std::vector<PieceDrawing> drawings = pieceDrawingsOf(outputs.pattern);
    for (std::size_t k = 0; k < drawings.size(); ++k) {
        const CutPiece cut = k < outputs.pieces.size() ? outputs.pieces[k] : CutPiece{"element"};
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

CalculationResult forThePlate(CalculationResult result, const PlateSettings& settings) {
    if (result.outputs) {
        result.outputs->split = splitJob(*result.outputs, settings.parts);
    }
    return withMaterialList(std::move(result), settings);
}

} // namespace blachorys::core
