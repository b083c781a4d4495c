#include "common/io/programsettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace blachorys::io {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(ProgramSettings, TheFirstRunHasNothingRememberedAndTheNextReadsWhatTheLastKept) {
    QTemporaryDir directory;
    {
        const ProgramSettings first(directory.path());
        EXPECT_TRUE(first.mainWindowGeometry().isEmpty());
        EXPECT_TRUE(first.showInfoOnReturn());
        EXPECT_EQ(first.lastFolder("txt"), "");
        const core::TemplateSettings layout = first.templateLayout({});
        EXPECT_EQ(layout.paper, core::PaperSize::A4);
        EXPECT_EQ(layout.orientation, core::PageOrientation::Automatic);
        EXPECT_EQ(layout.overlapMm, 10.0);
    }
    ProgramSettings settings(directory.path());
    const QByteArray geometry("\x01\x00\xff geometry", 13);
    settings.setMainWindowGeometry(geometry);
    settings.setShowInfoOnReturn(false);
    settings.setLastFolder("txt", "/dom/raporty");
    settings.setLastFolder("cnc-dxf", "/dom/ciecie ą");
    core::TemplateSettings chosen;
    chosen.paper = core::PaperSize::A3;
    chosen.orientation = core::PageOrientation::Landscape;
    chosen.overlapMm = 12.5;
    chosen.scaleXPercent = 101.0;
    settings.setTemplateLayout(chosen);

    const ProgramSettings next(directory.path());
    EXPECT_EQ(next.mainWindowGeometry(), geometry);
    EXPECT_FALSE(next.showInfoOnReturn());
    EXPECT_EQ(next.lastFolder("txt"), "/dom/raporty");
    EXPECT_EQ(next.lastFolder("cnc-dxf"), "/dom/ciecie ą");
    EXPECT_EQ(next.lastFolder("dxf"), "");
    // The scale correction is szablon.dat's, not this file's.
    core::TemplateSettings base;
    base.scaleXPercent = 99.0;
    const core::TemplateSettings layout = next.templateLayout(base);
    EXPECT_EQ(layout.paper, core::PaperSize::A3);
    EXPECT_EQ(layout.orientation, core::PageOrientation::Landscape);
    EXPECT_EQ(layout.overlapMm, 12.5);
    EXPECT_EQ(layout.scaleXPercent, 99.0);
}

TEST(ProgramSettings, AnEditedFileOutOfRangeReadsAsTheFirstRun) {
    struct Row {
        const char* file;
        core::PaperSize paper;
        core::PageOrientation orientation;
        double overlap;
    };
    const Row rows[] = {
        {"[szablon]\npapier=A5\norientacja=sideways\nzakladka_mm=51\n", core::PaperSize::A4,
         core::PageOrientation::Automatic, 10.0},
        {"[szablon]\npapier=Letter\norientacja=portrait\nzakladka_mm=-1\n", core::PaperSize::Letter,
         core::PageOrientation::Portrait, 10.0},
        {"[szablon]\nzakladka_mm=nan\n", core::PaperSize::A4, core::PageOrientation::Automatic,
         10.0},
        {"[szablon]\nzakladka_mm=0\n", core::PaperSize::A4, core::PageOrientation::Automatic, 0.0},
        {"\xff\xfe garbage = = [\n", core::PaperSize::A4, core::PageOrientation::Automatic, 10.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        QTemporaryDir directory;
        writeFile(QDir(directory.path()).filePath(kProgramSettingsFileName), row.file);
        const core::TemplateSettings layout = ProgramSettings(directory.path()).templateLayout({});
        EXPECT_EQ(layout.paper, row.paper);
        EXPECT_EQ(layout.orientation, row.orientation);
        EXPECT_EQ(layout.overlapMm, row.overlap);
    }
}

} // namespace
} // namespace blachorys::io
