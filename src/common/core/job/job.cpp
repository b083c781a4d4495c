#include "common/core/job/job.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/edgeoutputs.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/plate/cutparts.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace blachorys::core {
namespace {

bool isMarkCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

/** "K1 (rurarura, mniejsza)": the entry as a problem names it. */
std::string entryName(const JobEntry& entry, const CalculatorDefinition* definition,
                      std::size_t development) {
    std::string name = "pozycja " + entry.mark + " (" + entry.calculator;
    if (definition != nullptr && development < definition->developments.size()) {
        name += ", " + definition->developments[development].key;
    }
    return name + ")";
}

/** What is wrong with an entry before it is calculated, or nothing. */
std::optional<std::string> entryProblem(const JobEntry& entry, const Calculator* calculator) {
    if (calculator == nullptr) {
        return "nieznany kalkulator";
    }
    if (entry.count < 1 || entry.count > kMostEntryCopies) {
        return "liczba sztuk " + std::to_string(entry.count) + " poza zakresem 1.." +
               std::to_string(kMostEntryCopies);
    }
    const CalculatorDefinition& definition = calculator->definition();
    const std::size_t developments = std::max<std::size_t>(definition.developments.size(), 1);
    if (entry.developments.empty()) {
        return "nie wybrano zadnego rozwiniecia";
    }
    for (std::size_t k = 0; k < entry.developments.size(); ++k) {
        if (entry.developments[k] >= developments ||
            (k > 0 && entry.developments[k] <= entry.developments[k - 1])) {
            return "bledna lista rozwiniec";
        }
    }
    if (entry.inputs.fieldTexts.size() != definition.fields.size() ||
        entry.inputs.choices.size() != definition.selectors.size()) {
        return "dane nie pasuja do kalkulatora";
    }
    for (std::size_t s = 0; s < definition.selectors.size(); ++s) {
        if (entry.inputs.choices[s] >= definition.selectors[s].choices.size()) {
            return "bledny wybor " + definition.selectors[s].name;
        }
    }
    return std::nullopt;
}

std::string joined(const std::vector<Message>& messages) {
    std::string text;
    for (const Message& message : messages) {
        text += (text.empty() ? "" : " ; ") + message.text;
    }
    return text.empty() ? "obliczenie nie powiodlo sie" : text;
}

} // namespace

std::optional<std::string> markProblem(std::string_view mark) {
    if (mark.empty() || mark.size() > kLongestMark ||
        !std::all_of(mark.begin(), mark.end(), isMarkCharacter)) {
        return "oznaczenie '" + truncateCharacters(mark, static_cast<int>(kLongestMark) + 4) +
               "' - dozwolone 1.." + std::to_string(kLongestMark) + " liter, cyfr, znakow - i _";
    }
    return std::nullopt;
}

JobEntry newEntry(const Calculator& calculator, std::string mark) {
    const CalculatorDefinition& definition = calculator.definition();
    JobEntry entry;
    entry.mark = std::move(mark);
    entry.calculator = definition.key;
    entry.inputs = defaultInputs(definition);
    entry.developments.clear();
    for (std::size_t d = 0; d < std::max<std::size_t>(definition.developments.size(), 1); ++d) {
        entry.developments.push_back(d);
    }
    return entry;
}

std::string nextMark(const Job& job) {
    for (std::size_t n = 1;; ++n) {
        const std::string mark = "K" + std::to_string(n);
        if (std::none_of(job.entries.begin(), job.entries.end(),
                         [&mark](const JobEntry& entry) { return entry.mark == mark; })) {
            return mark;
        }
    }
}

Material JobCalculation::materialOf(double thicknessMm) const {
    for (const auto& [thickness, material] : materials) {
        if (std::abs(thickness - thicknessMm) < kSameThicknessMm) {
            return material;
        }
    }
    return plate.material;
}

JobCalculation calculateJob(const Job& job, const CalculatorLookup& lookup,
                            const std::string& dateText) {
    JobCalculation calculation;
    const PlateReading plate = readPlateTexts(job.plate);
    if (!plate.settings) {
        calculation.problems.push_back(plate.problem);
        return calculation;
    }
    calculation.plate = *plate.settings;
    if (job.entries.size() > kMostJobEntries) {
        calculation.problems.push_back("ponad " + std::to_string(kMostJobEntries) +
                                       " pozycji w zleceniu");
        return calculation;
    }
    if (job.materials.size() > kMostJobMaterials) {
        calculation.problems.push_back("ponad " + std::to_string(kMostJobMaterials) +
                                       " materialow w zleceniu");
        return calculation;
    }
    for (const ThicknessMaterial& named : job.materials) {
        const auto material = parseMaterial(named.material);
        if (!material || !(named.thicknessMm > 0.0) || !std::isfinite(named.thicknessMm)) {
            calculation.problems.push_back("bledny material '" +
                                           truncateCharacters(named.material, 40) +
                                           "' dla grubosci " + formatFixed(named.thicknessMm, 2));
            continue;
        }
        calculation.materials.emplace_back(named.thicknessMm, *material);
    }
    std::set<std::string> marks;
    for (const JobEntry& entry : job.entries) {
        if (const auto problem = markProblem(entry.mark)) {
            calculation.problems.push_back(*problem);
            continue;
        }
        if (!marks.insert(entry.mark).second) {
            calculation.problems.push_back("oznaczenie " + entry.mark + " powtarza sie");
            continue;
        }
    }
    if (!calculation.problems.empty()) {
        return calculation;
    }
    for (std::size_t e = 0; e < job.entries.size(); ++e) {
        const JobEntry& entry = job.entries[e];
        const Calculator* calculator = lookup(entry.calculator);
        if (const auto problem = entryProblem(entry, calculator)) {
            calculation.problems.push_back(entryName(entry, nullptr, 0) + " : " + *problem);
            continue;
        }
        const EdgeReading edge = readEdgeTexts(entry.edge);
        if (!edge.settings) {
            calculation.problems.push_back(entryName(entry, nullptr, 0) + " : " + edge.problem);
            continue;
        }
        for (const std::size_t development : entry.developments) {
            CalculationResult result = withPreparedEdges(
                calculator->calculate(entry.inputs, development, dateText), *edge.settings);
            if (result.status != CalculationResult::Status::Calculated || !result.outputs) {
                calculation.problems.push_back(
                    entryName(entry, &calculator->definition(), development) + " : " +
                    joined(result.messages));
                continue;
            }
            if (std::optional<std::string> problem =
                    partsProblem(*result.outputs, calculation.plate.parts)) {
                calculation.problems.push_back(
                    entryName(entry, &calculator->definition(), development) +
                    " : Podział na części: " + *problem);
                continue;
            }
            result.outputs->split = splitPattern(result.outputs->pattern, calculation.plate.parts);
            calculation.pieces.push_back({e, development, calculator, std::move(*result.outputs)});
        }
    }
    return calculation;
}

} // namespace blachorys::core
