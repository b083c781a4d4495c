// main() of the window-fit tests: a QApplication on the offscreen platform (unless the
// environment names another) whose fontconfig holds none of the machine's fonts, so that each
// test measures with the fonts it loads; with BLACHORYS_FIT_FONTS=machine, the machine's own.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Fontconfig reads it once, when the application first asks for a font.
    if (qEnvironmentVariable("BLACHORYS_FIT_FONTS") != QStringLiteral("machine")) {
        qputenv("FONTCONFIG_FILE", BLACHORYS_FIT_FONTCONFIG);
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
