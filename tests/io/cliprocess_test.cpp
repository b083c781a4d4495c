// blachorys-cli run as a process, for what only a process shows: signals, the real standard
// output, file names as bytes.
#include "cases/calculators.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/plate/materiallist.h"
#include "common/core/sheets/templateplan.h"
#include "common/io/filesizesignal.h"
#include "common/io/outputfiles.h"
#include "support/calculatorprinter.h"
#include "support/golden.h"
#include "support/hostileinputs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#ifndef _WIN32
#include "support/boundedrun.h"
#include "support/filesizelimit.h"

#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace blachorys::cli {
namespace {

struct Finished {
    int exit = -1;
    bool crashed = false;
    std::string err;
};

class CliProcess : public ::testing::Test {
protected:
    QString path(const char* name) const { return QDir(m_directory.path()).filePath(name); }

    Finished run(QProcess& process, const QStringList& arguments) {
        process.setProgram(QStringLiteral(BLACHORYS_CLI));
        process.setArguments(arguments);
        process.start();
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.exitStatus() == QProcess::CrashExit,
                process.readAllStandardError().toStdString()};
    }

    QTemporaryDir m_directory;
};

/** How a requested file fails to be written. */
enum class Fault { MissingDirectory, DirectoryInTheWay, FullDevice, FileSizeLimit };
constexpr const char* kFaultNames[] = {"missing directory", "a directory in the way",
                                       "full device (/dev/full)", "file-size limit (full disk)"};
#ifdef _WIN32
// A full device and a file-size limit are POSIX's.
constexpr Fault kFaults[] = {Fault::MissingDirectory, Fault::DirectoryInTheWay};
#else
constexpr Fault kFaults[] = {Fault::MissingDirectory, Fault::DirectoryInTheWay, Fault::FullDevice,
                             Fault::FileSizeLimit};
#endif

TEST_F(CliProcess, EveryFailedWriteIsExit73WithItsReasonAndTheEarlierFileIntact) {
    const std::pair<const char*, std::string> outputs[] = {
        {"--txt", "TXT"}, {"--dxf", "DXF"}, {"--template-pdf", "PDF"}};
    const std::string earlier = "earlier\r\n";
    for (const auto& [option, what] : outputs) {
        for (const Fault fault : kFaults) {
            const char* faultName = kFaultNames[static_cast<int>(fault)];
            SCOPED_TRACE(std::string(option) + ", " + faultName);
            QDir place(path("zapis"));
            place.removeRecursively();
            QString target = place.filePath("wynik");
            QProcess process;
            if (fault == Fault::DirectoryInTheWay) {
                ASSERT_TRUE(QDir().mkpath(target));
                ASSERT_TRUE(test::writeFileBytes((target + "/keep").toStdString(), earlier));
            } else if (fault == Fault::FullDevice) {
                target = QStringLiteral("/dev/full");
            } else if (fault == Fault::FileSizeLimit) {
#ifndef _WIN32
                ASSERT_TRUE(QDir().mkpath(place.path()));
                ASSERT_TRUE(test::writeFileBytes(target.toStdString(), earlier));
                process.setChildProcessModifier([] { test::FileSizeLimit::applyToChild(64); });
#endif
            }
            const Finished finished = run(process, {"rurarura", option, target});
            EXPECT_FALSE(finished.crashed) << "killed by SIGXFSZ";
            EXPECT_EQ(finished.exit, 73);
            const std::string said = "blachorys-cli: cannot write the " + what + " file '" +
                                     target.toStdString() + "': ";
            EXPECT_TRUE(finished.err.starts_with(said) && finished.err.size() > said.size() + 1)
                << finished.err;
            // What the failed write left: nothing new, and anything earlier as it was.
            bool intact = true;
            const char* left = "";
            if (fault == Fault::MissingDirectory) {
                intact = !QFileInfo::exists(place.path());
                left = "; nothing created";
            } else if (fault == Fault::DirectoryInTheWay) {
                intact = QFileInfo(target).isDir() &&
                         test::readFileBytes((target + "/keep").toStdString()) == earlier;
                left = "; the directory and its file intact";
            } else if (fault == Fault::FileSizeLimit) {
                // No half-written temporary file is left beside it either.
                intact = test::readFileBytes(target.toStdString()) == earlier &&
                         place.entryList(QDir::Files | QDir::Hidden) == QStringList{"wynik"};
                left = "; earlier file intact, no temporary file left";
            }
            EXPECT_TRUE(intact);
            std::printf("[write] blachorys-cli %s, %s: exit %d, %s%s\n", option, faultName,
                        finished.exit, finished.err.substr(0, finished.err.find('\n')).c_str(),
                        intact ? left : "; NOT AS IT WAS");
        }
    }
}

