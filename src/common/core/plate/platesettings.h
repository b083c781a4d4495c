#pragma once

#include "common/core/plate/platematerial.h"

namespace blachorys::core {

/** A piece is split into at most this many parts. */
inline constexpr int kMostParts = 24;
/** The gap between pieces on a plate is at most this, mm. */
inline constexpr double kLargestGapMm = 500.0;

/** The plate texts as read. */
struct PlateSettings {
    Plate plate;
    Material material;
    int parts = 1;       ///< every piece that can be split, into this many parts
    double gapMm = 10.0; ///< between any two pieces, and between a piece and the plate's edge
    friend bool operator==(const PlateSettings&, const PlateSettings&) = default;
};

} // namespace blachorys::core
