#include "common/io/outputfiles.h"
#include "common/render/outputtable.h"

#include "cases/calculators.h"
#include "common/io/windows1250.h"
#include "support/golden.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace blachorys::io {
namespace {

/** The golden's lines in UTF-8, without their CR LF. */
std::vector<std::string> goldenLines(const std::string& relativePath) {
    const QString text = fromWindows1250(QByteArray::fromStdString(test::readGolden(relativePath)));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.takeLast(), QString()) << "the golden ends with CR LF";
    std::vector<std::string> utf8;
    for (const QString& line : lines) {
        utf8.push_back(line.toStdString());
    }
    return utf8;
}

TEST(OutputFiles, TheDefaultsOfEveryCalculatorGiveItsGoldensByteForByte) {
    QTemporaryDir directory;
    const QString txt = QDir(directory.path()).filePath("r.txt");
    const QString dxf = QDir(directory.path()).filePath("r.dxf");
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& d = calculator->definition();
        const std::size_t developments = std::max<std::size_t>(1, d.developments.size());
        for (std::size_t development = 0; development < developments; ++development) {
            SCOPED_TRACE(test::goldenPath(d, development, "txt"));
            const auto result =
                calculator->calculate(core::exampleInputs(d, {}), development, "08-12-2026");
            ASSERT_TRUE(result.outputs);
            // Line by line first, for a readable difference.
            EXPECT_EQ(result.outputs->report.allLines(),
                      goldenLines(test::goldenPath(d, development, "txt")));
            ASSERT_FALSE(writeReportFile(txt, result.outputs->report).has_value());
            EXPECT_EQ(test::readFileBytes(txt.toStdString()),
                      test::readGolden(test::goldenPath(d, development, "txt")));
            // The document's DXF as the window and the command line make it.
            const render::OutputFile file =
                render::makeOutputFile(render::OutputKind::Dxf, {d, *result.outputs});
            EXPECT_EQ(file.bytes.toStdString(),
                      test::readGolden(test::goldenPath(d, development, "dxf")));
        }
    }
}

TEST(OutputFiles, ReportIsWindows1250WithCrLf) {
    const core::PointReport report = core::makePointReport({.title = "KRÓCCA [°]"}, {}, {.size = "ą"}, "d");
    QTemporaryDir directory;
    const QString file = QDir(directory.path()).filePath("r.txt");
    ASSERT_FALSE(writeReportFile(file, report).has_value());
    const std::string bytes = test::readFileBytes(file.toStdString());
    EXPECT_EQ(bytes.substr(0, 12), "KR\xD3"
                                   "CCA [\xB0]\r\n");
    EXPECT_NE(bytes.find("\r\n\xB9\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(OutputFiles, UnwritablePlaceGivesTheReason) {
    QTemporaryDir directory;
    const QString file = QDir(directory.path()).filePath("missing/r.dxf");
    const auto failure = writeDxfFile(file, {});
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file));
}

} // namespace
} // namespace blachorys::io
