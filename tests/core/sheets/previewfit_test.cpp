#include "common/core/calculator/outputdrawings.h"
#include "common/core/sheets/previewfit.h"

#include "cases/pipe_pipe/pipepipeoutputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

PreviewDrawing extent(PreviewOrientation orientation, double width, double height) {
    PreviewDrawing drawing;
    drawing.orientation = orientation;
    drawing.xMax = width;
    drawing.yMax = height;
    return drawing;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
    EXPECT_EQ(roundHalfEven(-0.4), 0);
    const PreviewFit fit{PreviewOrientation::Downwards, 0.5, 10, 20};
    EXPECT_EQ(fit.toPixel({5, 7}), (PixelPoint{12, 24})); // 2.5 → 2, 3.5 → 4
}

TEST(PreviewFit, DefaultTemplateIsLimitedByItsWidthAndCentred) {
    const PreviewDrawing drawing = previewOf(pipePipeOutputs(computePipePipe({}), "-"));
    const PreviewFit fit = fitPreview(800, 600, drawing);
    EXPECT_EQ(fit.orientation, PreviewOrientation::Downwards);
    // Sx = 0.9·800/942.48 = 0.7639 is below Sy = 0.9·600/506.35 = 1.0665.
    EXPECT_NEAR(fit.scale, 720 / (std::numbers::pi * 300), 1e-12);
    EXPECT_EQ(fit.offsetX, 40);
    EXPECT_EQ(fit.offsetY, 107); // (600 − 386.82) / 2 = 106.59
    EXPECT_EQ(fit.toPixel({0, 0}), (PixelPoint{40, 107}));
    EXPECT_EQ(fit.toPixel({std::numbers::pi * 300, drawing.yMax}), (PixelPoint{760, 494}));
    EXPECT_EQ(fit.readOut(40, 107), (PixelPoint{0, 0}));
    // Below the base line reads as negative Y, as in the DXF.
    EXPECT_EQ(fit.readOut(580, 494), (PixelPoint{707, -507}));
}

TEST(PreviewFit, ShellIsLimitedByItsHeightAndDrawnUpwards) {
    PipePipeInputs in;
    in.development = PipePipeDevelopment::LargerPipe;
    const PreviewFit fit =
        fitPreview(800, 600, previewOf(pipePipeOutputs(computePipePipe(in), "-")));
    EXPECT_EQ(fit.orientation, PreviewOrientation::Upwards);
    EXPECT_NEAR(fit.scale, 540 / (std::numbers::pi * 800), 1e-12);
    EXPECT_EQ(fit.offsetX, 293); // (800 − 214.86) / 2 = 292.57
    EXPECT_EQ(fit.offsetY, 570); // (600 + 540) / 2
    EXPECT_EQ(fit.toPixel({0, 0}), (PixelPoint{293, 570}));
    EXPECT_EQ(fit.toPixel({1000, std::numbers::pi * 800}), (PixelPoint{508, 30}));
    EXPECT_EQ(fit.toPixel({500, 400 * std::numbers::pi / 3}), (PixelPoint{400, 480}));
    EXPECT_EQ(fit.readOut(293, 570), (PixelPoint{0, 0}));
    // A pixel is 4.65 mm wide here: the read-out is the nearest whole millimetre of the pixel.
    EXPECT_EQ(fit.readOut(400, 480), (PixelPoint{498, 419}));
}

TEST(PreviewFit, VeryWidePatternIsCentredVertically) {
    const PreviewFit fit = fitPreview(800, 600, extent(PreviewOrientation::Downwards, 10000, 10));
    EXPECT_DOUBLE_EQ(fit.scale, 0.072);
    EXPECT_EQ(fit.offsetX, 40);
    EXPECT_EQ(fit.offsetY, 300); // (600 − 0.72) / 2 = 299.64
    const PreviewFit up = fitPreview(800, 600, extent(PreviewOrientation::Upwards, 10000, 10));
    EXPECT_EQ(up.offsetY, 300); // (600 + 0.72) / 2 = 300.36
}

