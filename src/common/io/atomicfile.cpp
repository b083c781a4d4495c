#include "common/io/atomicfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace blachorys::io {
namespace {

QString shortWriteError(const QFileDevice& file) {
    return file.error() == QFileDevice::NoError
               ? QStringLiteral("nie zapisano calej zawartosci pliku")
               : file.errorString();
}

/** A device, a FIFO or a socket takes the bytes where it is; nothing is renamed over it. */
std::optional<QString> writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        return shortWriteError(file);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        return writeInPlace(path, bytes);
    }
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full, file size limit) shows in write()'s count: a
    // buffered QSaveFile can lose the error while flushing and commit a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        const QString error = shortWriteError(file);
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

} // namespace blachorys::io
