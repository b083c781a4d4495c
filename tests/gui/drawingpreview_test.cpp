#include "cases/pipe_pipe/pipepipecase.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/gui/drawingpreview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace blachorys::gui {
namespace {

using core::PenRole;
using core::PreviewDrawing;

constexpr std::size_t kSmaller = 0;
constexpr std::size_t kLarger = 1;

PreviewDrawing pipePipeDefaults(std::size_t development) {
    const core::Calculator& calculator = core::pipePipeCalculator();
    std::vector<std::string> texts;
    for (const auto& field : calculator.definition().fields) {
        texts.push_back(field.defaultText);
    }
    const auto result = calculator.calculate(texts, development, "08-12-2026");
    EXPECT_EQ(result.status, core::CalculationResult::Status::Calculated);
    return result.outputs ? core::previewOf(*result.outputs) : PreviewDrawing{};
}

struct PixelBox {
    int left = 0;
    int right = -1;
    int top = 0;
    int bottom = -1;
    bool empty() const { return right < left; }
};

PixelBox nonWhiteBox(const QImage& image) {
    PixelBox box{image.width(), -1, image.height(), -1};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

QRgb rgbOf(PenRole role) {
    const auto colour = core::penFor(role).colour;
    return qRgb(colour.red, colour.green, colour.blue);
}

/** The image pixel halfway along a segment, as the window maps it. */
QPoint midPixel(const DrawingPreview& preview, const core::PreviewSegment& segment) {
    const auto from = preview.fit().toPixel(segment.from);
    const auto to = preview.fit().toPixel(segment.to);
    return {(from.x + to.x) / 2, (from.y + to.y) / 2};
}

std::vector<core::PreviewSegment> segmentsOf(const PreviewDrawing& drawing, PenRole role) {
    std::vector<core::PreviewSegment> found;
    for (const auto& segment : drawing.segments) {
        if (segment.pen == role) {
            found.push_back(segment);
        }
    }
    return found;
}

QImage builtImage(const PreviewDrawing& drawing) {
    DrawingPreview preview(QStringLiteral("TWynikiRysunek"), QStringLiteral("Podglad"));
    preview.setDrawing(drawing);
    preview.rebuild();
    return preview.image();
}

TEST(DrawingPreview, OkClosesTheWindow) {
    DrawingPreview preview(QStringLiteral("TWynikiRysunek"), QStringLiteral("Podglad"));
    preview.setDrawing(pipePipeDefaults(kSmaller));
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    auto* ok = preview.findChild<QPushButton*>(QStringLiteral("ButtonOK"));
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(preview.isVisible());
}

TEST(DrawingPreview, ImageIsBuiltOnShowAndActivationAndReleasedOnClose) {
    DrawingPreview preview(QStringLiteral("TWynikiRysunek"), QStringLiteral("Podglad"));
    preview.setDrawing(pipePipeDefaults(kSmaller));
    EXPECT_TRUE(preview.image().isNull());

    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_EQ(preview.image().size(), QSize(481, 344));
    EXPECT_EQ(preview.image(), builtImage(pipePipeDefaults(kSmaller)));

    // A new calculation while the window is open shows at its next activation.
    preview.setDrawing(pipePipeDefaults(kLarger));
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&preview, &activate);
    EXPECT_EQ(preview.image(), builtImage(pipePipeDefaults(kLarger)));

    preview.close();
    EXPECT_TRUE(preview.image().isNull());
    preview.show();
    EXPECT_EQ(preview.image(), builtImage(pipePipeDefaults(kLarger)));
}

TEST(DrawingPreview, RebuildStartsFromAWhiteImageEachTime) {
    DrawingPreview preview(QStringLiteral("TWynikiRysunek"), QStringLiteral("Podglad"));
    preview.setDrawing(pipePipeDefaults(kSmaller));
    preview.rebuild();
    const QImage first = preview.image();
    preview.rebuild();
    EXPECT_EQ(preview.image(), first);

    // Nothing of the template may remain under the shell drawn after it.
    preview.setDrawing(pipePipeDefaults(kLarger));
    preview.rebuild();
    EXPECT_NE(preview.image(), first);
    EXPECT_EQ(preview.image(), builtImage(pipePipeDefaults(kLarger)));
}

TEST(DrawingPreview, DefaultTemplateIsCentredInTheDrawingArea) {
    const QImage image = builtImage(pipePipeDefaults(kSmaller));
    const PixelBox box = nonWhiteBox(image);
    ASSERT_FALSE(box.empty());
    EXPECT_LE(std::abs(box.left - (image.width() - 1 - box.right)), 2)
        << "columns " << box.left << ".." << box.right;
    EXPECT_LE(std::abs(box.top - (image.height() - 1 - box.bottom)), 2)
        << "rows " << box.top << ".." << box.bottom;
    // Width π·300 = 942.48 mm and height 506.4 mm fill 90 % of the width, the narrower fit.
    EXPECT_NEAR(box.right - box.left, 0.9 * 481, 3);
    EXPECT_LT(box.bottom - box.top, 0.9 * 344);
}

TEST(DrawingPreview, TemplateLinesHaveTheirRolesColours) {
    const PreviewDrawing drawing = pipePipeDefaults(kSmaller);
    DrawingPreview preview(QStringLiteral("TWynikiRysunek"), QStringLiteral("Podglad"));
    preview.setDrawing(drawing);
    preview.rebuild();
    const QImage image = preview.image();

    const auto generators = segmentsOf(drawing, PenRole::Generator);
    ASSERT_EQ(generators.size(), 23u);
    for (const auto& generator : generators) {
        const QPoint p = midPixel(preview, generator);
        EXPECT_EQ(image.pixel(p), qRgb(255, 0, 0)) << "generator at " << p.x() << "," << p.y();
    }
    // Curve pixels halfway between generators, where nothing is drawn over them.
    const auto curve = segmentsOf(drawing, PenRole::Curve);
    ASSERT_EQ(curve.size(), 24u);
    for (const auto& segment : curve) {
        const QPoint p = midPixel(preview, segment);
        EXPECT_EQ(image.pixel(p), qRgb(24, 228, 3)) << "curve at " << p.x() << "," << p.y();
    }
    const auto seams = segmentsOf(drawing, PenRole::SeamEdge);
    ASSERT_EQ(seams.size(), 2u);
    for (const auto& seam : seams) {
        EXPECT_EQ(image.pixel(midPixel(preview, seam)), rgbOf(PenRole::SeamEdge));
    }
    // The base line, between the seam and the first generator.
    ASSERT_EQ(segmentsOf(drawing, PenRole::Edge).size(), 1u);
    const auto base = preview.fit().toPixel({generators[0].from.x / 2.0, 0.0});
    EXPECT_EQ(image.pixel(base.x, base.y), qRgb(0, 0, 0));

    // Aliased drawing: every pixel is white or exactly one of the pens.
    const std::vector<QRgb> allowed{qRgb(255, 255, 255), rgbOf(PenRole::SeamEdge),
                                    rgbOf(PenRole::Curve), rgbOf(PenRole::Edge),
                                    rgbOf(PenRole::Generator)};
    int strays = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (std::find(allowed.begin(), allowed.end(), image.pixel(x, y)) == allowed.end()) {
                ++strays;
            }
        }
    }
    EXPECT_EQ(strays, 0);
}

