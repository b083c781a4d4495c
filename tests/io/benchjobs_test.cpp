// The committed jobs the nesting is measured on (bench/jobs and the example): on each, the
// nesting uses no more plates than shelves of the pieces' boxes or one box to a row, and no
// fewer than their area needs (fewer would mean pieces lost).
#include "cases/calculators.h"
#include "common/core/plate/nestingyardsticks.h"
#include "common/io/jobfile.h"
#include "common/render/jobfiles.h"

#include <QDir>

#include <gtest/gtest.h>

namespace blachorys::io {
namespace {

std::vector<QString> committedJobs() {
    std::vector<QString> paths{QStringLiteral(BLACHORYS_EXAMPLES_DIR "/zlecenie-kanal.json")};
    const QDir jobs(QStringLiteral(BLACHORYS_BENCH_JOBS_DIR));
    for (const QString& name : jobs.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        paths.push_back(jobs.filePath(name));
    }
    return paths;
}

TEST(BenchJobs, EachIsNestedOnNoMorePlatesThanShelvesOrRows) {
    const std::vector<QString> paths = committedJobs();
    ASSERT_GE(paths.size(), 6u) << "the example and the bench's five jobs";
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const JobReading reading = loadJobFile(path, core::findCalculator);
        ASSERT_TRUE(reading.job) << reading.problem.toStdString();
        const render::JobOutputs outputs =
            render::jobOutputsOf(*reading.job, core::findCalculator, "10-12-2026");
        ASSERT_TRUE(outputs.calculation.ok());
        for (const core::JobGroup& group : outputs.groups) {
            const core::Nesting& nesting = group.nesting;
            ASSERT_FALSE(nesting.tooMany);
            ASSERT_TRUE(nesting.tooLarge.empty());
            const core::NestingYardsticks yardsticks = core::nestingYardsticks(
                group.pieces, {nesting.widthMm, nesting.lengthMm}, nesting.gapMm);
            const int plates = static_cast<int>(nesting.plates.size());
            EXPECT_LE(plates, yardsticks.shelves);
            EXPECT_LE(plates, yardsticks.onePerRow);
            EXPECT_GE(plates, yardsticks.areaBound);
        }
    }
}

} // namespace
} // namespace blachorys::io
