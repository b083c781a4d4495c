#include "common/core/plate/platematerial.h"

#include "common/core/base/numbertext.h"

#include <algorithm>
#include <cctype>

namespace blachorys::core {
namespace {

std::string trimmed(std::string_view text) {
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

/** A size as a field holds it: "," as the decimal point. */
std::optional<double> parseSize(std::string_view text) {
    std::string size = trimmed(text);
    std::replace(size.begin(), size.end(), ',', '.');
    return parseReal(size);
}

bool withinPlate(double side) {
    return side > 0.0 && side <= kLargestPlateSideMm;
}

} // namespace

bool boxFitsPlate(double sideA, double sideB, const Plate& plate, double gapMm) {
    const double length = plate.length - 2 * gapMm;
    const double width = plate.width - 2 * gapMm;
    return (sideA <= length && sideB <= width) || (sideB <= length && sideA <= width);
}

const std::vector<Plate>& standardPlates() {
    static const std::vector<Plate> plates{
        {1000.0, 2000.0}, {1250.0, 2500.0}, {1500.0, 3000.0}, {2000.0, 4000.0}};
    return plates;
}

std::string plateText(const Plate& plate) {
    // Whole millimetres as the trade writes them, a fraction only where one was typed.
    const auto side = [](double mm) {
        std::string text = formatReport(mm);
        return text.ends_with(".0") ? text.substr(0, text.size() - 2) : text;
    };
    return side(plate.width) + " x " + side(plate.length);
}

std::optional<Plate> parsePlate(std::string_view text) {
    std::string plate(text);
    // The multiplication sign × is two bytes of UTF-8; either separator reads as "x".
    for (const std::string_view sign :
         {std::string_view("\xC3\x97"), std::string_view("*"), std::string_view("X")}) {
        for (std::size_t at = plate.find(sign); at != std::string::npos; at = plate.find(sign)) {
            plate.replace(at, sign.size(), "x");
        }
    }
    const std::size_t x = plate.find('x');
    if (x == std::string::npos || plate.find('x', x + 1) != std::string::npos) {
        return std::nullopt;
    }
    const auto first = parseSize(std::string_view(plate).substr(0, x));
    const auto second = parseSize(std::string_view(plate).substr(x + 1));
    if (!first || !second || !withinPlate(*first) || !withinPlate(*second)) {
        return std::nullopt;
    }
    return Plate{std::min(*first, *second), std::max(*first, *second)};
}

const std::vector<StandardMaterial>& standardMaterials() {
    static const std::vector<StandardMaterial> materials{
        {"steel", {"stal", 7.85}},
        {"stainless", {"stal nierdzewna", 7.9}},
        {"aluminium", {"aluminium", 2.7}},
    };
    return materials;
}

std::optional<Material> parseMaterial(std::string_view text) {
    std::string typed = lowered(trimmed(text));
    for (const StandardMaterial& standard : standardMaterials()) {
        if (typed == standard.key || typed == standard.material.name) {
            return standard.material;
        }
    }
    for (const std::string_view unit : {"kg/dm3", "kg/dm\xC2\xB3"}) {
        if (typed.ends_with(unit)) {
            typed = trimmed(std::string_view(typed).substr(0, typed.size() - unit.size()));
        }
    }
    const auto density = parseSize(typed);
    if (!density || !(*density > 0.0) || *density > kLargestDensity) {
        return std::nullopt;
    }
    return Material{"", *density};
}

std::string materialText(const Material& material) {
    const std::string density = formatFixed(material.density, 2) + " kg/dm3";
    return material.name.empty() ? density : material.name + " " + density;
}

} // namespace blachorys::core
