#include "common/core/sheets/nestingdrawing.h"

#include "common/core/base/numbertext.h"
#include "common/core/plate/cutparts.h"

namespace blachorys::core {

std::string sheetLine(std::size_t index, std::size_t count, const Nesting& nesting, double share) {
    return "Arkusz " + std::to_string(index + 1) + "/" + std::to_string(count) + " : " +
           plateText({nesting.widthMm, nesting.lengthMm}) + " , wykorzystanie " +
           formatFixed(100.0 * share, 1) + " %";
}

NestingDrawingResult nestingDrawingOf(const Pattern& cut, const std::vector<JobPiece>& pieces,
                                      const Nesting& nesting) {
    if (nesting.tooMany) {
        return nestingDrawingOf(pieces, {}, nesting);
    }
    // The lines each piece is marked with, a curved one along its exact curve.
    return nestingDrawingOf(pieces, pieceDrawingsOf(cut), nesting);
}

NestingDrawingResult nestingDrawingOf(const std::vector<JobPiece>& pieces,
                                      const std::vector<PieceDrawing>& drawings,
                                      const Nesting& nesting) {
    if (nesting.tooMany) {
        return {std::nullopt,
                "ponad " + std::to_string(kMostNestedCopies) + " elementow - rozkroj pominiety"};
    }
    std::string leftOff;
    for (const std::size_t piece : nesting.tooLarge) {
        leftOff += (leftOff.empty() ? "" : ", ") + pieces[piece].cut.name;
    }
    if (nesting.plates.empty()) {
        return {std::nullopt, leftOff.empty()
                                  ? "brak elementow do rozkroju"
                                  : "element " + leftOff + " nie miesci sie na arkuszu " +
                                        plateText({nesting.widthMm, nesting.lengthMm})};
    }
    NestingDrawing drawing{nesting.lengthMm, nesting.widthMm, {}};
    const double plateArea = nesting.lengthMm * nesting.widthMm;
    for (std::size_t p = 0; p < nesting.plates.size(); ++p) {
        const NestedPlate& plate = nesting.plates[p];
        NestedSheet sheet;
        sheet.share = plateArea > 0.0 ? plate.netArea / plateArea : 0.0;
        for (const PlacedPiece& placed : plate.pieces) {
            const JobPiece& piece = pieces[placed.piece];
            const Motion& m = placed.motion;
            sheet.cuts.push_back({OutlineKind::Piece, moved(piece.flat.outline, m).points});
            for (const Contour& hole : piece.flat.holes) {
                sheet.cuts.push_back({OutlineKind::Hole, moved(hole, m).points});
            }
            if (placed.piece < drawings.size()) {
                for (const MarkedLine& line : drawings[placed.piece].markings) {
                    sheet.markings.push_back({m(line.from), m(line.to)});
                }
            }
            FlatPiece flat{moved(piece.flat.outline, m), {}};
            for (const Contour& hole : piece.flat.holes) {
                flat.holes.push_back(moved(hole, m));
            }
            sheet.pieces.push_back({nestingLabelText(piece.cut), std::move(flat)});
        }
        for (const NestingLabel& label : placeNestingLabels(
                 sheet.pieces, nesting.lengthMm, nesting.widthMm, kNestingLabelHeightMm)) {
            sheet.texts.push_back(label.text);
            if (label.leader) {
                sheet.leaders.push_back(*label.leader);
            }
        }
        sheet.texts.push_back({{0.0, -3 * kCncLargestTitleHeightMm},
                               kCncLargestTitleHeightMm * 2,
                               sheetLine(p, nesting.plates.size(), nesting, sheet.share) +
                                   (leftOff.empty() ? "" : " ; pominiete (za duze): " + leftOff)});
        drawing.sheets.push_back(std::move(sheet));
    }
    return {std::move(drawing), {}};
}

} // namespace blachorys::core
