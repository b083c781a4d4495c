// The job: what it refuses, which pieces a joint adds, its masses against areas worked out
// independently of the patterns, and its plates checked with Clipper.
#include "cases/calculators.h"
#include "common/core/job/job.h"
#include "common/core/job/jobgroups.h"
#include "common/core/plate/materiallist.h"
#include "support/clipperchecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kSteelKgPerMm3 = 7.85e-6;

JobEntry entryOf(const std::string& key, const std::string& mark,
                 const std::vector<std::pair<std::string, std::string>>& texts, int count = 1) {
    const Calculator& calculator = *findCalculator(key);
    JobEntry entry = newEntry(calculator, mark);
    entry.inputs = exampleInputs(calculator.definition(), {"", "", texts});
    entry.count = count;
    return entry;
}

Job jobOf(std::vector<JobEntry> entries) {
    return {"test", {}, {}, std::move(entries)};
}

/** The mass the material list's last line gives, kg. */
double listedMass(const Job& job) {
    const JobCalculation calculation = calculateJob(job, findCalculator, "d");
    EXPECT_TRUE(calculation.ok()) << calculation.problems.front();
    const auto lines = jobMaterialListLines(job, calculation, jobGroupsOf(job, calculation));
    const std::string prefix = "Masa calkowita : ";
    EXPECT_EQ(lines.back().substr(0, prefix.size()), prefix);
    return std::stod(lines.back().substr(prefix.size()));
}

const std::vector<std::pair<std::string, std::string>> kCone{
    {"Dsm", "600"}, {"Dsd", "800"}, {"Hs", "1000"}, {"E", "0"}, {"t", "6"}, {"diameters", "mean"}};
const std::vector<std::pair<std::string, std::string>> kTee{
    {"Dm", "300"}, {"Dd", "800"}, {"P", "0"}, {"Lm", "500"}, {"tm", "3"}, {"td", "3"}};

TEST(Job, ConeMassIsTheFrustumsLateralAreaTimesThicknessAndDensity) {
    const double slant = std::hypot(1000.0, 400.0 - 300.0);
    const double area = std::numbers::pi * (400.0 + 300.0) * slant;
    const double expected = 3 * area * 6.0 * kSteelKgPerMm3;
    EXPECT_NEAR(listedMass(jobOf({entryOf("stozek", "S1", kCone, 3)})), expected, expected * 1e-3);
}

TEST(Job, ShellMassIsItsSheetLessTheHoleOfTheBranchsBore) {
    // The shell rolled on its mean surface; the hole the bore's envelope through the wall, cut
    // square to the plate: at each point of the branch's axis its widest at the shell's inside.
    const double mean = (800.0 - 3.0) / 2;
    const double inside = 800.0 / 2 - 3.0;
    const double bore = 300.0 / 2 - 3.0;
    double hole = 0.0;
    constexpr int kSteps = 20000;
    for (int k = 0; k < kSteps; ++k) {
        const double x = -bore + (k + 0.5) * 2 * bore / kSteps;
        hole += 2 * mean * std::asin(std::sqrt(bore * bore - x * x) / inside) * 2 * bore / kSteps;
    }
    const double sheet = 2 * std::numbers::pi * mean * 1000.0;
    const double expected = (sheet - hole) * 3.0 * kSteelKgPerMm3;
    JobEntry shell = entryOf("rurarura", "T1", kTee);
    shell.developments = {1};
    EXPECT_NEAR(listedMass(jobOf({shell})), expected, expected * 1e-3);
}

TEST(Job, AJointAddsBothItsPiecesUnlessOneIsUnticked) {
    struct Row {
        std::vector<std::size_t> developments;
        std::vector<std::string> names;
    };
    for (const Row& row : std::vector<Row>{{{0, 1}, {"T1 rura mniejsza", "T1 plaszcz"}},
                                           {{0}, {"T1 rura mniejsza"}},
                                           {{1}, {"T1 plaszcz"}}}) {
        Job job = jobOf({entryOf("rurarura", "T1", kTee, 2)});
        job.entries[0].developments = row.developments;
        const JobCalculation calculation = calculateJob(job, findCalculator, "d");
        ASSERT_TRUE(calculation.ok());
        const auto groups = jobGroupsOf(job, calculation);
        ASSERT_EQ(groups.size(), 1u);
        std::vector<std::string> names;
        for (const JobPiece& piece : groups[0].pieces) {
            names.push_back(piece.cut.name);
            EXPECT_EQ(piece.cut.count, 2);
        }
        EXPECT_EQ(names, row.names);
    }
}