TEST(PreviewFit, OffsetsRoundHalvesToEven) {
    // The width limits: the offset is 5 % of the image width.
    EXPECT_EQ(fitPreview(50, 1000, extent(PreviewOrientation::Downwards, 10, 1)).offsetX, 2);
    EXPECT_EQ(fitPreview(70, 1000, extent(PreviewOrientation::Downwards, 10, 1)).offsetX, 4);
}

TEST(PreviewFit, BoundingBoxIsCentredWithYUp) {
    PreviewDrawing drawing;
    drawing.orientation = PreviewOrientation::BoundingBox;
    drawing.xMin = -100;
    drawing.xMax = 100;
    drawing.yMin = -50;
    drawing.yMax = 50;
    const PreviewFit fit = fitPreview(400, 300, drawing);
    EXPECT_DOUBLE_EQ(fit.scale, 1.8);
    EXPECT_EQ(fit.toPixel({-100, -50}), (PixelPoint{20, 240}));
    EXPECT_EQ(fit.toPixel({100, 50}), (PixelPoint{380, 60}));
    EXPECT_EQ(fit.readOut(200, 150), (PixelPoint{0, 0}));
}

TEST(PreviewFit, TemplateBelowTheBaseLineFitsItsSegments) {
    PipePipeInputs in;
    in.H = 100; // every h negative, so hmax = 0
    const PreviewDrawing drawing = previewOf(pipePipeOutputs(computePipePipe(in), "-"));
    ASSERT_EQ(drawing.yMax, 0.0);
    const int width = 800;
    const int height = 600;
    const PreviewFit fit = fitPreview(width, height, drawing);
    ASSERT_TRUE(std::isfinite(fit.scale));
    ASSERT_GT(fit.scale, 0.0);
    int left = width, right = 0, top = height, bottom = 0;
    double lowestY = 0.0;
    for (const auto& segment : drawing.segments) {
        for (const PreviewPoint p : {segment.from, segment.to}) {
            const PixelPoint px = fit.toPixel(p);
            left = std::min(left, px.x);
            right = std::max(right, px.x);
            top = std::min(top, px.y);
            bottom = std::max(bottom, px.y);
            lowestY = std::min(lowestY, p.y);
        }
    }
    // The box of 942.48 × 296.9 mm is limited by its width, filling 90 %, centred both ways.
    EXPECT_NEAR(right - left, 720, 1);
    EXPECT_NEAR(left, width - right, 1);
    EXPECT_NEAR(top, height - bottom, 1);
    EXPECT_NEAR(fit.scale, 720 / (std::numbers::pi * 300), 1e-9);
    // Y grows downwards on screen: the base line (Y = 0) is the drawing's lowest edge.
    EXPECT_EQ(fit.toPixel({0, 0}).y, bottom);
    EXPECT_EQ(fit.toPixel({0, lowestY}).y, top);
}

TEST(PreviewFit, DrawingWithoutSizeUsesOnePixelPerMillimetre) {
    for (auto orientation : {PreviewOrientation::Downwards, PreviewOrientation::Upwards,
                             PreviewOrientation::BoundingBox}) {
        const PreviewFit empty = fitPreview(800, 600, extent(orientation, 0, 0));
        EXPECT_EQ(empty.scale, 1.0);
        EXPECT_EQ(empty.toPixel({0, 0}), (PixelPoint{400, 300}));
    }
    // A single vertical line has a height but no width: the height alone decides.
    PreviewDrawing line = extent(PreviewOrientation::Upwards, 0, 0);
    line.segments.push_back({PenRole::Edge, {5, 0}, {5, 100}});
    const PreviewFit fit = fitPreview(800, 600, line);
    EXPECT_DOUBLE_EQ(fit.scale, 5.4);
    EXPECT_EQ(fit.toPixel({5, 0}), (PixelPoint{400, 570}));
    EXPECT_EQ(fit.toPixel({5, 100}), (PixelPoint{400, 30}));
}

} // namespace
} // namespace blachorys::core
