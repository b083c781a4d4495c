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

TEST(OutputFiles, ReportIsWindows1250WithCrLf) {
    const core::PointReport report =
        core::makePointReport({.title = "KRÓCCA [°]"}, {}, {.size = "ą"}, "d");
    QTemporaryDir directory;
    const QString file = QDir(directory.path()).filePath("r.txt");
    ASSERT_FALSE(writeReportFile(file, report).has_value());
    const std::string bytes = test::readFileBytes(file.toStdString());
    EXPECT_EQ(bytes.substr(0, 12), "KR\xD3"
                                   "CCA [\xB0]\r\n");
    EXPECT_NE(bytes.find("\r\n\xB9\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

// A joint's two pieces are saved side by side in one folder: each of the program's own outputs
// offers each development its own name; the report and the points' DXF keep theirs.
TEST(OutputFiles, EachDevelopmentIsOfferedItsOwnNameForTheProgramsOwnOutputs) {
    for (const core::Calculator* calculator : core::calculators()) {
        const core::CalculatorDefinition& d = calculator->definition();
        if (d.developments.size() < 2) {
            continue;
        }
        for (const render::OutputRow& row : render::outputRows()) {
            if (!row.initialName) {
                continue;
            }
            const bool documentsOwn =
                row.kind == render::OutputKind::Txt || row.kind == render::OutputKind::Dxf;
            EXPECT_EQ(row.initialName(d, 0) == row.initialName(d, 1), documentsOwn)
                << d.key << " " << row.initialName(d, 0).toStdString();
        }
    }
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
