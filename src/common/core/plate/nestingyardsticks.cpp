#include "common/core/plate/nestingyardsticks.h"

#include "common/core/plate/shelfplacement.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {
namespace {

/** Every copy's smallest box, largest first. */
std::vector<ShelfBox> copiesBoxes(const std::vector<JobPiece>& pieces) {
    std::vector<ShelfBox> boxes;
    for (const JobPiece& piece : pieces) {
        const auto& points = piece.flat.outline.points;
        const FlatBox box = boxOf(moved(piece.flat.outline, uprightTurn(points)).points);
        for (int copy = 0; copy < piece.cut.count; ++copy) {
            boxes.push_back({box.width(), box.height()});
        }
    }
    std::stable_sort(boxes.begin(), boxes.end(), [](ShelfBox a, ShelfBox b) {
        return a.along * a.across > b.along * b.across;
    });
    return boxes;
}

int platesByShelves(std::vector<ShelfBox> boxes, const Plate& plate, double gap) {
    int plates = 0;
    while (!boxes.empty()) {
        const std::vector<ShelfPlace> places = shelvesOf(boxes, plate.length, plate.width, gap);
        if (places.empty()) {
            return plates + static_cast<int>(boxes.size()); // cannot happen: each fits alone
        }
        std::vector<bool> placed(boxes.size(), false);
        for (const ShelfPlace& place : places) {
            placed[place.box] = true;
        }
        std::vector<ShelfBox> left;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (!placed[b]) {
                left.push_back(boxes[b]);
            }
        }
        ++plates;
        boxes = std::move(left);
    }
    return plates;
}

int platesOnePerRow(const std::vector<ShelfBox>& boxes, const Plate& plate, double gap) {
    int plates = 0;
    double top = plate.width; // where the next row would begin: no plate begun yet
    for (const ShelfBox& box : boxes) {
        const double lower = std::min(box.along, box.across);
        const double higher = std::max(box.along, box.across);
        // The lower way round when its length fits along the plate.
        const double across = higher + 2 * gap <= plate.length ? lower : higher;
        if (top + across + gap > plate.width) {
            ++plates;
            top = gap;
        }
        top += across + gap;
    }
    return plates;
}

} // namespace

NestingYardsticks nestingYardsticks(const std::vector<JobPiece>& pieces, const Plate& plate,
                                    double gapMm) {
    NestingYardsticks yardsticks;
    double area = 0.0;
    for (const JobPiece& piece : pieces) {
        area += std::max(0, piece.cut.count) * netArea(piece.flat);
    }
    yardsticks.areaBound = static_cast<int>(std::ceil(area / (plate.length * plate.width)));
    std::vector<ShelfBox> fitting;
    for (const ShelfBox& box : copiesBoxes(pieces)) {
        if (boxFitsPlate(box.along, box.across, plate, gapMm)) {
            fitting.push_back(box);
        } else {
            ++yardsticks.tooLargeForABox;
        }
    }
    yardsticks.shelves = platesByShelves(fitting, plate, gapMm) + yardsticks.tooLargeForABox;
    yardsticks.onePerRow = platesOnePerRow(fitting, plate, gapMm) + yardsticks.tooLargeForABox;
    return yardsticks;
}

} // namespace blachorys::core
