#include "support/calculatorfixture.h"

#include <QLocale>
#include <QTest>

namespace blachorys::test {

QDate testDay() {
    return QDate(2026, 12, 8);
}

GuiFixture::GuiFixture()
    : m_outputWindows(&m_outputOwner, [this] {
          return m_activeCalculator != nullptr ? m_activeCalculator->schemePicture() : QString();
      }) {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

gui::GuiContext GuiFixture::context() {
    return {m_prompts, m_hints, m_outputWindows, m_directory.path(), [] { return testDay(); }};
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
