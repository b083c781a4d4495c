#include "common/cnc/cncdxf.h"
#include "common/cnc/dxfmemorywriter.h"
#include "common/core/calculator/pointreport.h"
#include "common/core/pattern/patternchecks.h"
#include "common/core/pattern/patternlines.h"
#include "common/core/sheets/cncdrawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

double nearestGap(const std::vector<PatternPoint>& points) {
    double gap = HUGE_VAL;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const PatternPoint& a = points[k];
        const PatternPoint& b = points[(k + 1) % points.size()];
        gap = std::min(gap, std::hypot(b.x - a.x, b.y - a.y));
    }
    return gap;
}

// A sheet listed clockwise with a vertex doubled within 0.0005 mm, a hole listed anticlockwise
// whose last corner comes back onto its first, one generator, two marks.
Pattern sheetWithHole() {
    PatternBuilder b;
    const int sheet = b.newPiece({"arkusz"});
    b.polyline(LineRole::EndEdge, {{0, 0}, {0, 50}, {100, 50}, {100.0005, 50}, {100, 0}, {0, 0}},
               {sheet});
    const int hole = b.newHole();
    b.polyline(LineRole::HoleOutline, {{40, 20}, {60, 20}, {60, 30}, {40, 30}, {40, 20}}, {hole});
    b.line(LineRole::Generator, {50, 0}, {50, 50});
    b.mark({0, 0}, "0");
    b.mark({100, 0}, "1");
    return std::move(b).finish();
}

TEST(CncDrawing, PiecesTurnAnticlockwiseHolesClockwiseAndNoVertexIsDoubled) {
    const CncDrawingResult result = cncDrawingOf(sheetWithHole(), "TYTUL");
    ASSERT_TRUE(result.drawing) << result.problem;
    const CncDrawing& d = *result.drawing;
    ASSERT_EQ(d.cuts.size(), 2u);
    struct Row {
        OutlineKind kind;
        std::size_t vertices;
        double twiceArea;
    };
    const Row rows[] = {{OutlineKind::Piece, 4, 2 * 5000.0}, {OutlineKind::Hole, 4, -2 * 200.0}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d.cuts[i].kind, rows[i].kind);
        EXPECT_EQ(d.cuts[i].points.size(), rows[i].vertices);
        EXPECT_NEAR(twiceSignedArea(d.cuts[i].points), rows[i].twiceArea, 0.05);
        EXPECT_GE(nearestGap(d.cuts[i].points), kCncVertexGapMm);
    }
    ASSERT_EQ(d.markings.size(), 1u);
    EXPECT_EQ(d.markings[0].from, (PatternPoint{50 + d.shift.x, d.shift.y}));
    // Both numbers, then the title under the sheet; the extent holds the title.
    ASSERT_EQ(d.texts.size(), 3u);
    EXPECT_EQ(d.texts[2].text, "TYTUL");
    EXPECT_LT(d.extentMin.y, d.texts[2].at.y + 1e-9);
    EXPECT_LT(d.texts[2].at.y, d.shift.y);
    // Moved to begin a margin from the origin, the view from the origin to a margin past it.
    const double size = std::max(d.extentMax.x - d.extentMin.x, d.extentMax.y - d.extentMin.y);
    EXPECT_NEAR(d.extentMin.x, kCncViewMarginPerSize * size, 1e-9);
    EXPECT_NEAR(d.extentMin.y, kCncViewMarginPerSize * size, 1e-9);
    EXPECT_NEAR(d.viewSize.x, d.extentMax.x + d.extentMin.x, 1e-9);
    EXPECT_NEAR(d.viewSize.y, d.extentMax.y + d.extentMin.y, 1e-9);
    EXPECT_EQ(d.cuts[0].points[0].x - d.shift.x, 0.0);
}

TEST(CncDrawing, AnOutlineThatDoesNotCloseIsTheCalculationsFault) {
    // Refused before any output is made, so that no file can draw it otherwise than another.
    PatternBuilder b;
    const int open = b.newPiece({"arkusz"});
    b.polyline(LineRole::EndEdge, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {open});
    EXPECT_EQ(patternFault(std::move(b).finish()), kOutlineOpenMessage);
}

TEST(CncDrawing, APieceLongerThanTheLargestPlateIsRefusedByItsSize) {
    struct Row {
        const char* name;
        std::vector<PatternPoint> corners; ///< of each rectangular piece: its far corner
        std::string problem;               ///< empty: drawn
    };
    const std::string past = " nie miesci sie na zadnym arkuszu (najwiekszy 100000 x 100000)";
    const Row rows[] = {
        {"as long as the largest plate", {{100000, 500}}, ""},
        {"a hair longer", {{100000.5, 500}}, "element 100000.5 x 500.0" + past},
        {"standing, twice as tall", {{500, 200000}}, "element 500.0 x 200000.0" + past},
        // Parts of a piece that fit one plate each are drawn, however long their row is.
        {"two pieces of 80 m side by side", {{80000, 500}, {80000, 500}}, ""},
        {"a piece past it after one within it",
         {{1000, 500}, {150000, 2000}},
         "element 150000.0 x 2000.0" + past},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PatternBuilder b;
        double x = 0.0;
        for (const PatternPoint far : row.corners) {
            const int piece = b.newPiece({"element"});
            b.polyline(LineRole::EndEdge,
                       {{x, 0}, {x + far.x, 0}, {x + far.x, far.y}, {x, far.y}, {x, 0}}, {piece});
            x += far.x + 20.0;
        }
        const CncDrawingResult result = cncDrawingOf(std::move(b).finish(), "TYTUL");
        EXPECT_EQ(result.problem, row.problem);
        EXPECT_EQ(result.drawing.has_value(), row.problem.empty());
    }
}

TEST(CncDrawing, TitleNamesTheHeadingTheInputsAndTheDate) {
    const PointReport report = makePointReport({.title = "Rozwiniecie STOZKA",
                                                .inputLines = {"Dsm = 1.0 [mm]", "N = 24 [-]"},
                                                .wallLines = {"t = 5.0 [mm]"}},
                                               {}, {}, "8-12-2026");
    EXPECT_EQ(cncTitleLine("STOZEK", report),
              "STOZEK ; Dsm = 1.0 [mm] ; N = 24 [-] ; t = 5.0 [mm] ; Obliczenia wykonano w dniu : "
              "8-12-2026 programem - Blachorys");
}

TEST(CncDxf, TextsAndNumbersAsTheFileKeepsThem) {
    const std::pair<std::string, std::string> texts[] = {
        {"BETA = 90.0 [\xC2\xB0]", "BETA = 90.0 [\\U+00B0]"},
        {"a\tb", "a?b"},
        {"\xC5\x9B\xFF", "\\U+015B\\U+FFFD"},
        // Typographic dashes, quotes and spaces as every reader's font has them.
        {"A \xE2\x80\x93 2 szt.", "A - 2 szt."},
        {"\xE2\x80\x9Ez\xE2\x80\x9D\xC2\xA0\xE2\x88\x92"
         "5\xE2\x80\xA6",
         "\"z\" -5..."},
    };
    for (const auto& [text, kept] : texts) {
        EXPECT_EQ(cnc::dxfText(text), kept) << text;
    }
    const std::pair<double, std::string> reals[] = {
        {12.5, "12.5"}, {-0.0000001, "0.0"}, {1e7, "10000000.0"}, {0.1234567, "0.123457"}};
    for (const auto& [value, kept] : reals) {
        EXPECT_EQ(cnc::dxfRealText(value), kept) << value;
    }
}

} // namespace
} // namespace blachorys::core