TEST(Job, WhatCannotBeCutIsRefusedNamingTheEntry) {
    struct Row {
        const char* what;
        JobEntry entry;
        const char* problem;
    };
    JobEntry unknown = entryOf("stozek", "K1", {});
    unknown.calculator = "rura";
    JobEntry noDevelopment = entryOf("rurarura", "K1", {});
    noDevelopment.developments.clear();
    JobEntry badChoice = entryOf("stozek", "K1", {});
    badChoice.inputs.choices[0] = 7;
    const std::vector<Row> rows{
        {"mark with a slash", entryOf("stozek", "../K1", {}), "oznaczenie '../K1'"},
        {"mark too long", entryOf("stozek", std::string(17, 'K'), {}), "oznaczenie"},
        {"no copies", entryOf("stozek", "K1", {}, 0), "pozycja K1 (stozek) : liczba sztuk 0"},
        {"too many copies", entryOf("stozek", "K1", {}, 201), "liczba sztuk 201"},
        {"unknown calculator", unknown, "pozycja K1 (rura) : nieznany kalkulator"},
        {"nothing cut", noDevelopment, "nie wybrano"},
        {"choice out of range", badChoice, "bledny wybor diameters"},
        {"inputs refused", entryOf("stozek", "K1", {{"Dsd", "0"}}), "pozycja K1 (stozek) : "},
    };
    for (const Row& row : rows) {
        const JobCalculation calculation = calculateJob(jobOf({row.entry}), findCalculator, "d");
        ASSERT_FALSE(calculation.ok()) << row.what;
        EXPECT_NE(calculation.problems.front().find(row.problem), std::string::npos)
            << row.what << ": " << calculation.problems.front();
        EXPECT_TRUE(calculation.pieces.empty()) << row.what;
    }
    const Job twice = jobOf({entryOf("stozek", "K1", {}), entryOf("kolanosegm", "K1", {})});
    EXPECT_EQ(calculateJob(twice, findCalculator, "d").problems,
              std::vector<std::string>{"oznaczenie K1 powtarza sie"});
}

TEST(Job, EachThicknessIsNestedOnItsOwnPlatesApartAndWithinTheGap) {
    Job job =
        jobOf({entryOf("rurarura", "T1", kTee), entryOf("kolanosegm", "E1", {{"t", "3"}}, 4),
               entryOf("koloprostokat", "P1", {{"t", "3"}}, 2), entryOf("stozek", "S1", kCone)});
    job.materials = {{6.0, "stal nierdzewna"}};
    const JobCalculation calculation = calculateJob(job, findCalculator, "d");
    ASSERT_TRUE(calculation.ok());
    const auto groups = jobGroupsOf(job, calculation);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].material.name, "stal");
    EXPECT_EQ(groups[1].material.name, "stal nierdzewna");
    const NestingDrawingResult drawing = jobNestingDrawing(groups);
    ASSERT_TRUE(drawing.drawing) << drawing.problem;
    int copies = 0;
    for (const JobGroup& group : groups) {
        EXPECT_TRUE(group.nesting.tooLarge.empty());
        for (const JobPiece& piece : group.pieces) {
            copies += piece.cut.count;
        }
    }
    const double gap = calculation.plate.gapMm;
    int placed = 0;
    for (std::size_t s = 0; s < drawing.drawing->sheets.size(); ++s) {
        const NestedSheet& sheet = drawing.drawing->sheets[s];
        std::vector<ClipperLib::Paths> halves;
        for (const CncCut& cut : sheet.cuts) {
            if (cut.kind != OutlineKind::Piece) {
                continue;
            }
            for (const PatternPoint p : cut.points) {
                EXPECT_TRUE(p.x >= gap - 1e-6 && p.x <= drawing.drawing->lengthMm - gap + 1e-6 &&
                            p.y >= gap - 1e-6 && p.y <= drawing.drawing->widthMm - gap + 1e-6)
                    << "sheet " << s << " at " << p.x << ", " << p.y;
            }
            halves.push_back(test::widened(cut.points, gap / 2 - 0.01));
        }
        for (std::size_t a = 0; a < halves.size(); ++a) {
            for (std::size_t b = a + 1; b < halves.size(); ++b) {
                EXPECT_LT(test::overlapMm2(halves[a], halves[b]), 1e-3)
                    << s << ": " << a << ", " << b;
            }
        }
        placed += static_cast<int>(halves.size());
        // Every caption but the plate's own line begins with its entry's mark.
        for (std::size_t t = 0; t + 1 < sheet.texts.size(); ++t) {
            const std::string mark = sheet.texts[t].text.substr(0, 3);
            EXPECT_TRUE(mark == "T1 " || mark == "E1 " || mark == "P1 " || mark == "S1 ")
                << sheet.texts[t].text;
        }
        EXPECT_NE(sheet.texts.back().text.find(
                      "/" + std::to_string(drawing.drawing->sheets.size()) + " : 1500 x 3000 , "),
                  std::string::npos)
            << sheet.texts.back().text;
    }
    EXPECT_EQ(placed, copies);
}

} // namespace
} // namespace blachorys::core