TEST(DrawingPreview, ShellHoleLiesInsideTheSheet) {
    const PreviewDrawing drawing = pipePipeDefaults(kLarger);
    DrawingPreview preview(QStringLiteral("TWynikiRysunek"), QStringLiteral("Podglad"));
    preview.setDrawing(drawing);
    preview.rebuild();
    const QImage image = preview.image();

    // The sheet is Y up: (0, 0) is its lower left corner, π·Dd its top.
    const auto lowerLeft = preview.fit().toPixel({0.0, 0.0});
    const auto upperRight = preview.fit().toPixel({drawing.xMax, drawing.yMax});
    EXPECT_LT(upperRight.y, lowerLeft.y);
    EXPECT_LT(lowerLeft.x, upperRight.x);
    const auto curve = segmentsOf(drawing, PenRole::Curve);
    ASSERT_GT(curve.size(), 2u);
    // The last curve segment is the sheet's start edge; the others outline the hole.
    for (std::size_t i = 0; i + 1 < curve.size(); ++i) {
        const QPoint p = midPixel(preview, curve[i]);
        EXPECT_EQ(image.pixel(p), qRgb(24, 228, 3));
        EXPECT_GT(p.x(), lowerLeft.x + 2);
        EXPECT_LT(p.x(), upperRight.x - 2);
        EXPECT_GT(p.y(), upperRight.y + 2);
        EXPECT_LT(p.y(), lowerLeft.y - 2);
    }
    const int midX = (lowerLeft.x + upperRight.x) / 2;
    const int midY = (lowerLeft.y + upperRight.y) / 2;
    EXPECT_EQ(image.pixel(midX, upperRight.y), rgbOf(PenRole::SeamEdge));
    EXPECT_EQ(image.pixel(midX, lowerLeft.y), rgbOf(PenRole::SeamEdge));
    EXPECT_EQ(image.pixel(upperRight.x, midY), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(lowerLeft.x, midY), rgbOf(PenRole::Curve));
}

