#include "common/gui/filesaving.h"

#include "common/gui/prompts.h"

#include <QFileInfo>

namespace blachorys::gui {

QString withDefaultSuffix(const QString& name, const QString& filter) {
    const QString suffix = filter.mid(filter.lastIndexOf(QStringLiteral("*.")) + 2);
    if (suffix.isEmpty() || !QFileInfo(name).suffix().isEmpty()) {
        return name;
    }
    return name.endsWith(u'.') ? name + suffix : name + u'.' + suffix;
}

void saveThroughDialog(Prompts& prompts, QWidget* parent, const QString& filter,
                       const QString& initialName, QString& lastName, const FileWriter& write) {
    const auto chosen =
        prompts.saveFileName(parent, filter, lastName.isEmpty() ? initialName : lastName);
    if (!chosen) {
        return;
    }
    const QString path = withDefaultSuffix(*chosen, filter);
    lastName = path;
    if (QFileInfo::exists(path) &&
        !prompts.askYesNo(parent, QStringLiteral("Plik - ") + path +
                                      QStringLiteral(" juz istnieje - Nadpisac ?"))) {
        return;
    }
    if (const auto failure = write(path)) {
        prompts.error(parent, QStringLiteral("Nie moge zapisac pliku ") + path +
                                  QStringLiteral(" : ") + *failure);
    }
}

} // namespace blachorys::gui
