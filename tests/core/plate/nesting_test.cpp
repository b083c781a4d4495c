// The nesting: no two pieces overlap or come closer than the gap, none leaves its plate or
// comes closer than the gap to its edge, and every copy the job cuts is on a plate.
#include "cases/calculators.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/plate/cutparts.h"
#include "common/core/plate/materiallist.h"
#include "common/core/plate/nesting.h"
#include "common/core/plate/nestingyardsticks.h"

#include "support/clipperchecks.h"
#include <polyclipping/clipper.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using test::overlapMm2;
using test::widened;

/** Checks the nesting of `pieces` on `plate` with `gap`; returns how many copies it placed. */
int checkNesting(const std::vector<JobPiece>& pieces, const Plate& plate, double gap,
                 const std::string& job) {
    const Nesting nesting = nestPieces(pieces, plate, gap);
    int placedCopies = 0;
    for (std::size_t p = 0; p < nesting.plates.size(); ++p) {
        const auto& onPlate = nesting.plates[p].pieces;
        EXPECT_FALSE(onPlate.empty()) << job;
        std::vector<ClipperLib::Paths> halves;
        for (const PlacedPiece& placed : onPlate) {
            const auto outline = placedOutline(pieces[placed.piece], placed);
            for (const PatternPoint q : outline) {
                EXPECT_TRUE(q.x >= gap - 1e-6 && q.x <= plate.length - gap + 1e-6 &&
                            q.y >= gap - 1e-6 && q.y <= plate.width - gap + 1e-6)
                    << job << " plate " << p << " piece " << placed.piece << " at " << q.x << ", "
                    << q.y;
            }
            // Each widened by just under half the gap: any two that meet were too close.
            halves.push_back(widened(outline, gap / 2 - 0.01));
            ++placedCopies;
        }
        for (std::size_t a = 0; a < halves.size(); ++a) {
            for (std::size_t b = a + 1; b < halves.size(); ++b) {
                EXPECT_LT(overlapMm2(halves[a], halves[b]), 1e-3)
                    << job << " plate " << p << ": " << a << " and " << b;
            }
        }
    }
    for (const std::size_t piece : nesting.tooLarge) {
        const FlatBox box = boxOf(pieces[piece].flat.outline.points);
        // Only a piece whose box fits the plate less its gaps neither way round is left off.
        const auto fits = [&](double along, double across) {
            return along <= plate.length - 2 * gap - 1.0 && across <= plate.width - 2 * gap - 1.0;
        };
        EXPECT_FALSE(fits(box.width(), box.height()) || fits(box.height(), box.width())) << job;
        placedCopies += pieces[piece].cut.count;
    }
    return placedCopies;
}

int copiesOf(const std::vector<JobPiece>& pieces) {
    int copies = 0;
    for (const JobPiece& piece : pieces) {
        copies += std::max(0, piece.cut.count);
    }
    return copies;
}

TEST(Nesting, EveryCalculatorsDefaultsAndExamplesLieApartAndOnTheirPlates) {
    for (const Calculator* calculator : calculators()) {
        const auto& definition = calculator->definition();
        std::vector<ExampleInputs> jobs = definition.examples;
        for (const auto& development : definition.developments) {
            jobs.push_back({"defaults", development.key, {}});
        }
        jobs.push_back({"defaults", "", {}});
        for (const ExampleInputs& job : jobs) {
            const std::string name = definition.key + " " + job.name + " " + job.development;
            const CalculationResult result = calculator->calculate(
                exampleInputs(definition, job),
                developmentIndex(definition, job.development).value_or(0), "d");
            if (result.status != CalculationResult::Status::Calculated) {
                continue;
            }
            const auto pieces = jobPiecesOf(*result.outputs);
            ASSERT_FALSE(pieces.empty()) << name;
            for (const Plate& plate : {Plate{1500, 3000}, Plate{1000, 2000}}) {
                EXPECT_EQ(checkNesting(pieces, plate, kDefaultGapMm, name), copiesOf(pieces))
                    << name;
            }
            // Split in halves (or left whole where a piece does not split so), as cut.
            CalculationOutputs halves = *result.outputs;
            halves.split = splitPattern(halves.pattern, 2);
            const auto parts = jobPiecesOf(halves);
            EXPECT_EQ(checkNesting(parts, {1000, 2000}, kDefaultGapMm, name + " halves"),
                      copiesOf(parts))
                << name;
        }
    }
}

TEST(Nesting, SevenSegmentElbowGoesOnThePlatesItsListNames) {
    const Calculator& elbow = *findCalculator("kolanosegm");
    CalculationOutputs outputs =
        elbow
            .calculate(exampleInputs(elbow.definition(), {"seven", "", {{"Ns", "7"}, {"t", "2"}}}),
                       0, "d")
            .outputs.value();
    const auto pieces = jobPiecesOf(outputs);
    const Nesting nesting = nestPieces(pieces, {1500, 3000}, kDefaultGapMm);
    std::vector<int> placed(pieces.size(), 0);
    for (const NestedPlate& plate : nesting.plates) {
        for (const PlacedPiece& piece : plate.pieces) {
            ++placed[piece.piece];
        }
    }
    EXPECT_EQ(placed, (std::vector<int>{2, 5}));
    addMaterialList(outputs, {});
    const std::string line =
        "Arkusze 1500 x 3000 : " + std::to_string(nesting.plates.size()) + " szt. , wykorzystanie ";
    const auto& list = outputs.report.materialList;
    EXPECT_NE(std::find_if(list.begin(), list.end(),
                           [&line](const std::string& l) { return l.starts_with(line); }),
              list.end());
    // 2 A and 5 B cover about a quarter of one plate: one plate holds them.
    EXPECT_EQ(nesting.plates.size(), 1U);
    EXPECT_EQ(checkNesting(pieces, {1500, 3000}, kDefaultGapMm, "elbow"), 7);
}

} // namespace
} // namespace blachorys::core

