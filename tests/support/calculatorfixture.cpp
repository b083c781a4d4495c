#include "support/calculatorfixture.h"

#include <QLocale>
#include <QTest>

namespace blachorys::test {

QDate testDay() {
    return QDate(2026, 12, 8);
}

GuiFixture::GuiFixture() : m_outputWindows(&m_outputOwner, [this] { return m_activeCalculator; }) {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

gui::GuiContext GuiFixture::context() {
    gui::GuiContext context;
    context.prompts = &m_prompts;
    context.hints = &m_hints;
    context.outputWindows = &m_outputWindows;
    context.savedInputsDirectory = m_directory.path();
    context.today = [] { return testDay(); };
    return context;
}

void clickEnabled(QWidget& window, const QString& buttonName) {
    auto* button = child<QPushButton>(window, buttonName);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << buttonName.toStdString() << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

void typeInto(QWidget& window, const QString& fieldName, const QString& keys) {
    auto* field = child<QLineEdit>(window, fieldName);
    ASSERT_NE(field, nullptr);
    field->setFocus();
    QTest::keyClicks(field, keys);
}

} // namespace blachorys::test
