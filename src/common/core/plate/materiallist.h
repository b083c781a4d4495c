#pragma once

#include "common/core/plate/jobpieces.h"
#include "common/core/plate/platesettings.h"

#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** The rule above the material list, characters. */
inline constexpr int kMaterialListRule = 55;

/** The mass of a piece, kg: its net flat area times its thickness times the density. */
double pieceMass(const JobPiece& piece, const Material& material);

/** How many plates the job's pieces take, nested, and the share of them the pieces cover. */
struct PlateUse {
    int plates = 0;
    double share = 0.0; ///< 0..1
};

/** The material list's column heading: "element  szt.  t [mm]  pow. [m2]  masa [kg]  razem [kg]".
 */
std::string materialColumnsLine();

/** A piece's line of the material list: its name, count, thickness, net area and mass. */
std::string materialPieceLine(const JobPiece& piece, const Material& material);

/** "Arkusze 1500 x 3000 : 2 szt. , wykorzystanie 61.3 %" */
std::string plateUseLine(const Plate& plate, const PlateUse& use);

/**
 * The report's closing section: a rule, the material and the plate, one line per piece (its
 * count, thickness, net area and mass, each and in all), the plates used where nested, the
 * total mass.
 */
std::vector<std::string> materialListLines(const std::vector<JobPiece>& pieces,
                                           const PlateSettings& settings,
                                           const std::optional<PlateUse>& use);

} // namespace blachorys::core
