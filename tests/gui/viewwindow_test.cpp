// The 3-D view of every calculator: its window beside the calculator's, the image it paints.
#include "cases/calculators.h"
#include "common/core/view3d/jointfit.h"
#include "common/gui/viewwidget.h"
#include "common/gui/viewwindow.h"
#include "common/render/viewpainter.h"
#include "support/calculatorfixture.h"
#include "support/calculatorprinter.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace blachorys::test {
namespace {

using Kind = Prompt::Kind;
constexpr double kPi = std::numbers::pi;

class ViewWindowTest : public GuiFixture,
                       public ::testing::WithParamInterface<const core::Calculator*> {
protected:
    ViewWindowTest() : m_window(*GetParam(), context()) {
        m_activeCalculator = &m_window;
        m_window.show();
        m_window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    QString name(const char* role) const {
        return QString::fromStdString(GetParam()->definition().window.components.outputPrefix) +
               role;
    }
    void calculate() {
        clickEnabled(m_window, QString::fromStdString(
                                   GetParam()->definition().window.components.calculateButton));
    }
    gui::ViewWindow* openView() {
        calculate();
        clickEnabled(m_window, name("Widok3D"));
        return child<gui::ViewWindow>(m_window, QStringLiteral("TWidok3D"));
    }

    gui::CalculatorWindow m_window;
};

// The view opens as a window of its own beside the calculator's, modeless, with the fit in its
// status line: red, with the place, only past a tenth of a millimetre.
TEST_P(ViewWindowTest, OpensBesideTheCalculatorAndSaysTheFit) {
    gui::ViewWindow* view = openView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible() && view->isWindow() && !view->isModal());
    EXPECT_EQ(view->windowTitle(),
              QStringLiteral("Widok 3D - ") +
                  QString::fromStdString(GetParam()->definition().window.caption));
    const QString status = view->statusText();
    ASSERT_TRUE(status.startsWith(QStringLiteral("Największa szczelina złącza: ")))
        << status.toStdString();
    const double gap = status.section(u' ', 3, 3).toDouble();
    const bool red =
        child<QLabel>(*view, QStringLiteral("WidokSzczelina"))->styleSheet().contains(u"200, 0, 0");
    EXPECT_EQ(red, gap > core::kGapShownRed) << status.toStdString();
    EXPECT_EQ(status.contains(QStringLiteral("przy punkcie")), red);
    EXPECT_TRUE(m_prompts.prompts().empty());
    std::printf("[view] %s: %s\n", GetParam()->definition().key.c_str(),
                status.toStdString().c_str());
}

// Keys 1 to 4 turn it to the front, side, top and isometric views; a drag turns it, the wheel
// zooms it; a change of the inputs says the view is outdated, and "Licz" shows the new
// calculation at the turn the view has.
TEST_P(ViewWindowTest, TurnsAsToldAndKeepsItsTurnWhenCalculatedAgain) {
    gui::ViewWindow* view = openView();
    ASSERT_NE(view, nullptr);
    gui::ViewWidget* drawing = view->view();
    QTest::keyClick(view, Qt::Key_3);
    EXPECT_NEAR(drawing->camera().elevation, kPi / 2, 1e-12);
    QTest::keyClick(view, Qt::Key_2);
    EXPECT_NEAR(drawing->camera().azimuth, kPi / 2, 1e-12);
    EXPECT_NEAR(drawing->camera().elevation, 0.0, 1e-12);
    clickEnabled(*view, QStringLiteral("WidokIzometria"));
    const double azimuth = drawing->camera().azimuth;
    const QPoint middle = drawing->rect().center();
    QTest::mousePress(drawing, Qt::LeftButton, {}, middle);
    QTest::mouseMove(drawing, middle + QPoint(120, 0));
    QTest::mouseRelease(drawing, Qt::LeftButton, {}, middle + QPoint(120, 0));
    EXPECT_LT(drawing->camera().azimuth, azimuth);
    const double scale = drawing->camera().scale;
    QWheelEvent wheel(QPointF(middle), drawing->mapToGlobal(QPointF(middle)), {}, {0, 120},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(drawing, &wheel);
    EXPECT_GT(drawing->camera().scale, scale);

    const double turned = drawing->camera().azimuth;
    const QString fit = view->statusText();
    const auto& fields = GetParam()->definition().fields;
    QLineEdit* field = child<QLineEdit>(m_window, QStringLiteral("Edit_") +
                                                      QString::fromStdString(fields.front().name));
    const QString text = field->text();
    field->setText(text + QStringLiteral("0"));
    field->setText(text);
    EXPECT_FALSE(view->statusText().startsWith(QStringLiteral("Największa")));
    calculate();
    EXPECT_EQ(drawing->camera().azimuth, turned);
    EXPECT_EQ(view->statusText(), fit);
}

// A tool window of its calculator, so it stays above it; while the inputs differ from the
// calculation its button still brings it back, saying so.
TEST_P(ViewWindowTest, StaysWithinReachWhileTheInputsAreStale) {
    gui::ViewWindow* view = openView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowType(), Qt::Tool);
    view->hide();
    QLineEdit* field = child<QLineEdit>(
        m_window, QStringLiteral("Edit_") +
                      QString::fromStdString(GetParam()->definition().fields.front().name));
    field->setText(field->text() + QStringLiteral("0"));
    EXPECT_FALSE(m_window.hasResultsReady());
    clickEnabled(m_window, name("Widok3D"));
    EXPECT_TRUE(view->isVisible());
    EXPECT_FALSE(view->statusText().startsWith(QStringLiteral("Największa")));
    EXPECT_TRUE(view->statusText().startsWith(QStringLiteral("Dane zmienione")));
}

TEST_P(ViewWindowTest, SavesTheViewAsAPng) {
    gui::ViewWindow* view = openView();
    ASSERT_NE(view, nullptr);
    const QString target = m_directory.filePath(QStringLiteral("widok"));
    m_prompts.answerSaveFile(target);
    clickEnabled(*view, QStringLiteral("WidokZapiszObraz"));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    const QImage saved(target + QStringLiteral(".png"));
    EXPECT_EQ(saved.size(), view->view()->size());
}

/** The box round what is painted in other than the background, pixels. */
QRect paintedBox(const QImage& image) {
    const QRgb background = render::kViewBackground.rgb();
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != (background & 0xFFFFFF)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// What the image paints reaches as far as the joint's points project, in every preset: the
// faces and lines are where the projection puts them, and nothing is left out at the edges.
TEST_P(ViewWindowTest, TheImagesExtentIsTheProjectedJoint) {
    const auto& d = GetParam()->definition();
    const auto result = GetParam()->calculate(core::defaultInputs(d), 0, "d");
    ASSERT_TRUE(result.outputs && result.outputs->view);
    const core::ViewScene scene =
        core::buildViewScene(result.outputs->pattern, result.outputs->view());
    for (const core::ViewPreset preset : {core::ViewPreset::Front, core::ViewPreset::Side,
                                          core::ViewPreset::Top, core::ViewPreset::Iso}) {
        core::ViewCamera camera;
        core::turnTo(camera, preset);
        core::fitScene(camera, scene, 640, 400, 30);
        double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
        for (const auto* points : {&scene.points, &scene.linePoints}) {
            for (const core::Point3 p : *points) {
                const core::ScreenPoint s = core::project(camera, p, 640, 400);
                left = std::min(left, s.x);
                right = std::max(right, s.x);
                top = std::min(top, s.y);
                bottom = std::max(bottom, s.y);
            }
        }
        render::ViewPaintOptions bare;
        bare.labels = false;
        const QRect painted = paintedBox(render::viewImage(scene, camera, {640, 400}, bare));
        // A pixel is painted where a face or a line's width covers its middle.
        constexpr double kPixels = 2.0;
        EXPECT_NEAR(painted.left() + 0.5, left, kPixels) << static_cast<int>(preset);
        EXPECT_NEAR(painted.right() + 0.5, right, kPixels) << static_cast<int>(preset);
        EXPECT_NEAR(painted.top() + 0.5, top, kPixels) << static_cast<int>(preset);
        EXPECT_NEAR(painted.bottom() + 0.5, bottom, kPixels) << static_cast<int>(preset);
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, ViewWindowTest, ::testing::ValuesIn(core::calculators()),
                         [](const auto& info) { return info.param->definition().key; });

} // namespace
} // namespace blachorys::test
