// A piece split into parts: put back together by the test along the parts' match marks alone,
// the parts make the piece again; a cone's parts join along generators; the report names the
// fewest parts that fit a plate.
#include "cases/calculators.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/calculator/platetexts.h"
#include "common/core/plate/cutparts.h"
#include "common/core/plate/materiallist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kJoinedWithinMm = 0.05;

double distanceToChain(PatternPoint p, const std::vector<PatternPoint>& chain) {
    double least = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < chain.size(); ++k) {
        const PatternPoint a = chain[k];
        const PatternPoint b = chain[(k + 1) % chain.size()];
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const double l2 = dx * dx + dy * dy;
        const double t =
            l2 > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0.0;
        least = std::min(least, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
    }
    return least;
}

double distanceToPiece(PatternPoint p, const FlatPiece& piece) {
    double least = distanceToChain(p, piece.outline.points);
    for (const Contour& hole : piece.holes) {
        least = std::min(least, distanceToChain(p, hole.points));
    }
    return least;
}

/**
 * The parts moved together from where they lie, each onto a neighbour already placed so that
 * the two sides of their joint have their match marks at the same places; in part 1's frame.
 */
std::vector<PieceDrawing> joinedByMarks(const SplitPiece& split) {
    std::vector<Motion> motions(split.parts.size());
    std::vector<bool> placed(split.parts.size(), false);
    placed[0] = true;
    for (bool moved = true; moved;) {
        moved = false;
        for (const PartJoint& joint : split.joints) {
            for (std::size_t s = 0; s < 2; ++s) {
                const JointSide& here = joint.sides[s];
                const JointSide& there = joint.sides[1 - s];
                if (placed[here.part] && !placed[there.part]) {
                    const Motion& m = motions[here.part];
                    motions[there.part] = motionOnto(there.marks[0], there.marks[1],
                                                     m(here.marks[0]), m(here.marks[1]));
                    placed[there.part] = moved = true;
                }
            }
        }
    }
    std::vector<PieceDrawing> joined;
    for (std::size_t p = 0; p < split.parts.size(); ++p) {
        EXPECT_TRUE(placed[p]) << "part " << p + 1 << " joins no other";
        joined.push_back(moved(split.parts[p], motions[p]));
    }
    return joined;
}

struct Job {
    const char* key;
    const char* development;
    std::vector<std::pair<std::string, std::string>> texts;
};

CalculationOutputs outputsOf(const Job& job) {
    const Calculator& calculator = *findCalculator(job.key);
    const auto& definition = calculator.definition();
    const CalculationResult result =
        calculator.calculate(exampleInputs(definition, {"test", job.development, job.texts}),
                             developmentIndex(definition, job.development).value(), "d");
    EXPECT_EQ(result.status, CalculationResult::Status::Calculated) << job.key;
    return result.outputs.value_or(CalculationOutputs{});
}

TEST(PieceParts, JoinedAlongTheirMarksThePartsMakeThePieceAgain) {
    for (const Calculator* calculator : calculators()) {
        const auto& definition = calculator->definition();
        std::vector<std::string> developments{""};
        for (const auto& development : definition.developments) {
            developments.push_back(development.key);
        }
        for (const std::string& development : developments) {
            const CalculationOutputs outputs =
                outputsOf({definition.key.c_str(), development.c_str(), {}});
            const std::vector<PieceDrawing> pieces = pieceDrawingsOf(outputs.pattern);
            ASSERT_EQ(pieces.size(), outputs.pattern.pieces.size()) << definition.key;
            for (std::size_t k = 0; k < pieces.size(); ++k) {
                const SplitPlan& plan = outputs.pattern.pieces[k].cut.split;
                for (const int parts : {2, 3, 4}) {
                    const std::string job = definition.key + " " + development + " piece " +
                                            std::to_string(k) + " into " + std::to_string(parts);
                    const SplitPiece split = splitPiece(pieces[k], plan, parts);
                    if (!splitsInto(plan, parts)) {
                        EXPECT_EQ(split.parts.size(), 1U) << job;
                        continue;
                    }
                    ASSERT_EQ(split.parts.size(), static_cast<std::size_t>(parts)) << job;
                    EXPECT_GE(split.joints.size(), static_cast<std::size_t>(parts - 1)) << job;
                    // Where they are cut from: laid apart and turned, as the template has them.
                    const SplitPiece lying = laidOut(split, {0.0, 0.0});
                    const std::vector<PieceDrawing> joined = joinedByMarks(lying);
                    // Back in the piece's own frame, by part 1's way there.
                    const Motion back = motionOnto(lying.parts[0].piece.outline.points[0],
                                                   lying.parts[0].piece.outline.points[1],
                                                   split.parts[0].piece.outline.points[0],
                                                   split.parts[0].piece.outline.points[1]);
                    double area = 0.0;
                    for (const PieceDrawing& part : joined) {
                        const PieceDrawing home = moved(part, back);
                        area += netArea(home.piece);
                        EXPECT_GT(ringArea(home.piece.outline.points), 0.0) << job;
                        if (plan.kind == SplitKind::AlongLines) {
                            continue; // the part that held the seam's end moved onto its start
                        }
                        double farthest = 0.0;
                        for (const PatternPoint p : home.piece.outline.points) {
                            // On the piece's edge, or on a joint inside it.
                            if (!InsideTest(pieces[k].piece).contains(p)) {
                                farthest = std::max(farthest, distanceToPiece(p, pieces[k].piece));
                            }
                        }
                        EXPECT_LT(farthest, kJoinedWithinMm) << job;
                    }
                    EXPECT_NEAR(area, netArea(pieces[k].piece), 1e-6 * area) << job;
                    if (plan.kind == SplitKind::AlongLines) {
                        continue;
                    }
                    // And every point of the piece's edge is on some part's.
                    double farthest = 0.0;
                    for (const PatternPoint p : pieces[k].piece.outline.points) {
                        double nearest = std::numeric_limits<double>::infinity();
                        for (const PieceDrawing& part : joined) {
                            nearest =
                                std::min(nearest, distanceToPiece(p, moved(part, back).piece));
                        }
                        farthest = std::max(farthest, nearest);
                    }
                    EXPECT_LT(farthest, kJoinedWithinMm) << job;
                }
            }
        }
    }
}

