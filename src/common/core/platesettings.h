#pragma once

#include "common/core/platematerial.h"

#include <optional>
#include <string>

namespace blachorys::core {

/** A piece is split into at most this many parts. */
inline constexpr int kMostParts = 24;
/** The gap between pieces on a plate is at most this, mm. */
inline constexpr double kLargestGapMm = 500.0;

/**
 * The texts of what the job is cut from, as the window's plate group and the command line hold
 * them: the plate, the material, "Podział na części" and the gap between pieces, mm. They are
 * no calculator's fields: every calculator has them, and they are remembered per window in the
 * program's settings, not in the saved-input file.
 */
struct PlateTexts {
    std::string plate = "1500 x 3000";
    std::string material = "stal";
    std::string parts = "1";
    std::string gap = "10";
    friend bool operator==(const PlateTexts&, const PlateTexts&) = default;
};

/** The plate texts as read. */
struct PlateSettings {
    Plate plate;
    Material material;
    int parts = 1;       ///< every piece that can be split, into this many parts
    double gapMm = 10.0; ///< between any two pieces, and between a piece and the plate's edge
    friend bool operator==(const PlateSettings&, const PlateSettings&) = default;
};

/** The settings, or what is wrong with the first text that does not read. */
struct PlateReading {
    std::optional<PlateSettings> settings;
    std::string problem;
};

/**
 * Reads the texts: a plate as `parsePlate` takes it, a material as `parseMaterial` does, a
 * whole number of parts from 1 to kMostParts, a gap from 0 to kLargestGapMm ("," as the
 * decimal point). The problem is a data error naming the field.
 */
PlateReading readPlateTexts(const PlateTexts& texts);

} // namespace blachorys::core