namespace blachorys::core {
namespace {

/** The pieces of a calculation with the plate outputs' split into `parts`. */
std::vector<JobPiece> piecesOf(const std::string& key, const ExampleInputs& job, int parts = 1) {
    const Calculator& calculator = *findCalculator(key);
    CalculationOutputs outputs =
        calculator
            .calculate(exampleInputs(calculator.definition(), job),
                       developmentIndex(calculator.definition(), job.development).value_or(0), "d")
            .outputs.value();
    if (parts > 1) {
        outputs.split = splitPattern(outputs.pattern, parts);
    }
    return jobPiecesOf(outputs);
}

TEST(Nesting, EachPlateTakesTheBetterOfNoFitPlacesAndShelves) {
    // 23 strips and 2 half strips: rows of three strips four high and a row of half strips fill
    // one plate, the other strips the next; placed one by one by their outlines they took three.
    const auto strips = piecesOf(
        "kolanosegm", {"strips", "", {{"t", "5"}, {"Dr", "300"}, {"Rk", "4432"}, {"Ns", "25"}}});
    EXPECT_EQ(nestPieces(strips, {1500, 3000}, kDefaultGapMm).plates.size(), 2U);
    EXPECT_EQ(checkNesting(strips, {1500, 3000}, kDefaultGapMm, "strips"), 25);
}

TEST(Nesting, APartNarrowestAslantIsTurnedToFit) {
    // A fifth of this mantle is 1482.6 × 1736.6 in its smallest box but 1418.2 at its
    // narrowest: turned 3.4° it fits 1480 × 2980, so five parts do.
    const ExampleInputs mantle{"mantle",
                               "stozek",
                               {{"tr", "5"},
                                {"ts", "5"},
                                {"Dr", "300"},
                                {"Dsm", "800"},
                                {"Dsd", "2400"},
                                {"Hs", "1500"},
                                {"E", "0"},
                                {"P", "0"},
                                {"Hr", "1600"},
                                {"Lm", "700"}}};
    const Calculator& calculator = *findCalculator("rurastozek");
    const CalculationOutputs whole =
        calculator
            .calculate(exampleInputs(calculator.definition(), mantle),
                       developmentIndex(calculator.definition(), "stozek").value_or(0), "d")
            .outputs.value();
    EXPECT_EQ(tooLargeLines(whole.pattern, {}),
              std::vector<std::string>{
                  "plaszcz stozka - nie miesci sie na arkuszu 1500 x 3000 - podziel na 5 czesci"});
    const auto fifths = piecesOf("rurastozek", mantle, 5);
    const Nesting nesting = nestPieces(fifths, {1500, 3000}, kDefaultGapMm);
    EXPECT_TRUE(nesting.tooLarge.empty());
    EXPECT_EQ(checkNesting(fifths, {1500, 3000}, kDefaultGapMm, "fifths"), 5);
}

/** `count` copies of a `along` × `across` rectangle, turned aslant so that its box is not. */
JobPiece rectangles(double along, double across, int count) {
    const Motion aslant{std::cos(0.3), std::sin(0.3), {}};
    JobPiece piece;
    piece.cut.count = count;
    for (const PatternPoint p :
         {PatternPoint{0, 0}, PatternPoint{along, 0}, PatternPoint{along, across},
          PatternPoint{0, across}}) {
        piece.flat.outline.points.push_back(aslant(p));
    }
    return piece;
}

// What a nesting is judged by, worked by hand on 3000 × 1500 with 10 mm gaps: two 1000 × 500
// boxes to a shelf and two shelves to a plate (a third of either needs 3040 or 1540 mm).
TEST(NestingYardsticks, CountThePlatesOfShelvesRowsAndArea) {
    struct Row {
        std::vector<JobPiece> pieces;
        NestingYardsticks expected;
    };
    for (const Row& row :
         {Row{{rectangles(1000, 500, 8)}, {1, 2, 4, 0}},
          Row{{rectangles(1000, 500, 10)}, {2, 3, 5, 0}},
          // Long boxes lie along the plate, two to a shelf, one to a row.
          Row{{rectangles(400, 1400, 3)}, {1, 1, 1, 0}},
          // Larger than the plate either way: a plate each, for the yardsticks' count.
          Row{{rectangles(1000, 500, 2), rectangles(3100, 200, 2)}, {1, 3, 3, 2}}}) {
        const NestingYardsticks got = nestingYardsticks(row.pieces, {1500, 3000}, 10);
        EXPECT_EQ(got.areaBound, row.expected.areaBound);
        EXPECT_EQ(got.shelves, row.expected.shelves);
        EXPECT_EQ(got.onePerRow, row.expected.onePerRow);
        EXPECT_EQ(got.tooLargeForABox, row.expected.tooLargeForABox);
    }
}

} // namespace
} // namespace blachorys::core
