#include "common/core/plate/materiallist.h"

#include "common/core/base/numbertext.h"

#include <algorithm>
#include <stdexcept>

namespace blachorys::core {
namespace {

constexpr double kMm3PerDm3 = 1e6;
constexpr double kMm2PerM2 = 1e6;

/** The text right-aligned to its column, with a space before it however long it is. */
std::string column(const std::string& text, int width) {
    return alignRight(text, std::max(width, characterCount(text) + 1));
}

/** The piece's name, padded to its column, as long as it is. */
std::string nameColumn(const std::string& name) {
    constexpr int kWidth = 16;
    const int length = characterCount(name);
    return length >= kWidth ? name
                            : name + std::string(static_cast<std::size_t>(kWidth - length), ' ');
}

} // namespace

std::string materialColumnsLine() {
    return nameColumn("element") + "  szt.  t [mm]  pow. [m2]  masa [kg]  razem [kg]";
}

std::string materialPieceLine(const JobPiece& piece, const Material& material) {
    const double mass = pieceMass(piece, material);
    return nameColumn(piece.cut.name) + column(std::to_string(piece.cut.count), 6) +
           column(formatFixed(piece.cut.thickness, 2), 8) +
           column(formatFixed(netArea(piece.flat) / kMm2PerM2, 4), 11) +
           column(formatFixed(mass, 2), 11) + column(formatFixed(mass * piece.cut.count, 2), 12);
}

std::string plateUseLine(const Plate& plate, const PlateUse& use) {
    return "Arkusze " + plateText(plate) + " : " + std::to_string(use.plates) +
           " szt. , wykorzystanie " + formatFixed(100.0 * use.share, 1) + " %";
}

double pieceMass(const JobPiece& piece, const Material& material) {
    return netArea(piece.flat) * piece.cut.thickness * material.density / kMm3PerDm3;
}

std::vector<std::string> materialListLines(const std::vector<JobPiece>& pieces,
                                           const PlateSettings& settings,
                                           const std::optional<PlateUse>& use) {
    std::vector<std::string> lines{
        repeated('-', kMaterialListRule),
        "ZESTAWIENIE MATERIALU : " + materialText(settings.material) + " , arkusz " +
            plateText(settings.plate),
        materialColumnsLine(),
    };
    double total = 0.0;
    for (const JobPiece& piece : pieces) {
        if (piece.cut.count <= 0) {
            continue;
        }
        total += pieceMass(piece, settings.material) * piece.cut.count;
        lines.push_back(materialPieceLine(piece, settings.material));
    }
    if (use) {
        lines.push_back(plateUseLine(settings.plate, *use));
    }
    lines.push_back("Masa calkowita : " + formatFixed(total, 2) + " kg");
    return lines;
}

} // namespace blachorys::core
