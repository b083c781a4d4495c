#pragma once

#include "support/fakeprompts.h"

#include "common/gui/calculatorwindow.h"
#include "common/gui/guicontext.h"
#include "common/gui/hintrouter.h"
#include "common/gui/outputwindows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace blachorys::test {

/** The date every GUI test calculates on; the footer then reads 08-12-2026 in Polish. */
QDate testDay();

/** A temporary saved-input directory, fake prompts and a hint router for a window. */
class GuiFixture : public ::testing::Test {
protected:
    GuiFixture();
    gui::GuiContext context();

    QTemporaryDir m_directory;
    FakePrompts m_prompts;
    gui::HintRouter m_hints;
    /** Owns the preview and scheme windows; the scheme asks `m_activeCalculator`. */
    QWidget m_outputOwner;
    gui::CalculatorWindow* m_activeCalculator = nullptr;
    gui::OutputWindows m_outputWindows;
};

/** The child of `window` with this object name; fails the test when there is none. */
template <typename T> T* child(QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << "no " << name.toStdString();
    return found;
}

/** Clicks a button after checking it is enabled. */
void clickEnabled(QWidget& window, const QString& buttonName);

/** Types `keys` into a field, one key press each, as a user would. */
void typeInto(QWidget& window, const QString& fieldName, const QString& keys);

} // namespace blachorys::test
