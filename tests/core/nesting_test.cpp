// The nesting: no two pieces overlap or come closer than the gap, none leaves its plate or
// comes closer than the gap to its edge, and every copy the job cuts is on a plate.
#include "cases/calculators.h"
#include "common/core/cutparts.h"
#include "common/core/materiallist.h"
#include "common/core/nesting.h"

#include <polyclipping/clipper.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kUnits = 1000.0; // Clipper units per mm in these checks

ClipperLib::Path pathOf(const std::vector<PatternPoint>& points) {
    ClipperLib::Path path;
    for (const PatternPoint p : points) {
        path.push_back({std::llround(p.x * kUnits), std::llround(p.y * kUnits)});
    }
    return path;
}

/** The outline widened by `mm` all round. */
ClipperLib::Paths widened(const std::vector<PatternPoint>& points, double mm) {
    ClipperLib::ClipperOffset offset;
    offset.AddPath(pathOf(points), ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::Paths result;
    offset.Execute(result, mm * kUnits);
    return result;
}

double overlapMm2(const ClipperLib::Paths& a, const ClipperLib::Paths& b) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(a, ClipperLib::ptSubject, true);
    clipper.AddPaths(b, ClipperLib::ptClip, true);
    ClipperLib::Paths common;
    clipper.Execute(ClipperLib::ctIntersection, common, ClipperLib::pftNonZero,
                    ClipperLib::pftNonZero);
    double area = 0.0;
    for (const auto& path : common) {
        area += ClipperLib::Area(path);
    }
    return std::fabs(area) / (kUnits * kUnits);
}

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
                    << job << " plate " << p << " piece " << placed.piece << " at " << q.x
                    << ", " << q.y;
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
            halves.split = splitJob(halves, 2);
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
        elbow.calculate(exampleInputs(elbow.definition(), {"seven", "", {{"Ns", "7"}, {"t", "2"}}}),
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
    const std::string line = "Arkusze 1500 x 3000 : " + std::to_string(nesting.plates.size()) +
                             " szt. , wykorzystanie ";
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
