// A piece's name on a nested plate crosses no cut and leaves no plate, and says which part of
// which piece it names; the cutting table's caption stands inside the part it names.
#include "cases/calculators.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/geometry/polygonclipping.h"
#include "common/core/geometry/ring.h"
#include "common/core/plate/cutparts.h"
#include "common/core/plate/nesting.h"
#include "common/core/sheets/cncdrawing.h"
#include "common/core/sheets/nestingdrawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace blachorys::core {
namespace {

Ring ringOf(const RectMm& box) {
    return {{box.left, box.top},
            {box.right(), box.top},
            {box.right(), box.bottom()},
            {box.left, box.bottom()}};
}

/** The area of the box inside the outline, mm². */
double areaWithin(const RectMm& box, const std::vector<PatternPoint>& outline) {
    const auto outside = differenceOf({ringOf(box)}, {outline});
    EXPECT_TRUE(outside.has_value());
    double area = 0.0;
    for (const Ring& ring : outside.value_or(std::vector<Ring>{})) {
        area += ringArea(ring);
    }
    return box.width * box.height - area;
}

CalculationOutputs elbowInTwoParts() {
    const Calculator& elbow = *findCalculator("kolanosegm");
    CalculationOutputs outputs =
        elbow.calculate(exampleInputs(elbow.definition(), {"defaults", "", {}}), 0, "d")
            .outputs.value();
    outputs.split = splitPattern(outputs.pattern, 2);
    return outputs;
}

TEST(NestingLabels, TheElbowInTwoPartsIsNamedWithinItsPartsAndThePlate) {
    const CalculationOutputs outputs = elbowInTwoParts();
    const auto pieces = jobPiecesOf(outputs);
    const Nesting nesting = nestPieces(pieces, {1500, 3000}, kDefaultGapMm);
    const auto result = nestingDrawingOf(patternToCut(outputs), pieces, nesting);
    ASSERT_TRUE(result.drawing.has_value()) << result.problem;
    std::size_t named = 0;
    for (const NestedSheet& sheet : result.drawing->sheets) {
        ASSERT_EQ(sheet.texts.size(), sheet.pieces.size() + 1);
        for (std::size_t t = 0; t + 1 < sheet.texts.size(); ++t) {
            const CncText& text = sheet.texts[t];
            SCOPED_TRACE(text.text);
            const RectMm box = nestingLabelBox(text);
            EXPECT_GE(box.left, 0.0);
            EXPECT_GE(box.top, 0.0);
            EXPECT_LE(box.right(), 3000.0);
            EXPECT_LE(box.bottom(), 1500.0);
            // Each outline holds all of the box or none of it.
            for (const CncCut& cut : sheet.cuts) {
                const double within = areaWithin(box, cut.points);
                const double share = within / (box.width * box.height);
                EXPECT_TRUE(share < 1e-6 || share > 1 - 1e-6) << share;
            }
            ++named;
        }
    }
    EXPECT_EQ(named, static_cast<std::size_t>(2 * (2 + 4)));
    EXPECT_EQ(nestingLabelText(pieces.back().cut), "B (4 szt.) cz. 2/2");
}

TEST(NestingLabels, TheCuttingTablesCaptionsStandInsideTheirParts) {
    const CalculationOutputs outputs = elbowInTwoParts();
    const Pattern cut = patternToCut(outputs);
    const auto drawing = cncDrawingOf(cut, "").drawing.value();
    std::size_t captions = 0;
    for (const PatternCaption& caption : cut.captions) {
        const PatternPiece& piece = cut.pieces.at(static_cast<std::size_t>(caption.piece));
        const auto& outline = drawing.cuts.at(static_cast<std::size_t>(piece.outline)).points;
        for (const CncText& text : drawing.texts) {
            if (text.text != caption.text) {
                continue;
            }
            SCOPED_TRACE(text.text);
            const RectMm box = nestingLabelBox(text);
            EXPECT_NEAR(areaWithin(box, outline), box.width * box.height, 1e-3);
            ++captions;
        }
    }
    EXPECT_EQ(captions, cut.captions.size());
}

} // namespace
} // namespace blachorys::core