#ifndef _WIN32
// FIFOs, /dev/full, the shell and SIGXFSZ are POSIX's.
TEST_F(CliProcess, ADirectoryRemovedWhileTheProgramWritesIsAFailedWrite) {
    // The DXF goes into a FIFO this test reads; once the program is writing it (having parsed
    // and calculated), the template's directory is removed, with an earlier template in it.
    const QString fifo = path("rysunek.fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QDir place(path("zapis"));
    ASSERT_TRUE(QDir().mkpath(place.path()));
    ASSERT_TRUE(test::writeFileBytes(place.filePath("r.pdf").toStdString(), "earlier"));
    const int reading = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reading, 0);
    QProcess process;
    process.setProgram(QStringLiteral(BLACHORYS_CLI));
    // N = 2000: a DXF far larger than a pipe holds, so the program waits in its writing.
    process.setArguments(
        {"rurarura", "N=2000", "--dxf", fifo, "--template-pdf", place.filePath("r.pdf")});
    process.start();
    pollfd data{reading, POLLIN, 0};
    ASSERT_EQ(::poll(&data, 1, 60000), 1) << "the program never wrote the DXF";
    ASSERT_TRUE(place.removeRecursively());
    ::fcntl(reading, F_SETFL, 0);
    std::string dxf;
    char buffer[65536];
    for (ssize_t got; (got = ::read(reading, buffer, sizeof buffer)) > 0;) {
        dxf.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(reading);
    ASSERT_TRUE(process.waitForFinished(60000));
    const std::string err = process.readAllStandardError().toStdString();
    EXPECT_EQ(process.exitCode(), 73) << err;
    EXPECT_TRUE(err.starts_with("blachorys-cli: cannot write the PDF file '" +
                                place.filePath("r.pdf").toStdString() + "': "))
        << err;
    EXPECT_TRUE(dxf.ends_with("  0\r\nEOF\r\n")) << "the DXF came through whole";
    EXPECT_FALSE(QFileInfo::exists(place.path()));
    std::printf("[write] blachorys-cli --template-pdf, directory removed while writing: exit %d, "
                "%s",
                process.exitCode(), err.c_str());
}

#endif

TEST_F(CliProcess, TheTemplateIsDrawnWithNoDisplay) {
    QProcess first;
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        noDisplay.remove(QString::fromLatin1(name));
    }
    first.setProcessEnvironment(noDisplay);
    const Finished written = run(first, {"rurarura", "--template-pdf", path("t.pdf")});
    ASSERT_EQ(written.exit, 0) << written.err;
    EXPECT_EQ(written.err, "");
    EXPECT_EQ(test::readFileBytes(path("t.pdf").toStdString()).rfind("%PDF-", 0), 0u);
}

/** A PNG's width and height, from its header's first chunk; nothing when it is none. */
std::optional<std::pair<int, int>> pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return std::nullopt;
    }
    const auto big = [&](std::size_t at) {
        int value = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            value = value * 256 + static_cast<unsigned char>(bytes[at + k]);
        }
        return value;
    };
    return std::pair{big(16), big(20)};
}

