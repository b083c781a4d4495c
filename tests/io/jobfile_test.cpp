// The job file: the committed example as the program writes it, saved and reopened to the same
// files, the command line's files the same bytes; newer, truncated and hostile files refused.
#include "cases/calculators.h"
#include "cli/clirunner.h"
#include "common/io/jobfile.h"
#include "common/render/jobfiles.h"
#include "support/golden.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace blachorys::io {
namespace {

const core::CalculatorLookup kLookup = core::findCalculator;
const std::string kExample = BLACHORYS_EXAMPLES_DIR "/zlecenie-kanal.json";
const std::string kDate = "10-12-2026";

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QByteArray exampleBytes() {
    return QByteArray::fromStdString(test::readFileBytes(kExample));
}

core::Job exampleJob() {
    const JobReading reading = readJobFile(exampleBytes(), kLookup);
    EXPECT_TRUE(reading.job) << reading.problem.toStdString();
    return reading.job.value_or(core::Job{});
}

/** Every file of the job: its report, its nesting, each piece's CNC DXF by name. */
std::map<QString, QByteArray> filesOf(const core::Job& job) {
    const render::JobOutputs outputs = render::jobOutputsOf(job, kLookup, kDate);
    std::map<QString, QByteArray> files;
    const render::OutputFile report = render::jobReportFile(outputs);
    const render::OutputFile nesting = render::jobNestingDxfFile(outputs, cnc::DxfVersion::R2000);
    EXPECT_FALSE(report.problem || nesting.problem);
    files[QStringLiteral("zlecenie.txt")] = report.bytes;
    files[QStringLiteral("rozkroj.dxf")] = nesting.bytes;
    for (const render::NamedFile& cnc : render::jobCncFiles(outputs, cnc::DxfVersion::R2000)) {
        EXPECT_FALSE(cnc.file.problem) << cnc.name.toStdString();
        files[QStringLiteral("cnc/") + cnc.name] = cnc.file.bytes;
    }
    return files;
}

// A job saved before the elbow's seam could be placed names neither the seam nor its choice:
// it opens as the same job, with the seam on the inner side.
TEST(JobFile, AJobSavedBeforeAFieldWasAddedOpensWithItsDefault) {
    QByteArray older = exampleBytes();
    for (const char* added :
         {"                \"szew=0\",\n", ",\n                \"seams=aligned\""}) {
        ASSERT_TRUE(older.contains(added));
        older.replace(added, "");
    }
    const JobReading reading = readJobFile(older, kLookup);
    ASSERT_TRUE(reading.job) << reading.problem.toStdString();
    EXPECT_EQ(*reading.job, exampleJob());
}

// The elbows cut with fitted mitres: the file keeps the edge, and their CNC files carry the bevel
// layer as the window's do; the square cut is what a file without an edge holds.
TEST(JobFile, AnEntrysEdgeIsSavedReopenedAndCut) {
    core::Job job = exampleJob();
    const auto elbow = std::find_if(job.entries.begin(), job.entries.end(),
                                    [](const auto& e) { return e.calculator == "kolanosegm"; });
    ASSERT_NE(elbow, job.entries.end());
    const auto bevelled = [&](const core::Job& cut) {
        std::vector<QString> names;
        for (const auto& [name, bytes] : filesOf(cut)) {
            if (bytes.contains("\nUKOS\n")) {
                names.push_back(name);
            }
        }
        return names;
    };
    EXPECT_TRUE(bevelled(job).empty());
    elbow->edge.choice = core::EdgeChoice::Fit;
    elbow->edge.rootFace = "1";
    const JobReading reading = readJobFile(jobFileBytes(job, kLookup), kLookup);
    ASSERT_TRUE(reading.job) << reading.problem.toStdString();
    EXPECT_EQ(*reading.job, job);
    const std::vector<QString> names = bevelled(*reading.job);
    ASSERT_EQ(names.size(), 1U);
    EXPECT_TRUE(names.front().startsWith(QStringLiteral("cnc/") + q(elbow->mark)))
        << names.front().toStdString();
}

TEST(JobFile, TheExampleSavedAndReopenedMakesTheSameFilesAsTheCommandLine) {
    const core::Job job = exampleJob();
    ASSERT_EQ(job.entries.size(), 4u);
    EXPECT_EQ(jobFileBytes(job, kLookup), exampleBytes()) << "the example as the program writes it";
    QTemporaryDir directory;
    const QString saved = directory.filePath(QStringLiteral("kopia.json"));
    ASSERT_FALSE(saveJobFile(saved, job, kLookup));
    const JobReading reopened = loadJobFile(saved, kLookup);
    ASSERT_TRUE(reopened.job) << reopened.problem.toStdString();
    EXPECT_EQ(*reopened.job, job);
    const auto files = filesOf(*reopened.job);
    EXPECT_EQ(files, filesOf(job));
    // Both pieces of the joint, one CNC file for each of the other three.
    EXPECT_EQ(files.size(), 2u + 5u);
    EXPECT_TRUE(files.contains(QStringLiteral("cnc/K1_mniejsza.dxf")));
    EXPECT_TRUE(files.contains(QStringLiteral("cnc/K1_wieksza.dxf")));

    std::ostringstream out;
    std::ostringstream err;
    const auto path = [&directory](const char* name) {
        return directory.filePath(QString::fromUtf8(name)).toStdString();
    };
    ASSERT_EQ(cli::runCli({"job", saved.toStdString(), "--date", kDate, "--txt", path("z.txt"),
                           "--nesting-dxf", path("r.dxf"), "--cnc-dir", path("cnc")},
                          out, err),
              cli::kExitCalculated)
        << err.str();
    EXPECT_NE(out.str().find("Masa calkowita : "), std::string::npos) << out.str();
    EXPECT_EQ(QByteArray::fromStdString(test::readFileBytes(path("z.txt"))),
              files.at(QStringLiteral("zlecenie.txt")));
    EXPECT_EQ(QByteArray::fromStdString(test::readFileBytes(path("r.dxf"))),
              files.at(QStringLiteral("rozkroj.dxf")));
    for (const auto& [name, bytes] : files) {
        if (name.startsWith(QStringLiteral("cnc/"))) {
            EXPECT_EQ(QByteArray::fromStdString(
                          test::readFileBytes(directory.filePath(name).toStdString())),
                      bytes)
                << name.toStdString();
        }
    }
}

TEST(JobFile, NewerTruncatedAndHostileFilesAreRefusedWithAMessage) {
    const QByteArray example = exampleBytes();
    const auto replaced = [&example](const char* from, const char* to) {
        QByteArray bytes = example;
        EXPECT_TRUE(bytes.contains(from)) << from;
        return bytes.replace(from, to);
    };
    struct Row {
        const char* what;
        QByteArray bytes;
        const char* message;
    };
    const std::vector<Row> rows{
        {"newer", replaced("\"version\": 1", "\"version\": 2"), "nowsza wersja programu"},
        {"truncated", example.left(example.size() / 2), "uszkodzony lub niepelny"},
        {"no version", replaced("\"version\": 1", "\"wersja\": 1"), "brak wersji"},
        {"not an object", "[1, 2, 3]", "to nie jest plik zlecenia"},
        {"absurd count", replaced("\"count\": 4", "\"count\": 1e9"), "\"count\" musi byc"},
        {"fractional count", replaced("\"count\": 4", "\"count\": 2.5"), "\"count\" musi byc"},
        {"unknown calculator", replaced("\"kolanosegm\"", "\"kolano\""), "nieznany kalkulator"},
        {"field not a number", replaced("\"t=6\"", "\"t=abc\""), "\"t=abc\" nie jest"},
        {"positional field",
         replaced("\"1000\",\n                \"600\"", "\"1000\",\n                \"6e\""),
         "\"6e\" nie jest"},
        {"unknown choice", replaced("\"diameters=mean\"", "\"diameters=srodek\""), "nie jest"},
        {"path in a mark", replaced("\"K2\"", "\"../K2\""), "oznaczenie '../K2'"},
        {"mark twice", replaced("\"K2\"", "\"K1\""), "oznaczenie K1 powtarza sie"},
        {"unknown development", replaced("\"wieksza\"", "\"srednia\""), "bledne rozwiniecie"},
        {"plate", replaced("\"1500 x 3000\"", "\"1500 x -3\""), "arkusz"},
        {"material", replaced("\"material\": \"stal\"", "\"material\": \"drewno\""), "material"},
        {"too large", QByteArray(kLargestJobFileBytes + 1, ' '), "zbyt duzy"},
        {"unknown edge",
         replaced("\"count\": 4", "\"count\": 4, \"edge\": {\"choice\": \"ukos\"}"),
         "nieznana krawedz"},
    };
    for (const Row& row : rows) {
        const JobReading reading = readJobFile(row.bytes, kLookup);
        EXPECT_FALSE(reading.job) << row.what;
        EXPECT_TRUE(reading.problem.startsWith(QStringLiteral("Nie mozna otworzyc zlecenia : ")))
            << row.what;
        EXPECT_TRUE(reading.problem.contains(QString::fromUtf8(row.message), Qt::CaseInsensitive))
            << row.what << ": " << reading.problem.toStdString();
    }
    // On the command line: refused, nothing written, the file as it was.
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("nowszy.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rows[0].bytes);
    file.close();
    std::ostringstream out;
    std::ostringstream err;
    const std::string txt = directory.filePath(QStringLiteral("z.txt")).toStdString();
    EXPECT_EQ(cli::runCli({"job", path.toStdString(), "--txt", txt}, out, err), cli::kExitRefused);
    EXPECT_NE(err.str().find("nowsza wersja"), std::string::npos) << err.str();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(txt)));
    EXPECT_EQ(QByteArray::fromStdString(test::readFileBytes(path.toStdString())), rows[0].bytes);
}

} // namespace
} // namespace blachorys::io
