// The material list: which pieces a job cuts, how many, their flat area and mass, against
// figures worked out from the surfaces, not from the patterns.
#include "cases/calculators.h"
#include "common/core/base/numbertext.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/plate/materiallist.h"
#include "common/core/plate/platematerial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace blachorys::core {
namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

CalculationOutputs outputsOf(const std::string& key, const Texts& texts,
                             const std::string& development = "") {
    const Calculator& calculator = *findCalculator(key);
    const auto& definition = calculator.definition();
    CalculatorInputs inputs = exampleInputs(definition, {"test", development, texts});
    const CalculationResult result =
        calculator.calculate(inputs, developmentIndex(definition, development).value(), "d");
    EXPECT_EQ(result.status, CalculationResult::Status::Calculated) << key;
    return result.outputs.value_or(CalculationOutputs{});
}

/** ∫ f over [a, b] by Simpson's rule on `n` (even) intervals. */
template <typename F> double integral(F f, double a, double b, int n = 20000) {
    const double h = (b - a) / n;
    double sum = f(a) + f(b);
    for (int i = 1; i < n; ++i) {
        sum += f(a + i * h) * (i % 2 == 1 ? 4.0 : 2.0);
    }
    return sum * h / 3.0;
}

TEST(MaterialList, ConeSectorHasTheFrustumsLateralArea) {
    const double r = 300.0;
    const double R = 400.0;
    const double H = 1000.0;
    const auto pieces = jobPiecesOf(outputsOf(
        "stozek", {{"Dsm", "600"}, {"Dsd", "800"}, {"Hs", "1000"}, {"E", "0"}, {"alfa", "0"}}));
    ASSERT_EQ(pieces.size(), 1U);
    const double lateral = std::numbers::pi * (r + R) * std::hypot(H, R - r);
    EXPECT_NEAR(netArea(pieces[0].flat), lateral, 1e-3 * lateral);
}

TEST(MaterialList, ShellSheetLosesTheAreaTheBranchCutsFromTheCylinder) {
    const double r = 150.0;
    const double R = 400.0;
    const double Ld = 1000.0;
    const auto pieces = jobPiecesOf(outputsOf(
        "rurarura", {{"Dm", "300"}, {"Dd", "800"}, {"P", "0"}, {"Beta", "90"}}, "wieksza"));
    ASSERT_EQ(pieces.size(), 1U);
    ASSERT_EQ(pieces[0].flat.holes.size(), 1U);
    // The shell's surface within the branch: at angle θ round the shell, the branch spans
    // 2·√(r² − R² sin² θ) along its axis.
    const double edge = std::asin(r / R);
    const double hole = integral(
        [&](double theta) {
            return 2 * R *
                   std::sqrt(std::max(0.0, r * r - R * R * std::sin(theta) * std::sin(theta)));
        },
        -edge, edge);
    const double lateral = 2 * std::numbers::pi * R * Ld - hole;
    EXPECT_NEAR(netArea(pieces[0].flat), lateral, 1e-3 * lateral);
    EXPECT_NEAR(std::fabs(ringArea(pieces[0].flat.holes[0].points)), hole, 1e-3 * hole);
}

TEST(MaterialList, ElbowCutsTwoEndStripsAndTheRestMiddleOnes) {
    const auto outputs = outputsOf("kolanosegm", {{"Ns", "7"}, {"t", "2"}});
    const auto pieces = jobPiecesOf(outputs);
    ASSERT_EQ(pieces.size(), 2U);
    EXPECT_EQ(pieces[0].cut.count, 2);
    EXPECT_EQ(pieces[1].cut.count, 5);
    // B is two of A's cuts back to back: twice its area.
    EXPECT_NEAR(netArea(pieces[1].flat), 2 * netArea(pieces[0].flat),
                1e-6 * netArea(pieces[1].flat));
    const Material steel{"stal", 7.85};
    EXPECT_NEAR(pieceMass(pieces[0], steel), netArea(pieces[0].flat) * 2.0 * 7.85e-6, 1e-9);
    const auto lines = materialListLines(pieces, {}, std::nullopt);
    const double total = 2 * pieceMass(pieces[0], steel) + 5 * pieceMass(pieces[1], steel);
    EXPECT_EQ(lines.back(), "Masa calkowita : " + formatFixed(total, 2) + " kg");
}

TEST(MaterialList, AnAreaBeyondAnyNumberIsNotListed) {
    CalculationOutputs outputs;
    outputs.pattern.pieces = {{{"plaszcz", 1, 2.0}, 0, {}}};
    outputs.pattern.outlines = {OutlineKind::Piece};
    const double far = 1e200;
    outputs.pattern.exactContours = {{OutlineKind::Piece,
                                      {{0, 0}, {far, 0}, {far, far}, {0, far}},
                                      std::vector<LineRole>(4, LineRole::EndEdge)}};
    addMaterialList(outputs, {});
    ASSERT_EQ(outputs.report.materialList.size(), 2U);
    EXPECT_EQ(outputs.report.materialList[1],
              "ZESTAWIENIE MATERIALU : wymiary poza zakresem liczb");
}