// The 3-D view of every calculator, drawn with no display: a PNG of the size asked for.
TEST_F(CliProcess, TheViewIsDrawnWithNoDisplayAtTheSizeAskedFor) {
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        noDisplay.remove(QString::fromLatin1(name));
    }
    for (const core::Calculator* calculator : core::calculators()) {
        const QString key = QString::fromStdString(calculator->definition().key);
        SCOPED_TRACE(key.toStdString());
        QProcess process;
        process.setProcessEnvironment(noDisplay);
        const QString png = path("widok.png");
        const Finished written =
            run(process, {key, "--view-png", png, "--view", "top", "--size", "640x360"});
        ASSERT_EQ(written.exit, 0) << written.err;
        EXPECT_EQ(written.err, "");
        EXPECT_EQ(pngSize(test::readFileBytes(png.toStdString())), (std::pair{640, 360}));
    }
}

#ifndef _WIN32
TEST_F(CliProcess, AFullStandardOutputIsExit74) {
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    const Finished finished = run(process, {"rurarura"});
    EXPECT_EQ(finished.exit, 74);
    EXPECT_EQ(finished.err, "blachorys-cli: cannot write to standard output\n");
}

TEST_F(CliProcess, AFileNameThatIsNotUtf8IsRefusedNotWrittenElsewhere) {
    // QProcess passes its arguments as UTF-8; the shell's printf makes the raw bytes of a
    // Latin-2 "ł" and "ó", as a terminal set to Latin-2 would.
    QProcess shell;
    shell.setProgram(QStringLiteral("/bin/sh"));
    shell.setArguments({"-c", "\"$0\" rurarura --txt \"$(printf '%s\\263\\363.txt' \"$1\")\"",
                        QStringLiteral(BLACHORYS_CLI), path("raport_")});
    shell.start();
    ASSERT_TRUE(shell.waitForFinished(60000));
    const std::string err = shell.readAllStandardError().toStdString();
    EXPECT_EQ(shell.exitCode(), 64) << err;
    EXPECT_NE(err.find("is not valid UTF-8"), std::string::npos) << err;
    EXPECT_TRUE(QDir(m_directory.path()).entryList(QDir::Files).isEmpty());
}

#endif

/** Sets of the core sweep run again through the program, per calculator. */
constexpr std::uint64_t kProcessSample = 100;

class CliSweep : public CliProcess,
                 public ::testing::WithParamInterface<const core::Calculator*> {};

