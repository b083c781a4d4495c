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
