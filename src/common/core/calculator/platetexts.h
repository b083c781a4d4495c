#pragma once

#include "common/core/plate/platesettings.h"

#include <optional>
#include <string>

namespace blachorys::core {

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
