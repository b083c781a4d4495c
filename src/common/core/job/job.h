#pragma once

#include "common/core/calculator/calculationresult.h"
#include "common/core/calculator/calculator.h"
#include "common/core/calculator/edgetexts.h"
#include "common/core/calculator/platetexts.h"
#include "common/core/plate/platesettings.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace blachorys::core {

/** A job holds at most this many entries: a duct run or a header is some tens of pieces. */
inline constexpr std::size_t kMostJobEntries = 100;
/** One entry is cut at most this many times: the nesting places no more copies in all. */
inline constexpr int kMostEntryCopies = 200;
/** A mark is at most this many characters: it names files and captions parts. */
inline constexpr std::size_t kLongestMark = 16;
/** A job's name is at most this many characters: it heads the report and the nesting. */
inline constexpr std::size_t kLongestJobName = 80;
/** The most thicknesses a job names a material for. */
inline constexpr std::size_t kMostJobMaterials = 32;
/** Thicknesses closer than this, mm, are one plate. */
inline constexpr double kSameThicknessMm = 1e-6;

/**
 * One piece of a job as the fitter entered it: the calculator, its inputs and choices (the
 * saved-input record), the developments cut (a joint's branch and main part, unless one is
 * unticked), how many of it and its mark ("K1").
 */
struct JobEntry {
    std::string mark;
    std::string calculator; ///< the calculator's command-line key
    CalculatorInputs inputs;
    /** Indices of the developments cut, ascending; {0} for a calculator without developments. */
    std::vector<std::size_t> developments{0};
    int count = 1;
    /** The welded cuts' edges as the window's "Krawędź" held them when the entry was added. */
    EdgeTexts edge;
    friend bool operator==(const JobEntry&, const JobEntry&) = default;
};

/** The material a plate of one thickness is cut from, as typed ("stal nierdzewna", "7.2"). */
struct ThicknessMaterial {
    double thicknessMm = 0.0;
    std::string material;
    friend bool operator==(const ThicknessMaterial&, const ThicknessMaterial&) = default;
};

/**
 * A job ("Zlecenie"): its entries, the plate they are cut from, the gap and "Podział na
 * części" (`plate`, whose material is every thickness's that `materials` does not name).
 */
struct Job {
    std::string name;
    PlateTexts plate;
    std::vector<ThicknessMaterial> materials;
    std::vector<JobEntry> entries;
    friend bool operator==(const Job&, const Job&) = default;
};

/** The calculator of a command-line key, or nullptr: the registry, which the core does not know. */
using CalculatorLookup = std::function<const Calculator*(std::string_view key)>;

/** Why a mark cannot name a piece's files, or nothing: 1 to 16 letters, digits, "-" or "_". */
std::optional<std::string> markProblem(std::string_view mark);

/** An entry of the calculator's defaults, every development cut, once. */
JobEntry newEntry(const Calculator& calculator, std::string mark);

/** "K3": the first "K<n>" no entry of the job is marked with. */
std::string nextMark(const Job& job);

/** One development of one entry, calculated: its outputs split as the job's plate says. */
struct JobPieceCalculation {
    std::size_t entry = 0;
    std::size_t development = 0;
    const Calculator* calculator = nullptr;
    CalculationOutputs outputs;
};

/** The job calculated, or what stops it: every entry must calculate for the job to be cut. */
struct JobCalculation {
    PlateSettings plate;
    /** The material of each thickness the job names, read. */
    std::vector<std::pair<double, Material>> materials;
    std::vector<JobPieceCalculation> pieces;
    /** What is wrong, one line each, naming the entry's mark; empty when all calculated. */
    std::vector<std::string> problems;

    bool ok() const { return problems.empty(); }
    /** The material plates of this thickness are cut from. */
    Material materialOf(double thicknessMm) const;
};

/**
 * Every entry's developments calculated as its window's "Licz" would, dated `dateText`, each
 * split into parts as the plate's texts say. The plate's texts, the materials, the marks (each
 * valid and unique), the calculators, developments and counts are checked first.
 */
JobCalculation calculateJob(const Job& job, const CalculatorLookup& lookup,
                            const std::string& dateText);

} // namespace blachorys::core
