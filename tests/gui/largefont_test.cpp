// The windows at a large font (the desktop's font at 18 points, as QT_FONT_DPI=144 makes the
// usual 9 on a real display): every control keeps its whole text and stays within reach,
// scrolled to where the window is too small.
#include "app/tformblachorys.h"
#include "cases/calculators.h"
#include "common/gui/calculatorwindow.h"
#include "common/gui/drawingpreview.h"
#include "support/calculatorfixture.h"
#include "support/calculatorprinter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

namespace blachorys::test {
namespace {

/** Every visible widget below `root` lies inside its parent, but what a scroll area scrolls. */
void expectInsideTheirParents(QWidget& root) {
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        QWidget* parent = widget->parentWidget();
        if (widget->isWindow() || !widget->isVisibleTo(&root) || parent == nullptr) {
            continue;
        }
        const auto* scroll = qobject_cast<QScrollArea*>(parent->parentWidget());
        if (scroll != nullptr && scroll->viewport() == parent) {
            // The scrolled contents: as large as they need, reached with the scroll bars.
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width());
            EXPECT_GE(widget->height(), widget->minimumSizeHint().height());
            continue;
        }
        EXPECT_TRUE(parent->rect().contains(widget->geometry()))
            << widget->metaObject()->className() << " " << widget->objectName().toStdString()
            << " lies outside " << parent->objectName().toStdString();
    }
}

class LargeFont : public GuiFixture, public ::testing::WithParamInterface<const core::Calculator*> {
protected:
    void SetUp() override {
        QFont large = m_usualFont;
        large.setPointSizeF(18.0);
        QApplication::setFont(large);
    }
    void TearDown() override { QApplication::setFont(m_usualFont); }

    const QFont m_usualFont = QApplication::font();
};

TEST_P(LargeFont, EveryControlOfTheCalculatorIsWholeAndWithinReach) {
    gui::TFormBlachorys main(m_prompts, m_directory.path());
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    // No larger than the screen's free area.
    EXPECT_TRUE(main.screen()->availableGeometry().contains(main.geometry()));

    gui::CalculatorWindow* window =
        main.openCalculator(QString::fromStdString(core::nameKey(GetParam()->definition())));
    ASSERT_NE(window, nullptr);
    QCoreApplication::processEvents();
    expectInsideTheirParents(*window->parentWidget());

    // Fields as tall as their text, buttons as wide as their captions.
    for (auto* edit : window->findChildren<QLineEdit*>()) {
        EXPECT_GE(edit->height(), edit->fontMetrics().height()) << edit->objectName().toStdString();
        EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance("88888.8"))
            << edit->objectName().toStdString();
    }
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()))
            << button->objectName().toStdString();
    }
}

TEST_P(LargeFont, ThePreviewsReadOutShowsSevenDigitsAndASign) {
    const auto& window = GetParam()->definition().window;
    gui::DrawingPreview preview(QString::fromStdString(window.previewName),
                                QString::fromStdString(window.previewCaption));
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    expectInsideTheirParents(preview);
    QWidget* previous = nullptr;
    for (const char* name : {"LabelX", "LabelY", "ButtonOK"}) {
        auto* widget = preview.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance("-9999999")) << name;
        }
        if (previous != nullptr) {
            EXPECT_LE(previous->geometry().right(), widget->geometry().left()) << name;
        }
        previous = widget;
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, LargeFont, ::testing::ValuesIn(core::calculators()),
                         [](const auto& info) { return info.param->definition().key; });

} // namespace
} // namespace blachorys::test
