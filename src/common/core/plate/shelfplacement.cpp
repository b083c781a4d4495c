#include "common/core/plate/shelfplacement.h"

#include <optional>
#include <utility>

namespace blachorys::core {
namespace {

struct Shelf {
    double y = 0.0;      ///< its lower edge
    double height = 0.0; ///< of the first box put in it
    double used = 0.0;   ///< along the plate, from its edge, gaps included
};

struct Side {
    double along;
    double across;
    bool turned;
};

} // namespace

std::vector<ShelfPlace> shelvesOf(const std::vector<ShelfBox>& boxes, double length, double width,
                                  double gap) {
    std::vector<Shelf> shelves;
    double top = gap; // where the next shelf would begin
    std::vector<ShelfPlace> places;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        const ShelfBox& box = boxes[b];
        // The lower way round first: the long side along the shelf.
        Side sides[2] = {{box.along, box.across, false}, {box.across, box.along, true}};
        if (sides[1].across < sides[0].across) {
            std::swap(sides[0], sides[1]);
        }
        std::optional<ShelfPlace> place;
        for (Shelf& shelf : shelves) {
            for (const Side& side : sides) {
                if (side.across <= shelf.height && shelf.used + side.along + gap <= length) {
                    place = ShelfPlace{b, side.turned, shelf.used, shelf.y};
                    shelf.used += side.along + gap;
                    break;
                }
            }
            if (place) {
                break;
            }
        }
        if (!place) {
            for (const Side& side : sides) {
                if (top + side.across + gap <= width && gap + side.along + gap <= length) {
                    shelves.push_back({top, side.across, gap + side.along + gap});
                    place = ShelfPlace{b, side.turned, gap, top};
                    top += side.across + gap;
                    break;
                }
            }
        }
        if (place) {
            places.push_back(*place);
        }
    }
    return places;
}

} // namespace blachorys::core