TEST(DrawingPreview, MouseReadOutIsInWholeMillimetresAndClearedWithEachNewPicture) {
    const PreviewDrawing drawing = pipePipeDefaults(kSmaller);
    DrawingPreview preview(QStringLiteral("TWynikiRysunek"), QStringLiteral("Podglad"));
    preview.setDrawing(drawing);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    auto* labelX = preview.findChild<QLabel*>(QStringLiteral("LabelX"));
    auto* labelY = preview.findChild<QLabel*>(QStringLiteral("LabelY"));
    ASSERT_NE(labelX, nullptr);
    ASSERT_NE(labelY, nullptr);

    // The template's far lower corner: X = π·Dm, and Y reads upwards, so below the base
    // line it is negative. One pixel is about 2.2 mm here.
    const auto corner = preview.fit().toPixel({drawing.xMax, drawing.yMax});
    QTest::mouseMove(&preview, QPoint(corner.x, corner.y));
    bool xIsNumber = false;
    bool yIsNumber = false;
    EXPECT_NEAR(labelX->text().toInt(&xIsNumber), 942, 3);
    EXPECT_NEAR(labelY->text().toInt(&yIsNumber), -506, 3);
    EXPECT_TRUE(xIsNumber);
    EXPECT_TRUE(yIsNumber);

    const auto origin = preview.fit().toPixel({0.0, 0.0});
    QTest::mouseMove(&preview, QPoint(origin.x, origin.y));
    EXPECT_EQ(labelX->text(), "0");
    EXPECT_EQ(labelY->text(), "0");

    // The next showing draws the picture anew: no read-out of the last one stays behind.
    QTest::mouseMove(&preview, QPoint(corner.x, corner.y));
    ASSERT_FALSE(labelX->text().isEmpty());
    preview.hide();
    preview.setDrawing(pipePipeDefaults(kLarger));
    preview.show();
    EXPECT_EQ(labelX->text(), "");
    EXPECT_EQ(labelY->text(), "");
    QTest::mouseMove(&preview, QPoint(origin.x + 1, origin.y));
    EXPECT_FALSE(labelX->text().isEmpty());
}

TEST(DrawingPreview, TemplateWithNoHeightAboveTheBaseLineIsStillDrawn) {
    // Every h negative: the pattern lies above its base line and hmax is 0.
    PreviewDrawing drawing;
    drawing.orientation = core::PreviewOrientation::Downwards;
    drawing.xMax = 300.0;
    drawing.yMax = 0.0;
    drawing.segments = {{PenRole::SeamEdge, {0.0, 0.0}, {0.0, -40.0}},
                        {PenRole::Curve, {0.0, -40.0}, {150.0, -90.0}},
                        {PenRole::Curve, {150.0, -90.0}, {300.0, -40.0}},
                        {PenRole::SeamEdge, {300.0, -40.0}, {300.0, 0.0}},
                        {PenRole::Edge, {300.0, 0.0}, {0.0, 0.0}}};

    const QImage image = builtImage(drawing);
    const PixelBox box = nonWhiteBox(image);
    ASSERT_FALSE(box.empty());
    EXPECT_GT(box.left, 0);
    EXPECT_LT(box.right, image.width() - 1);
    EXPECT_GT(box.top, 0);
    EXPECT_LT(box.bottom, image.height() - 1);
    EXPECT_LE(std::abs(box.left - (image.width() - 1 - box.right)), 2);
    EXPECT_LE(std::abs(box.top - (image.height() - 1 - box.bottom)), 2);
}

TEST(DrawingPreview, ACentreLineIsBlueDashDotAndOnePixelWide) {
    const core::PreviewPen pen = core::penFor(PenRole::CentreLine);
    EXPECT_EQ(pen.colour, (core::Rgb{0, 0, 255}));
    EXPECT_EQ(pen.width, 1);
    EXPECT_EQ(pen.style, core::PenStyle::DashDot);
    EXPECT_EQ(core::penFor(PenRole::Generator).style, core::PenStyle::Solid);

    PreviewDrawing drawing;
    drawing.orientation = core::PreviewOrientation::BoundingBox;
    drawing.xMax = 400.0;
    drawing.yMin = -100.0;
    drawing.yMax = 100.0;
    drawing.segments.push_back({PenRole::CentreLine, {0.0, 0.0}, {400.0, 0.0}});
    DrawingPreview preview(QStringLiteral("TWynikiRysunek"), QStringLiteral("Podglad"));
    preview.setDrawing(drawing);
    preview.rebuild();
    const QImage image = preview.image();
    const auto from = preview.fit().toPixel({0.0, 0.0});
    const auto to = preview.fit().toPixel({400.0, 0.0});
    ASSERT_EQ(from.y, to.y);
    // Along the line: dashes and dots of blue with white gaps between them.
    int blue = 0;
    int gaps = 0;
    bool inGap = false;
    for (int x = from.x; x <= to.x; ++x) {
        const QRgb pixel = image.pixel(x, from.y);
        EXPECT_TRUE(pixel == qRgb(0, 0, 255) || pixel == qRgb(255, 255, 255)) << x;
        blue += pixel == qRgb(0, 0, 255) ? 1 : 0;
        gaps += (pixel == qRgb(255, 255, 255) && !inGap) ? 1 : 0;
        inGap = pixel == qRgb(255, 255, 255);
    }
    EXPECT_GT(blue, (to.x - from.x) / 2);
    EXPECT_GT(gaps, 10);
    const PixelBox box = nonWhiteBox(image);
    EXPECT_EQ(box.top, from.y);
    EXPECT_EQ(box.bottom, from.y);
}

TEST(DrawingPreview, EmptyDrawingGivesAWhiteImage) {
    const QImage image = builtImage(PreviewDrawing{});
    EXPECT_EQ(image.size(), QSize(481, 344));
    EXPECT_TRUE(nonWhiteBox(image).empty());
}

} // namespace
} // namespace blachorys::gui
