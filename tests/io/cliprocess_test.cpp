// blachorys-cli run as a process, for what only a process shows: signals, the real standard
// output, file names as bytes.
#include "common/io/filesizesignal.h"
#include "support/golden.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

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

TEST_F(CliProcess, AFileSizeLimitIsAFailedWriteNotADeath) {
    QProcess first;
    ASSERT_EQ(run(first, {"rurarura", "--date", "08-12-2026", "--txt", path("o.txt")}).exit, 0);
    QProcess limited;
    // As `ulimit -f 8`: 8 blocks of 1 KiB, far less than the report of N = 2000.
    limited.setChildProcessModifier([] {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 8 * 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    const Finished finished = run(limited, {"rurarura", "N=2000", "--txt", path("o.txt")});
    EXPECT_FALSE(finished.crashed) << "killed by SIGXFSZ";
    EXPECT_EQ(finished.exit, 73);
    EXPECT_NE(finished.err.find("cannot write the TXT file"), std::string::npos) << finished.err;
    EXPECT_EQ(test::readFileBytes(path("o.txt").toStdString()),
              test::readGolden("rurarura/mniejsza.txt"));
}

TEST_F(CliProcess, TheTemplateIsDrawnWithNoDisplayAndAFailedWriteKeepsTheEarlierFile) {
    QProcess first;
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        noDisplay.remove(QString::fromLatin1(name));
    }
    first.setProcessEnvironment(noDisplay);
    const Finished written = run(first, {"rurarura", "--template-pdf", path("t.pdf")});
    ASSERT_EQ(written.exit, 0) << written.err;
    EXPECT_EQ(written.err, "");
    const std::string earlier = test::readFileBytes(path("t.pdf").toStdString());
    EXPECT_EQ(earlier.rfind("%PDF-", 0), 0u);

    QProcess limited;
    limited.setProcessEnvironment(noDisplay);
    limited.setChildProcessModifier([] {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 8 * 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    const Finished failed = run(limited, {"rurarura", "--template-pdf", path("t.pdf")});
    EXPECT_EQ(failed.exit, 73);
    EXPECT_NE(failed.err.find("cannot write the PDF file"), std::string::npos) << failed.err;
    EXPECT_EQ(test::readFileBytes(path("t.pdf").toStdString()), earlier);
}

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

TEST(FileSizeSignal, IsIgnoredSoTheWriteFailsInstead) {
    const auto previous = std::signal(SIGXFSZ, SIG_DFL);
    io::ignoreFileSizeLimitSignal();
    EXPECT_EQ(std::signal(SIGXFSZ, previous), SIG_IGN);
}

} // namespace
} // namespace blachorys::cli
