#include "common/io/platformfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <optional>
#include <utility>

#include <windows.h>

namespace blachorys::io {
namespace {

/** The volume and the file's number on it: what tells one file from another on Windows. */
struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const QString& path) {
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    // No access asked for, only the file's attributes; a folder opens too.
    const HANDLE file =
        CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!known) {
        return std::nullopt;
    }
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                        information.nFileIndexLow};
}

} // namespace

bool namesSameFile(const QString& first, const QString& second) {
    // Windows' file names ignore case: R.TXT and r.txt are one file, whether it exists or not.
    if (QDir::cleanPath(QFileInfo(first).absoluteFilePath())
            .compare(QDir::cleanPath(QFileInfo(second).absoluteFilePath()), Qt::CaseInsensitive) ==
        0) {
        return true;
    }
    // stat() has no inode numbers here (every file is number 0): ask the file system instead.
    const auto firstIdentity = identityOf(first);
    return firstIdentity && firstIdentity == identityOf(second);
}

bool canCreateFilesIn(const QString& directory) {
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral("blachorys-XXXXXX.tmp")));
    return probe.open();
}

} // namespace blachorys::io