TEST_P(CliSweep, ASampleOfTheSweepEndsAsTheCoreDoesWithFilesExactlyWhenCalculated) {
    const core::Calculator& calculator = *GetParam();
    const auto& d = calculator.definition();
    const QString txt = path("r.txt");
    const QString dxf = path("r.dxf");
    const QString pdf = path("r.pdf");
    int kinds[3] = {};
    for (std::uint64_t index = 0; index < kProcessSample; ++index) {
        const test::HostileSet set = test::hostileSet(d, 17, index);
        SCOPED_TRACE("set " + std::to_string(index) + ": " + test::describe(d, set));
        // The command line reads a "," as the decimal point, as the window's field takes it typed.
        core::CalculatorInputs typed = set.inputs;
        for (std::string& text : typed.fieldTexts) {
            std::replace(text.begin(), text.end(), ',', '.');
        }
        const core::CalculationResult expected =
            core::withMaterialList(calculator.calculate(typed, set.development, "08-12-2026"), {});
        QStringList arguments{
            QString::fromStdString(d.key), "--date", "08-12-2026", "--txt", txt, "--dxf", dxf};
        // Every fourth set draws the template too, which starts the drawing layer.
        const bool drawn = index % 4 == 0;
        if (drawn) {
            arguments << "--template-pdf" << pdf;
        }
        if (!d.developments.empty()) {
            arguments << "--development"
                      << QString::fromStdString(d.developments[set.development].key);
        }
        for (std::size_t f = 0; f < d.fields.size(); ++f) {
            arguments << QString::fromStdString(d.fields[f].name + "=" + set.inputs.fieldTexts[f]);
        }
        for (std::size_t k = 0; k < d.selectors.size(); ++k) {
            const std::size_t choice = set.inputs.choices[k];
            arguments << QString::fromStdString("--" + d.selectors[k].name)
                      << QString::fromStdString(d.selectors[k].choices[choice].key);
        }
        for (const QString& file : {txt, dxf, pdf}) {
            QFile::remove(file);
        }
        QProcess process;
        const Finished finished = run(process, arguments);
        ++kinds[static_cast<int>(expected.status)];
        ASSERT_FALSE(finished.crashed) << finished.err;
        std::string messages;
        for (const auto& message : expected.messages) {
            messages += message.text + "\n";
        }
        EXPECT_TRUE(finished.err.ends_with(messages)) << finished.err;
        const bool calculated = expected.status == core::CalculationResult::Status::Calculated;
        EXPECT_EQ(QFileInfo::exists(txt), calculated);
        EXPECT_EQ(QFileInfo::exists(dxf), calculated);
        if (!calculated) {
            const bool refused = expected.status == core::CalculationResult::Status::Refused;
            EXPECT_EQ(finished.exit, refused ? 1 : 2);
            EXPECT_FALSE(QFileInfo::exists(pdf));
            continue;
        }
        EXPECT_EQ(test::readFileBytes(txt.toStdString()),
                  io::reportFileBytes(expected.outputs->report).toStdString());
        EXPECT_EQ(test::readFileBytes(dxf.toStdString()),
                  io::dxfFileBytes(core::dxfLinesOf(*expected.outputs)).toStdString());
        // A pattern too large for a template is a file that could not be written, and no file.
        const bool planned =
            !drawn || core::planTemplate(expected.outputs->pattern, {}, {}, 0.0).plan.has_value();
        EXPECT_EQ(finished.exit, planned ? 0 : 73) << finished.err;
        EXPECT_EQ(QFileInfo::exists(pdf), drawn && planned);
    }
    std::printf("[sweep] %s through blachorys-cli: %d calculated, %d refused, %d failed\n",
                d.key.c_str(), kinds[0], kinds[1], kinds[2]);
}

INSTANTIATE_TEST_SUITE_P(Registry, CliSweep, ::testing::ValuesIn(core::calculators()),
                         [](const auto& info) { return info.param->definition().key; });

#ifndef _WIN32
/** Huge sets of the core's sweep run through every file the program makes, per calculator. */
constexpr std::uint64_t kHugeProcessSample = 4;
/** CPU seconds the program may take for a set and all its files. */
constexpr double kHugeProcessCpuSeconds = 4.0;

/** The set as the command line's options: development, fields, choices, plate, parts, edge. */
QStringList optionsOf(const core::CalculatorDefinition& d, const test::HostileSet& set) {
    QStringList options;
    if (!d.developments.empty()) {
        options << "--development" << QString::fromStdString(d.developments[set.development].key);
    }
    for (std::size_t f = 0; f < d.fields.size(); ++f) {
        options << QString::fromStdString(d.fields[f].name + "=" + set.inputs.fieldTexts[f]);
    }
    for (std::size_t k = 0; k < d.selectors.size(); ++k) {
        options << QString::fromStdString("--" + d.selectors[k].name)
                << QString::fromStdString(d.selectors[k].choices[set.inputs.choices[k]].key);
    }
    options << "--plate"
            << QStringLiteral("%1x%2").arg(set.plate.plate.width).arg(set.plate.plate.length)
            << "--parts" << QString::number(set.plate.parts);
    if (set.edge.choice != core::EdgeChoice::Square) {
        options << "--edge" << (set.edge.choice == core::EdgeChoice::Fit ? "fit" : "groove");
    }
    return options;
}

class CliHugeSweep : public CliProcess,
                     public ::testing::WithParamInterface<const core::Calculator*> {};

