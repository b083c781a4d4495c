#include "common/io/atomicfile.h"

#include "support/golden.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef _WIN32
#include "support/filesizelimit.h"

#include <thread>

#include <sys/stat.h>
#endif

namespace blachorys::io {
namespace {

class AtomicFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(m_directory.path()).filePath(name); }
    std::string contents(const QString& name) const {
        return test::readFileBytes(path(name).toStdString());
    }
    QStringList entries() const {
        return QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QTemporaryDir m_directory;
};

TEST_F(AtomicFile, WritesAndReplaces) {
    ASSERT_FALSE(writeFileAtomically(path("a.txt"), "first\r\n").has_value());
    EXPECT_EQ(contents("a.txt"), "first\r\n");
    ASSERT_FALSE(writeFileAtomically(path("a.txt"), "second").has_value());
    EXPECT_EQ(contents("a.txt"), "second");
    ASSERT_FALSE(writeFileAtomically(path("a.txt"), QByteArray()).has_value());
    EXPECT_EQ(contents("a.txt"), "");
    EXPECT_EQ(entries(), QStringList{"a.txt"});
}

#ifndef _WIN32
// A file-size limit, FIFOs and /dev/full are POSIX's.
TEST_F(AtomicFile, FailedWriteLeavesTheOldFile) {
    ASSERT_FALSE(writeFileAtomically(path("a.txt"), "old contents").has_value());
    std::optional<QString> failure;
    {
        const test::FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.active());
        failure = writeFileAtomically(path("a.txt"), QByteArray(256 * 1024, 'x'));
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->isEmpty());
    EXPECT_EQ(contents("a.txt"), "old contents");
    // The half-written temporary file is gone too.
    EXPECT_EQ(entries(), QStringList{"a.txt"});
    // With the limit lifted the same write goes through.
    EXPECT_FALSE(writeFileAtomically(path("a.txt"), QByteArray(256 * 1024, 'x')).has_value());
    EXPECT_EQ(contents("a.txt").size(), 256u * 1024);
}

#endif

TEST_F(AtomicFile, MissingDirectoryIsAnError) {
    const auto failure = writeFileAtomically(path("no/such/dir/a.txt"), "x");
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->isEmpty());
    EXPECT_FALSE(QDir(path("no")).exists());
}

#ifndef _WIN32
TEST_F(AtomicFile, ASpecialFileIsWrittenInPlaceNotReplaced) {
    // A FIFO stands in for a device such as /dev/null: renaming a temporary file over it would
    // leave a regular file in its place.
    const QString fifo = path("rura.fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = test::readFileBytes(fifo.toStdString()); });
    const auto failure = writeFileAtomically(fifo, "through the pipe\r\n");
    reader.join();
    EXPECT_FALSE(failure.has_value());
    EXPECT_EQ(received, "through the pipe\r\n");
    struct stat status {};
    ASSERT_EQ(::stat(fifo.toLocal8Bit().constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(entries(), QStringList{"rura.fifo"});
}

TEST_F(AtomicFile, AFullDeviceIsAFailedWrite) {
    // A device is written in place, so its short write must show as a failure too.
    const auto failure = writeFileAtomically(QStringLiteral("/dev/full"), "x");
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->isEmpty());
}

#endif

TEST_F(AtomicFile, ADirectoryIsNotWrittenOver) {
    ASSERT_TRUE(QDir(m_directory.path()).mkdir("katalog"));
    EXPECT_TRUE(writeFileAtomically(path("katalog"), "x").has_value());
    EXPECT_TRUE(QFileInfo(path("katalog")).isDir());
}

} // namespace
} // namespace blachorys::io
