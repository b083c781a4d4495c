#include "common/gui/twynikischemat.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace blachorys::gui {
namespace {

void activate(QWidget& widget) {
    QEvent event(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&widget, &event);
}

QImage pictureOf(const TWynikiSchemat& dialog) {
    const auto* image = dialog.findChild<QLabel*>(QStringLiteral("Image1"));
    return image != nullptr ? image->pixmap().toImage() : QImage();
}

bool allWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return false;
            }
        }
    }
    return true;
}

TEST(TWynikiSchemat, StartsBlankAndOkClosesIt) {
    TWynikiSchemat dialog([] { return QString(); });
    EXPECT_TRUE(dialog.pictureName().isEmpty());
    EXPECT_EQ(pictureOf(dialog).size(), QSize(437, 350));
    EXPECT_TRUE(allWhite(pictureOf(dialog)));

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"));
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(TWynikiSchemat, PictureFollowsTheActiveCalculatorOnEveryActivation) {
    QString active = QStringLiteral("w_rr_p");
    TWynikiSchemat dialog([&] { return active; });
    dialog.show();
    EXPECT_EQ(dialog.pictureName(), "w_rr_p");
    const QImage larger = pictureOf(dialog);

    active = QStringLiteral("w_rr_r");
    activate(dialog);
    EXPECT_EQ(dialog.pictureName(), "w_rr_r");
    const QImage smaller = pictureOf(dialog);

    // Both pictures are among the program's resources and are what the dialog shows.
    EXPECT_FALSE(allWhite(larger));
    EXPECT_FALSE(allWhite(smaller));
    EXPECT_NE(larger, smaller);
    EXPECT_EQ(smaller,
              TWynikiSchemat::renderPicture(TWynikiSchemat::resourcePath("w_rr_r")).toImage());

    active = QStringLiteral("w_rr_p");
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.pictureName(), "w_rr_p");
}

TEST(TWynikiSchemat, WithNoCalculatorActiveTheLastPictureStays) {
    QString active = QStringLiteral("w_s");
    TWynikiSchemat dialog([&] { return active; });
    activate(dialog);
    ASSERT_EQ(dialog.pictureName(), "w_s");
    const QImage shown = pictureOf(dialog);
    active.clear();
    activate(dialog);
    EXPECT_EQ(dialog.pictureName(), "w_s");
    EXPECT_EQ(pictureOf(dialog), shown);
}

TEST(TWynikiSchemat, PictureIsFittedOnWhiteAndBlankWhenMissing) {
    const QPixmap missing = TWynikiSchemat::renderPicture(QStringLiteral(":/schemes/nie_ma.svg"));
    EXPECT_EQ(missing.size(), QSize(437, 350));
    EXPECT_TRUE(allWhite(missing.toImage()));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kwadrat.svg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100" viewBox="0 0 100 100">)"
        R"(<rect x="0" y="0" width="100" height="100" fill="#0000ff"/></svg>)");
    file.close();
    const QImage square = TWynikiSchemat::renderPicture(path).toImage();
    ASSERT_EQ(square.size(), QSize(437, 350));
    // A square keeps its shape: 350 × 350 in the middle, white at the sides.
    EXPECT_EQ(square.pixel(218, 175), qRgb(0, 0, 255));
    EXPECT_EQ(square.pixel(60, 10), qRgb(0, 0, 255));
    EXPECT_EQ(square.pixel(376, 340), qRgb(0, 0, 255));
    EXPECT_EQ(square.pixel(20, 175), qRgb(255, 255, 255));
    EXPECT_EQ(square.pixel(420, 175), qRgb(255, 255, 255));

    EXPECT_EQ(TWynikiSchemat::resourcePath(QStringLiteral("w_rr_r")), ":/schemes/w_rr_r.svg");
}

} // namespace
} // namespace blachorys::gui
