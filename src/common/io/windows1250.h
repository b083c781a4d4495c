#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace blachorys::io {

/** The code page of every file the program writes and reads. */
QByteArray toWindows1250(const QString& text);
QString fromWindows1250(const QByteArray& bytes);

/** UTF-8 lines from the core, each ended by CR LF, in Windows-1250. */
QByteArray linesToWindows1250(const std::vector<std::string>& utf8Lines);

} // namespace blachorys::io
