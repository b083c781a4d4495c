#include "common/io/platformfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace blachorys::io {

bool namesSameFile(const QString& first, const QString& second) {
    if (QDir::cleanPath(QFileInfo(first).absoluteFilePath()) ==
        QDir::cleanPath(QFileInfo(second).absoluteFilePath())) {
        return true;
    }
    struct stat firstStat {};
    struct stat secondStat {};
    return ::stat(QFile::encodeName(first).constData(), &firstStat) == 0 &&
           ::stat(QFile::encodeName(second).constData(), &secondStat) == 0 &&
           firstStat.st_dev == secondStat.st_dev && firstStat.st_ino == secondStat.st_ino;
}

bool canCreateFilesIn(const QString& directory) {
    return QFileInfo(directory).isWritable();
}

} // namespace blachorys::io
