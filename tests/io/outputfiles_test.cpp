#include "common/io/outputfiles.h"

#include "cases/pipe_pipe/pipepipeoutputs.h"
#include "common/io/windows1250.h"
#include "support/golden.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace blachorys::io {
namespace {

struct GoldenCase {
    core::PipePipeDevelopment development;
    const char* report;
    const char* dxf;
};

class PipePipeGoldenFiles : public ::testing::TestWithParam<GoldenCase> {
protected:
    core::PipePipeModel model() const {
        core::PipePipeInputs in;
        in.development = GetParam().development;
        return core::computePipePipe(in);
    }
    QString path(const char* name) const { return QDir(m_directory.path()).filePath(name); }
    QTemporaryDir m_directory;
};

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

TEST_P(PipePipeGoldenFiles, ReportIsTheGoldenByteForByte) {
    const core::PointReport report = core::pipePipeReport(model(), "08-12-2026");
    // Line by line first, for a readable difference.
    EXPECT_EQ(report.allLines(), goldenLines(std::string("pipe_pipe/") + GetParam().report));
    ASSERT_FALSE(writeReportFile(path("rurarura.txt"), report).has_value());
    EXPECT_EQ(test::readFileBytes(path("rurarura.txt").toStdString()),
              test::readGolden(std::string("pipe_pipe/") + GetParam().report));
}

TEST_P(PipePipeGoldenFiles, DxfIsTheGoldenByteForByte) {
    ASSERT_FALSE(writeDxfFile(path("rura_rura.dxf"), core::pipePipeDxfLines(model())).has_value());
    EXPECT_EQ(test::readFileBytes(path("rura_rura.dxf").toStdString()),
              test::readGolden(std::string("pipe_pipe/") + GetParam().dxf));
}

INSTANTIATE_TEST_SUITE_P(Developments, PipePipeGoldenFiles,
                         ::testing::Values(GoldenCase{core::PipePipeDevelopment::SmallerPipe,
                                                      "report_smaller.txt", "template_smaller.dxf"},
                                           GoldenCase{core::PipePipeDevelopment::LargerPipe,
                                                      "report_larger.txt", "shell_larger.dxf"}),
                         [](const auto& info) {
                             return info.param.development == core::PipePipeDevelopment::SmallerPipe
                                        ? "smaller"
                                        : "larger";
                         });

TEST(OutputFiles, ReportIsWindows1250WithCrLf) {
    const core::PointReport report = core::makePointReport({"KRÓCCA [°]"}, {"ą"}, "d");
    QTemporaryDir directory;
    const QString file = QDir(directory.path()).filePath("r.txt");
    ASSERT_FALSE(writeReportFile(file, report).has_value());
    const std::string bytes = test::readFileBytes(file.toStdString());
    EXPECT_EQ(bytes.substr(0, 15), "KR\xD3"
                                   "CCA [\xB0]\r\n\xB9\r\n");
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
