#include "common/gui/translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace blachorys::gui {
namespace {

TEST(Translations, QtsOwnButtonsSpeakPolishAsTheProgramDoes) {
    QDialogButtonBox english(QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(english.button(QDialogButtonBox::Yes)->text(), "&Yes");
    ASSERT_TRUE(installPolishTranslations(*QCoreApplication::instance()))
        << "Qt's Polish translations (qt6-translations-l10n) are missing";
    QDialogButtonBox polish(QDialogButtonBox::Yes | QDialogButtonBox::No |
                            QDialogButtonBox::Cancel);
    EXPECT_EQ(polish.button(QDialogButtonBox::Yes)->text(), "&Tak");
    EXPECT_EQ(polish.button(QDialogButtonBox::No)->text(), "&Nie");
    EXPECT_EQ(polish.button(QDialogButtonBox::Cancel)->text(), "Anuluj");
}

} // namespace
} // namespace blachorys::gui