TEST(PieceParts, AConesPartsJoinAlongGeneratorsFromItsApex) {
    // Each cone's development has its apex at the origin.
    for (const Job& job : {Job{"stozek", "", {{"alfa", "20"}, {"E", "150"}}},
                           Job{"stozekrura", "stozek", {}}, Job{"rurastozek", "stozek", {}}}) {
        const CalculationOutputs outputs = outputsOf(job);
        const PieceDrawing piece = pieceDrawingsOf(outputs.pattern).front();
        const SplitPiece split = splitPiece(piece, outputs.pattern.pieces.front().cut.split, 3);
        ASSERT_EQ(split.joints.size(), 2U) << job.key;
        for (const PartJoint& joint : split.joints) {
            const JointSide& side = joint.sides[0];
            const double run = std::hypot(side.to.x - side.from.x, side.to.y - side.from.y);
            const double offAxis = std::fabs(side.from.x * (side.to.y - side.from.y) -
                                             side.from.y * (side.to.x - side.from.x)) /
                                   run;
            EXPECT_LT(offAxis, 1e-6) << job.key;
            // Both parts' sides are the same line, so they meet when the cone is rolled.
            const JointSide& other = joint.sides[1];
            EXPECT_NEAR(std::hypot(other.to.x - other.from.x, other.to.y - other.from.y), run,
                        1e-9 * run)
                << job.key;
        }
    }
}

