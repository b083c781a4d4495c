#include "common/io/atomicfile.h"

#include <QSaveFile>

namespace blachorys::io {

std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full, file size limit) shows in write()'s count: a
    // buffered QSaveFile can lose the error while flushing and commit a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.error() == QFileDevice::NoError
                                  ? QStringLiteral("nie zapisano calej zawartosci pliku")
                                  : file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

} // namespace blachorys::io
