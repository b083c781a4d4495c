#pragma once

#include <cstddef>
#include <vector>

namespace blachorys::core {

/** A piece's box as it lies upright, mm: along the plate's length, and across it. */
struct ShelfBox {
    double along = 0.0;
    double across = 0.0;
};

/** Where a box went: turned a quarter (its sides swapped) or not, its lower-left corner. */
struct ShelfPlace {
    std::size_t box = 0; ///< index into the boxes given
    bool turned = false;
    double x = 0.0;
    double y = 0.0;
};

/**
 * Boxes on one plate in shelves: rows along the plate's length, each as high as the first box
 * put in it, the boxes in the order given, each into the first row with room for it (either way
 * round, the lower that fits first), else into a new row above; `gap` between boxes and from
 * the plate's edges. The boxes that find no room are left out.
 */
std::vector<ShelfPlace> shelvesOf(const std::vector<ShelfBox>& boxes, double length, double width,
                                  double gap);

} // namespace blachorys::core
