#include "common/io/windows1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace blachorys::io {

QByteArray toWindows1250(const QString& text) {
    QStringEncoder encoder("windows-1250", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString fromWindows1250(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1250", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray linesToWindows1250(const std::vector<std::string>& utf8Lines) {
    QString text;
    for (const auto& line : utf8Lines) {
        text += QString::fromStdString(line);
        text += QStringLiteral("\r\n");
    }
    return toWindows1250(text);
}

} // namespace blachorys::io