/** Every field a wall choice depends on is a plate thickness. */
std::vector<std::string> thicknessFields(const CalculatorDefinition& definition) {
    std::vector<std::string> names;
    for (const auto& selector : definition.selectors) {
        for (const auto& name : selector.activeWhenNonZero) {
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    return names;
}

TEST(MaterialList, OnlyAPlateThicknessAddsTheList) {
    for (const Calculator* calculator : calculators()) {
        const auto& definition = calculator->definition();
        for (std::size_t d = 0; d < std::max<std::size_t>(1, definition.developments.size()); ++d) {
            const std::string development =
                definition.developments.empty() ? "" : definition.developments[d].key;
            CalculationOutputs plain = outputsOf(definition.key, {}, development);
            const auto before = plain.report.allLines();
            addMaterialList(plain, {});
            EXPECT_EQ(plain.report.allLines(), before) << definition.key << ' ' << development;
            for (const std::string& name : thicknessFields(definition)) {
                CalculationOutputs thick = outputsOf(definition.key, {{name, "2"}}, development);
                const auto pieces = jobPiecesOf(thick);
                addMaterialList(thick, {});
                const bool cutFromIt = largestThickness(pieces) > 0.0;
                EXPECT_EQ(thick.report.materialList.empty(), !cutFromIt)
                    << definition.key << ' ' << development << ' ' << name;
            }
        }
    }
}

TEST(MaterialList, EachJointsPieceHasTheThicknessOfThePartItIsCutFrom) {
    // Two walls of different thickness, so a piece given the other part's wall shows.
    const struct {
        const char* key;
        const char* development;
        Texts walls;
        double thickness;
    } cases[] = {
        {"rurarura", "mniejsza", {{"tm", "8"}, {"td", "10"}}, 8.0},
        {"rurarura", "wieksza", {{"tm", "8"}, {"td", "10"}}, 10.0},
        {"rurastozek", "rura", {{"tr", "8"}, {"ts", "10"}}, 8.0},
        {"rurastozek", "stozek", {{"tr", "8"}, {"ts", "10"}}, 10.0},
        {"stozekrura", "stozek", {{"ts", "10"}, {"tr", "8"}}, 10.0},
        {"stozekrura", "rura", {{"ts", "10"}, {"tr", "8"}}, 8.0},
    };
    for (const auto& c : cases) {
        const CalculationOutputs outputs = outputsOf(c.key, c.walls, c.development);
        ASSERT_EQ(outputs.pattern.pieces.size(), 1U) << c.key << ' ' << c.development;
        EXPECT_EQ(outputs.pattern.pieces[0].cut.thickness, c.thickness)
            << c.key << ' ' << c.development;
    }
}

/** The words of a line, split at runs of spaces. */
std::vector<std::string> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream stream(line);
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

TEST(MaterialList, EveryColumnStandsApartHoweverLargeItsNumber) {
    struct Row {
        std::string name;
        double side; ///< of a square piece, mm
        double thickness;
        int count;
    };
    const Row rows[] = {
        {"A", 1000.0, 3.0, 2},
        {"plaszcz z otworem na odgalezienie", 2500.0, 12.0, 1},
        {"stozek", 5e6, 0.5, 1},         // 25 km2: the area's column is full
        {"B", 2.8e7, 3.0, 7},            // the mass's column too
        {"stozek 1/7", 6.5e10, 10.8, 1}, // every column past its width
        {"C", 1e15, 20.0, 99999},
    };
    const Material steel;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const double s = row.side;
        JobPiece piece{{row.name, row.count, row.thickness, {}},
                       {{OutlineKind::Piece, {{0, 0}, {s, 0}, {s, s}, {0, s}}, {}, true}, {}}};
        const auto lines = materialListLines({piece}, {}, std::nullopt);
        ASSERT_GE(lines.size(), 4U);
        const std::vector<std::string> words = wordsOf(lines[3]);
        const std::size_t nameWords = wordsOf(row.name).size();
        ASSERT_EQ(words.size(), nameWords + 5) << lines[3];
        const double area = s * s;
        const double mass = area * row.thickness * steel.density / 1e6;
        const double expected[] = {static_cast<double>(row.count), row.thickness, area / 1e6, mass,
                                   mass * row.count};
        for (std::size_t k = 0; k < 5; ++k) {
            const double read = std::stod(words[nameWords + k]);
            EXPECT_NEAR(read, expected[k], 1e-8 * expected[k] + 0.01) << lines[3];
        }
        // Numbers that fit their columns keep the list's widths.
        if (s <= 2500.0) {
            EXPECT_EQ(characterCount(lines[3]), std::max(16, characterCount(row.name)) + 48)
                << lines[3];
        }
    }
}

TEST(PlateMaterial, ReadsWhatTheWindowAndTheCommandLineType) {
    const struct {
        const char* text;
        std::optional<Plate> plate;
    } plates[] = {
        {"1500x3000", Plate{1500, 3000}},
        {"3000 X 1500", Plate{1500, 3000}},
        {"1250,5*2500", Plate{1250.5, 2500}},
        {"1000 \xC3\x97 2000", Plate{1000, 2000}},
        {"1500", std::nullopt},
        {"0x3000", std::nullopt},
        {"1x2x3", std::nullopt},
        {"200000x3000", std::nullopt},
    };
    for (const auto& row : plates) {
        EXPECT_EQ(parsePlate(row.text), row.plate) << row.text;
    }
    EXPECT_EQ(plateText({1250.5, 2500}), "1250.5 x 2500");
    const struct {
        const char* text;
        std::optional<double> density;
    } materials[] = {
        {"steel", 7.85}, {"stal nierdzewna", 7.9}, {"Aluminium", 2.7},       {"7,2 kg/dm3", 7.2},
        {"8", 8.0},      {"0", std::nullopt},      {"drewno", std::nullopt}, {"31", std::nullopt},
    };
    for (const auto& row : materials) {
        const auto material = parseMaterial(row.text);
        ASSERT_EQ(material.has_value(), row.density.has_value()) << row.text;
        if (material) {
            EXPECT_DOUBLE_EQ(material->density, *row.density) << row.text;
        }
    }
}

} // namespace
} // namespace blachorys::core
