#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace blachorys::core {

/** A plate as the mill rolls it, mm: its shorter side, then its longer. */
struct Plate {
    double width = 1500.0;
    double length = 3000.0;
    friend bool operator==(const Plate&, const Plate&) = default;
};

/** Whether a box of these sides fits the plate less a gap at each edge, turned either way. */
bool boxFitsPlate(double sideA, double sideB, const Plate& plate, double gapMm);

/** The plates a workshop buys, smallest first. */
const std::vector<Plate>& standardPlates();

/** A plate typed as two sizes, mm, at most this large: a coil is no plate. */
inline constexpr double kLargestPlateSideMm = 100000.0;

/** "1500 x 3000", as the report and the window write a plate. */
std::string plateText(const Plate& plate);

/**
 * The plate of "1500x3000", "1500 x 3000", "1500X3000", "1500×3000" or "1500*3000" (a "," as
 * the decimal point), the sides in either order; nothing unless both are above 0 and at most
 * kLargestPlateSideMm.
 */
std::optional<Plate> parsePlate(std::string_view text);

/** What the pieces are cut from: its name in the report and its density, kg/dm³. */
struct Material {
    std::string name = "stal";
    double density = 7.85;
    friend bool operator==(const Material&, const Material&) = default;
};

/** A material of the list, with the name the command line knows it by. */
struct StandardMaterial {
    std::string key; ///< "steel"
    Material material;
};

/** Steel, stainless steel and aluminium, as the window lists them. */
const std::vector<StandardMaterial>& standardMaterials();

/** A typed density, kg/dm³, at most this: the densest metal is below it. */
inline constexpr double kLargestDensity = 30.0;

/**
 * The material of a name of the list ("stal nierdzewna"), its command-line key ("stainless")
 * or a typed density in kg/dm³ ("7.2", "7,2", "7.2 kg/dm3"); nothing for anything else.
 */
std::optional<Material> parseMaterial(std::string_view text);

/** "stal 7.85 kg/dm3", "7.20 kg/dm3": the material as the report names it. */
std::string materialText(const Material& material);

} // namespace blachorys::core
