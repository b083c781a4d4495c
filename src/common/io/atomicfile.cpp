#include "common/io/atomicfile.h"

#include <QSaveFile>

namespace blachorys::io {

std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

} // namespace blachorys::io
