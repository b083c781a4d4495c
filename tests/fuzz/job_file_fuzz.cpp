// Arbitrary bytes as a job file, opened as "Otwórz zlecenie…" and `blachorys-cli job` open it:
// refused with a message, or a job that saves and reads back the same; a small one calculated,
// its report and material list free of numbers that are not finite.
#include "cases/calculators.h"
#include "common/core/job/jobreport.h"
#include "common/io/jobfile.h"
#include "fuzz/fuzzcheck.h"

#include <regex>
#include <string>

using namespace blachorys;

namespace {

/** Jobs of at most this many copies in all are calculated and nested: a run stays short. */
constexpr int kMostCalculatedCopies = 12;

/** "nan" or "inf" as a word of its own: how a number that is not finite is printed. */
bool hasNumberNotFinite(const std::string& line) {
    static const std::regex notFinite("(^|[^A-Za-z])(nan|inf)([^A-Za-z]|$)", std::regex::icase);
    return std::regex_search(line, notFinite);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const core::CalculatorLookup lookup = core::findCalculator;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const io::JobReading reading = io::readJobFile(bytes, lookup);
    if (!reading.job) {
        FUZZ_CHECK(!reading.problem.isEmpty(), "refused without a message");
        return 0;
    }
    const core::Job& job = *reading.job;
    const io::JobReading again = io::readJobFile(io::jobFileBytes(job, lookup), lookup);
    FUZZ_CHECK(again.job && *again.job == job, "saved, it reads back otherwise");
    int copies = 0;
    for (const core::JobEntry& entry : job.entries) {
        FUZZ_CHECK(entry.count >= 1 && entry.count <= core::kMostEntryCopies, entry.mark);
        copies += entry.count * static_cast<int>(entry.developments.size());
    }
    if (copies > kMostCalculatedCopies) {
        return 0;
    }
    const core::JobCalculation calculation = core::calculateJob(job, lookup, "d");
    if (!calculation.ok()) {
        return 0;
    }
    const auto groups = core::jobGroupsOf(job, calculation);
    for (const std::string& line : core::jobReportLines(job, calculation, groups)) {
        FUZZ_CHECK(!hasNumberNotFinite(line), line);
    }
    return 0;
}
