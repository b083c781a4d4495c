#pragma once

#include <QString>

namespace blachorys::io {

/**
 * Whether two names reach the same file: the same place (compared as the system compares file
 * names, so without regard to case on Windows), or one existing file under two names (a hard
 * link, a symbolic link).
 */
bool namesSameFile(const QString& first, const QString& second);

/**
 * Whether files can be created in `directory`. On Windows the answer comes from creating one:
 * Qt's attribute check says yes to a folder of Program Files that only administrators may
 * write.
 */
bool canCreateFilesIn(const QString& directory);

} // namespace blachorys::io
