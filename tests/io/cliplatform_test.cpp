#include "common/io/platformfiles.h"
#include "support/golden.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

// Where the systems differ: file names beyond ASCII, the exact bytes of standard output, and
// when two names are one file.
namespace blachorys::io {
namespace {

class CliOnThisSystem : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(m_directory.path()).filePath(name); }
    QByteArray runCli(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(BLACHORYS_CLI), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }
    QTemporaryDir m_directory;
};

TEST_F(CliOnThisSystem, AFileNameWithPolishLettersIsWrittenUnderExactlyThatName) {
    const QString name = QString::fromUtf8("raport_łódź_ŻÓŁW.txt");
    runCli({"rurarura", "--date", "08-12-2026", "--txt", path(name)});
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files), QStringList{name});
    // Read through Qt: a narrow file name on Windows is in the ANSI code page.
    QFile written(path(name));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), test::readGolden("rurarura/mniejsza.txt"));
}

TEST_F(CliOnThisSystem, FilesSentToStandardOutputKeepTheirBytes) {
    EXPECT_EQ(runCli({"stozek", "--date", "08-12-2026", "--txt", "-"}).toStdString(),
              test::readGolden("stozek/defaults.txt"));
    EXPECT_EQ(runCli({"kolanosegm", "--dxf", "-"}).toStdString(),
              test::readGolden("kolanosegm/defaults.dxf"));
}

struct NamePair {
    const char* what;
    const char* first;
    const char* second;
    bool same;
};

class TwoFileNames : public ::testing::TestWithParam<NamePair> {
protected:
    void SetUp() override {
        for (const char* existing : {"a.txt", "b.txt"}) {
            QFile file(QDir(m_directory.path()).filePath(existing));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    QTemporaryDir m_directory;
};

TEST_P(TwoFileNames, AreOneFileExactlyWhenTheSystemSaysSo) {
    const QDir directory(m_directory.path());
    EXPECT_EQ(namesSameFile(directory.filePath(GetParam().first),
                            directory.filePath(GetParam().second)),
              GetParam().same);
}

#ifdef _WIN32
constexpr bool kNamesIgnoreCase = true;
#else
constexpr bool kNamesIgnoreCase = false;
#endif

INSTANTIATE_TEST_SUITE_P(
    Table, TwoFileNames,
    ::testing::Values(NamePair{"one_name", "a.txt", "a.txt", true},
                      NamePair{"dot_segments", "./x/../a.txt", "a.txt", true},
                      NamePair{"two_existing_files", "a.txt", "b.txt", false},
                      NamePair{"existing_and_new", "a.txt", "c.txt", false},
                      NamePair{"other_case_existing", "A.TXT", "a.txt", kNamesIgnoreCase},
                      NamePair{"other_case_new", "C.DXF", "c.dxf", kNamesIgnoreCase}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(CanCreateFilesIn, AnOrdinaryDirectoryButNotAMissingOne) {
    const QTemporaryDir directory;
    EXPECT_TRUE(canCreateFilesIn(directory.path()));
    EXPECT_TRUE(QDir(directory.path()).isEmpty()) << "the check leaves nothing behind";
    EXPECT_FALSE(canCreateFilesIn(QDir(directory.path()).filePath("missing")));
}

} // namespace
} // namespace blachorys::io
