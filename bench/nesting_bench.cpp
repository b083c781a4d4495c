// The committed jobs (bench/jobs and the example), each calculated once and then nested as the
// job's window nests them: every group of one material and thickness on its plates. Beside the
// time, the counters give the plates used and what they are judged against: the area bound,
// shelves of the pieces' boxes and one box to a row.
#include "cases/calculators.h"
#include "common/core/job/jobgroups.h"
#include "common/core/plate/nestingyardsticks.h"
#include "common/io/jobfile.h"

#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace blachorys;

void nestJob(benchmark::State& state, const QString& path) {
    const io::JobReading reading = io::loadJobFile(path, core::findCalculator);
    if (!reading.job) {
        state.SkipWithError(reading.problem.toStdString().c_str());
        return;
    }
    const core::JobCalculation calculation =
        core::calculateJob(*reading.job, core::findCalculator, "10-12-2026");
    if (!calculation.ok()) {
        state.SkipWithError(calculation.problems.front().c_str());
        return;
    }
    std::vector<core::JobGroup> groups;
    for (auto _ : state) {
        groups = core::jobGroupsOf(*reading.job, calculation);
        benchmark::DoNotOptimize(groups);
    }
    double plates = 0, shelves = 0, rows = 0, bound = 0, copies = 0;
    for (const core::JobGroup& group : groups) {
        const core::Nesting& nesting = group.nesting;
        const core::NestingYardsticks yardsticks = core::nestingYardsticks(
            group.pieces, {nesting.widthMm, nesting.lengthMm}, nesting.gapMm);
        plates += static_cast<double>(nesting.plates.size());
        shelves += yardsticks.shelves;
        rows += yardsticks.onePerRow;
        bound += yardsticks.areaBound;
        for (const core::JobPiece& piece : group.pieces) {
            copies += piece.cut.count;
        }
    }
    state.counters["copies"] = copies;
    state.counters["plates"] = plates;
    state.counters["shelves"] = shelves;
    state.counters["one_per_row"] = rows;
    state.counters["area_bound"] = bound;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<QString> paths{QStringLiteral(BLACHORYS_EXAMPLES_DIR "/zlecenie-kanal.json")};
    const QDir jobs(QStringLiteral(BLACHORYS_BENCH_JOBS_DIR));
    for (const QString& name : jobs.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        paths.push_back(jobs.filePath(name));
    }
    for (const QString& path : paths) {
        const std::string name = "BM_NestJob/" + QFileInfo(path).completeBaseName().toStdString();
        benchmark::RegisterBenchmark(name.c_str(), nestJob, path)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