TEST_P(CliHugeSweep, EveryFileOfAHugeSetIsWrittenOrRefusedWithinItsTimeAndMemory) {
    const auto& d = GetParam()->definition();
    std::vector<test::HostileSet> sets = test::knownHugeSets(d);
    for (std::uint64_t index = 0; index < kHugeProcessSample; ++index) {
        sets.push_back(test::hugeSet(d, 17, index));
    }
    const char* const options[] = {"--txt",      "--dxf",         "--template-pdf", "--cnc-dxf",
                                   "--view-png", "--nesting-dxf", "--nesting-pdf"};
    const test::RunBounds bounds = test::boundsFor(kHugeProcessCpuSeconds);
    int calculated = 0;
    long long refusedFiles = 0;
    double slowest = 0.0;
    long peakKb = 0;
    for (const test::HostileSet& set : sets) {
        SCOPED_TRACE(test::describe(d, set));
        QStringList arguments{QString::fromStdString(d.key), "--date", "08-12-2026"};
        QStringList files;
        for (const char* option : options) {
            files << path(option + 2);
            QFile::remove(files.back());
            arguments << option << files.back();
        }
        arguments << optionsOf(d, set);
        QProcess process;
        process.setChildProcessModifier([bounds] { test::applyBounds(bounds); });
        rusage before{};
        getrusage(RUSAGE_CHILDREN, &before);
        const Finished finished = run(process, arguments);
        rusage after{};
        getrusage(RUSAGE_CHILDREN, &after);
        // A child past its CPU limit ends by SIGXCPU: a crash.
        ASSERT_FALSE(finished.crashed) << "ended by a signal, past " << bounds.cpuSeconds
                                       << " s of CPU or out of memory: " << finished.err;
        const double seconds = test::cpuSecondsOf(after) - test::cpuSecondsOf(before);
        slowest = std::max(slowest, seconds);
        EXPECT_LE(seconds, bounds.cpuSeconds);
        peakKb = after.ru_maxrss;
        EXPECT_LE(peakKb, test::kMostResidentKb);
        const auto missing = std::count_if(files.begin(), files.end(), [](const QString& file) {
            return !QFileInfo::exists(file);
        });
        qsizetype refusals = 0;
        for (std::size_t at = finished.err.find("cannot make "); at != std::string::npos;
             at = finished.err.find("cannot make ", at + 1)) {
            ++refusals;
        }
        EXPECT_EQ(finished.err.find("cannot write"), std::string::npos) << finished.err;
        // Refused inputs leave no file; each file refused says why in one line, exit 73, and
        // leaves nothing behind.
        const bool done = finished.exit == 0 || finished.exit == 73;
        EXPECT_TRUE(done || finished.exit == 1 || finished.exit == 2) << finished.err;
        EXPECT_EQ(missing, done ? refusals : files.size()) << finished.err;
        EXPECT_EQ(finished.exit == 73, refusals > 0) << finished.err;
        calculated += done ? 1 : 0;
        refusedFiles += refusals;
    }
    std::printf("[sweep] %s: %zu huge sets through every file of blachorys-cli, %d calculated, "
                "%lld files refused; the slowest %.2f s CPU, the largest %ld MiB resident\n",
                d.key.c_str(), sets.size(), calculated, refusedFiles, slowest, peakKb / 1024);
}

INSTANTIATE_TEST_SUITE_P(Registry, CliHugeSweep, ::testing::ValuesIn(core::calculators()),
                         [](const auto& info) { return info.param->definition().key; });

TEST(FileSizeSignal, IsIgnoredSoTheWriteFailsInstead) {
    const auto previous = std::signal(SIGXFSZ, SIG_DFL);
    io::ignoreFileSizeLimitSignal();
    EXPECT_EQ(std::signal(SIGXFSZ, previous), SIG_IGN);
}
#endif

} // namespace
} // namespace blachorys::cli
