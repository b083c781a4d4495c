#include "common/core/job/jobgroups.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/calculator/pointreport.h"
#include "common/core/plate/cutparts.h"
#include "common/core/plate/materiallist.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 55;

/** "stal 7.85 kg/dm3 , t = 3.00 mm" */
std::string groupText(const JobGroup& group) {
    return materialText(group.material) + " , t = " + formatFixed(group.thicknessMm, 2) + " mm";
}

JobGroup& groupFor(std::vector<JobGroup>& groups, const Material& material, double thickness) {
    const auto found = std::find_if(groups.begin(), groups.end(), [&](const JobGroup& group) {
        return group.material == material &&
               std::abs(group.thicknessMm - thickness) < kSameThicknessMm;
    });
    if (found != groups.end()) {
        return *found;
    }
    groups.push_back({material, thickness, {}, {}, {}});
    return groups.back();
}

double groupMass(const JobGroup& group) {
    double mass = 0.0;
    for (const JobPiece& piece : group.pieces) {
        mass += pieceMass(piece, group.material) * piece.cut.count;
    }
    return mass;
}

std::vector<std::string> materialLines(const Job& job, const JobCalculation& calculation,
                                       const std::vector<JobGroup>& groups) {
    const Plate& plate = calculation.plate.plate;
    std::vector<std::string> lines{
        repeated('-', kRuleLength),
        "ZESTAWIENIE MATERIALU ZLECENIA : " + job.name + " , arkusz " + plateText(plate),
    };
    for (const JobGroup& group : groups) {
        lines.push_back("");
        lines.push_back(groupText(group));
        lines.push_back(materialColumnsLine());
        for (const JobPiece& piece : group.pieces) {
            lines.push_back(materialPieceLine(piece, group.material));
        }
        const Nesting& nesting = group.nesting;
        if (nesting.tooMany) {
            lines.push_back("Rozkroj pominiety : ponad " + std::to_string(kMostNestedCopies) +
                            " elementow");
        } else {
            lines.push_back(
                plateUseLine(plate, {static_cast<int>(nesting.plates.size()), nesting.share()}));
        }
        for (const std::size_t piece : nesting.tooLarge) {
            lines.push_back(group.pieces[piece].cut.name + " - nie miesci sie na arkuszu " +
                            plateText(plate));
        }
        lines.push_back("Masa : " + formatFixed(groupMass(group), 2) + " kg");
    }
    lines.push_back("");
    lines.push_back("Masa calkowita : " + formatFixed(jobMass(groups), 2) + " kg");
    return lines;
}

} // namespace

std::vector<JobGroup> jobGroupsOf(const Job& job, const JobCalculation& calculation) {
    std::vector<JobGroup> groups;
    for (const JobPieceCalculation& calculated : calculation.pieces) {
        const JobEntry& entry = job.entries.at(calculated.entry);
        std::vector<JobPiece> pieces = jobPiecesOf(calculated.outputs);
        std::vector<PieceDrawing> drawings = pieceDrawingsOf(patternToCut(calculated.outputs));
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            JobPiece& piece = pieces[k];
            if (piece.cut.count <= 0) {
                continue;
            }
            piece.cut.name = entry.mark + " " + piece.cut.name;
            piece.cut.count *= entry.count;
            JobGroup& group =
                groupFor(groups, calculation.materialOf(piece.cut.thickness), piece.cut.thickness);
            group.pieces.push_back(std::move(piece));
            group.drawings.push_back(k < drawings.size() ? std::move(drawings[k]) : PieceDrawing{});
        }
    }
    std::stable_sort(groups.begin(), groups.end(), [](const JobGroup& a, const JobGroup& b) {
        return a.thicknessMm != b.thicknessMm ? a.thicknessMm < b.thicknessMm
                                              : a.material.name < b.material.name;
    });
    for (JobGroup& group : groups) {
        group.nesting = nestPieces(group.pieces, calculation.plate.plate, calculation.plate.gapMm);
    }
    return groups;
}

double jobMass(const std::vector<JobGroup>& groups) {
    double mass = 0.0;
    for (const JobGroup& group : groups) {
        mass += groupMass(group);
    }
    return mass;
}

