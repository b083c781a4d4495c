#include "common/core/job/jobreport.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/pointreport.h"

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 55;

/** "Pozycja K1 : Rozwiniecie ... - Rozwinięcie rury mniejszej - króćca , 2 szt." */
std::string pieceHeading(const JobEntry& entry, const JobPieceCalculation& piece) {
    const CalculatorDefinition& definition = piece.calculator->definition();
    std::string heading = "Pozycja " + entry.mark + " : " + definition.printHeading;
    if (piece.development < definition.developments.size()) {
        heading += " - " + definition.developments[piece.development].caption;
    }
    return heading + " , " + std::to_string(entry.count) + " szt.";
}

} // namespace

std::vector<std::string> jobReportLines(const Job& job, const JobCalculation& calculation,
                                        const std::vector<JobGroup>& groups) {
    const PlateSettings& plate = calculation.plate;
    std::vector<std::string> lines{
        repeated('=', kRuleLength),
        "ZLECENIE : " + job.name,
        "Arkusz " + plateText(plate.plate) + " , odstep " + formatFixed(plate.gapMm, 1) +
            " mm , podzial na czesci " + std::to_string(plate.parts),
        "Pozycji : " + std::to_string(job.entries.size()) +
            " , rozwiniec : " + std::to_string(calculation.pieces.size()),
        repeated('=', kRuleLength),
    };
    for (const JobPieceCalculation& piece : calculation.pieces) {
        lines.push_back("");
        lines.push_back(pieceHeading(job.entries.at(piece.entry), piece));
        for (std::string& line : piece.outputs.report.allLines()) {
            lines.push_back(std::move(line));
        }
    }
    lines.push_back("");
    for (std::string& line : jobMaterialListLines(job, calculation, groups)) {
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace blachorys::core