TEST(PieceParts, TheMaterialListNamesTheFewestPartsThatFitThePlate) {
    struct Case {
        Job job;
        const char* plate;
        const char* parts;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases{
        // The cone's sector is 2349 mm long; halves are still 1084 mm across.
        {{"stozek", "", {{"t", "2"}}},
         "1000 x 2000",
         "1",
         {"stozek - nie miesci sie na arkuszu 1000 x 2000 - podziel na 3 czesci"}},
        {{"stozek", "", {{"t", "2"}}},
         "1000 x 2000",
         "2",
         {"stozek - nie miesci sie na arkuszu 1000 x 2000 - podziel na 3 czesci"}},
        {{"stozek", "", {{"t", "2"}}}, "1000 x 2000", "3", {}},
        // The shell of Dd 800 is 1000 x 2504 on its mean surface.
        {{"rurarura", "wieksza", {{"td", "3"}}},
         "1250 x 2500",
         "1",
         {"plaszcz - nie miesci sie na arkuszu 1250 x 2500 - podziel na 2 czesci"}},
        // A cone 80 m across is more than two dozen plates: no number of parts is named.
        {{"stozek", "", {{"t", "2"}, {"Dsm", "60000"}, {"Dsd", "80000"}, {"Hs", "100000"}}},
         "1000 x 2000",
         "1",
         {"stozek - nie miesci sie na arkuszu 1000 x 2000"}},
        // One of 8.5 m is a sector of 161 degrees, 9503 mm to its edge: a seventh of it spans a
        // chord of 3789 mm, within the plate's 3980, a sixth 4405, though its area is under two
        // plates'.
        {{"stozek", "", {{"t", "2"}, {"Dsm", "8000"}, {"Dsd", "8500"}, {"Hs", "500"}, {"E", "0"}}},
         "2000 x 4000",
         "1",
         {"stozek - nie miesci sie na arkuszu 2000 x 4000 - podziel na 7 czesci"}},
        // Its thirds are too large for the plate too; its quarters fit.
        {{"koloprostokat",
          "",
          {{"t", "2"}, {"D", "1500"}, {"A", "600"}, {"B", "800"}, {"H", "800"}}},
         "1000 x 2000",
         "2",
         {"przejscie - nie miesci sie na arkuszu 1000 x 2000 - podziel na 4 czesci"}},
    };
    for (const Case& c : cases) {
        const PlateReading reading = readPlateTexts({c.plate, "stal", c.parts, "10"});
        ASSERT_TRUE(reading.settings);
        CalculationResult result = forThePlate(
            {CalculationResult::Status::Calculated, {}, outputsOf(c.job)}, *reading.settings);
        const auto& list = result.outputs->report.materialList;
        std::vector<std::string> tooLarge;
        std::copy_if(
            list.begin(), list.end(), std::back_inserter(tooLarge),
            [](const std::string& l) { return l.find("nie miesci") != std::string::npos; });
        EXPECT_EQ(tooLarge, c.lines) << c.job.key << " " << c.parts;
        // The list names each part, the last of them "<piece> k/k".
        const std::string last =
            result.outputs->pattern.pieces.front().cut.name + " " + c.parts + "/" + c.parts;
        EXPECT_EQ(std::string(c.parts) == "1" ||
                      std::any_of(list.begin(), list.end(),
                                  [&last](const std::string& l) { return l.starts_with(last); }),
                  true)
            << c.job.key << " " << c.parts;
    }
}

TEST(PieceParts, TheTransitionSplitsAlongItsFansIntoTwoToEightPartsOfAboutEqualArea) {
    struct Case {
        Job job;
        std::vector<int> splits; ///< the numbers of parts it splits into, of 2 to 9; the others
                                 ///< are refused
    };
    const std::vector<Case> cases{
        {{"koloprostokat", "", {}}, {2, 3, 4, 5, 6, 7, 8}},
        {{"koloprostokat", "", {{"A", "300"}, {"B", "1200"}, {"D", "900"}, {"H", "300"}}},
         {2, 3, 4, 5, 6, 7, 8}},
        // Round a rectangle of 10 x 10 the piece is its fans, of two slices each: eighths of it,
        // which make no third.
        {{"koloprostokat", "", {{"N", "2"}, {"A", "10"}, {"B", "10"}}}, {2, 4, 8}},
    };
    for (const Case& c : cases) {
        const CalculationOutputs outputs = outputsOf(c.job);
        const PieceDrawing piece = pieceDrawingsOf(outputs.pattern).front();
        const SplitPlan& plan = outputs.pattern.pieces.front().cut.split;
        const double whole = netArea(piece.piece);
        std::vector<int> splits;
        for (int parts = 2; parts <= 9; ++parts) {
            const SplitPiece split = splitPiece(piece, plan, parts);
            if (split.parts.size() == 1) {
                PlateSettings settings;
                settings.parts = parts;
                const auto refused =
                    forThePlate({CalculationResult::Status::Calculated, {}, outputs}, settings);
                EXPECT_EQ(refused.status, CalculationResult::Status::Refused) << parts;
                continue;
            }
            ASSERT_EQ(split.parts.size(), static_cast<std::size_t>(parts));
            splits.push_back(parts);
            double sum = 0.0;
            for (const PieceDrawing& part : split.parts) {
                const double area = netArea(part.piece);
                sum += area;
                EXPECT_NEAR(area, whole / parts, kEqualAreaTolerance * whole / parts)
                    << parts << " parts";
            }
            EXPECT_NEAR(sum, whole, 1e-6 * whole) << parts << " parts";
        }
        EXPECT_EQ(splits, c.splits);
        const auto problem = splitProblem(outputs.pattern, 9);
        ASSERT_TRUE(problem.has_value());
        std::string named;
        for (const int k : splits) {
            named += (named.empty() ? "" : ", ") + std::to_string(k);
        }
        EXPECT_EQ(*problem, "przejscie - nie dzieli sie na 9 czesci o zblizonej powierzchni ; " +
                                (named.empty() ? std::string("nie dzieli sie na czesci")
                                               : "dzieli sie na: " + named + " czesci"));
    }
}

} // namespace
} // namespace blachorys::core