std::vector<std::string> jobMaterialListLines(const Job& job, const JobCalculation& calculation,
                                              const std::vector<JobGroup>& groups) {
    try {
        return materialLines(job, calculation, groups);
    } catch (const std::invalid_argument&) {
        // An area or mass beyond any number is not listed; the pieces' reports stand.
        return {repeated('-', kRuleLength),
                "ZESTAWIENIE MATERIALU ZLECENIA : wymiary poza zakresem liczb"};
    }
}

std::vector<JobEntrySummary> entrySummaries(const Job& job, const JobCalculation& calculation) {
    constexpr std::size_t kSizesShown = 2;
    std::vector<JobEntrySummary> summaries(job.entries.size());
    std::vector<std::vector<double>> thicknesses(job.entries.size());
    for (const JobPieceCalculation& calculated : calculation.pieces) {
        JobEntrySummary& summary = summaries.at(calculated.entry);
        const int count = job.entries[calculated.entry].count;
        for (const JobPiece& piece : jobPiecesOf(calculated.outputs)) {
            if (piece.cut.count <= 0) {
                continue;
            }
            const double thickness = piece.cut.thickness;
            summary.massKg +=
                pieceMass(piece, calculation.materialOf(thickness)) * piece.cut.count * count;
            auto& seen = thicknesses[calculated.entry];
            if (std::none_of(seen.begin(), seen.end(), [thickness](double t) {
                    return std::abs(t - thickness) < kSameThicknessMm;
                })) {
                seen.push_back(thickness);
            }
        }
        const CalculatorDefinition& definition = calculated.calculator->definition();
        if (summary.sizes.empty()) {
            const JobEntry& entry = job.entries[calculated.entry];
            for (std::size_t k = 0; k < std::min(kSizesShown, definition.tabOrder.size()); ++k) {
                const auto field = fieldIndex(definition, definition.tabOrder[k]);
                if (field && *field < entry.inputs.fieldTexts.size()) {
                    summary.sizes += (summary.sizes.empty() ? "" : " , ") + definition.tabOrder[k] +
                                     " " + entry.inputs.fieldTexts[*field];
                }
            }
        }
    }
    for (std::size_t e = 0; e < summaries.size(); ++e) {
        std::sort(thicknesses[e].begin(), thicknesses[e].end());
        for (const double t : thicknesses[e]) {
            summaries[e].thickness +=
                (summaries[e].thickness.empty() ? "" : " / ") + formatFixed(t, 2);
        }
    }
    return summaries;
}

NestingDrawingResult jobNestingDrawing(const std::vector<JobGroup>& groups) {
    std::vector<std::pair<const JobGroup*, NestedSheet>> sheets;
    std::optional<NestingDrawing> drawing;
    std::string problems;
    for (const JobGroup& group : groups) {
        NestingDrawingResult made = nestingDrawingOf(group.pieces, group.drawings, group.nesting);
        if (!made.drawing) {
            problems += (problems.empty() ? "" : " ; ") + groupText(group) + " : " + made.problem;
            continue;
        }
        if (!drawing) {
            drawing = NestingDrawing{made.drawing->lengthMm, made.drawing->widthMm, {}};
        }
        for (NestedSheet& sheet : made.drawing->sheets) {
            sheets.emplace_back(&group, std::move(sheet));
        }
    }
    if (!drawing) {
        return {std::nullopt, problems.empty() ? "brak elementow do rozkroju" : problems};
    }
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        auto& [group, sheet] = sheets[s];
        std::string leftOff;
        for (const std::size_t piece : group->nesting.tooLarge) {
            leftOff += (leftOff.empty() ? "" : ", ") + group->pieces[piece].cut.name;
        }
        // The sheet's own line names its place in the whole job and what it is cut from.
        sheet.texts.back().text =
            "Arkusz " + std::to_string(s + 1) + "/" + std::to_string(sheets.size()) + " : " +
            plateText({drawing->widthMm, drawing->lengthMm}) + " , " + groupText(*group) +
            " , wykorzystanie " + formatFixed(100.0 * sheet.share, 1) + " %" +
            (leftOff.empty() ? "" : " ; pominiete (za duze): " + leftOff);
        drawing->sheets.push_back(std::move(sheet));
    }
    return {std::move(drawing), problems};
}

} // namespace blachorys::core
