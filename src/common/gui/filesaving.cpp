#include "common/gui/filesaving.h"

#include "common/gui/prompts.h"

#include <QFileInfo>
#include <QStringList>

namespace blachorys::gui {

QString withDefaultSuffix(const QString& name, const QString& filter, int filterIndex) {
    const QString pattern = filter.split(u'|').value(2 * filterIndex + 1);
    const QString suffix = pattern.mid(pattern.lastIndexOf(QStringLiteral("*.")) + 2);
    if (suffix.isEmpty() || !QFileInfo(name).suffix().isEmpty()) {
        return name;
    }
    return name.endsWith(u'.') ? name + suffix : name + u'.' + suffix;
}

std::optional<SaveOutcome> saveThroughDialog(Prompts& prompts, QWidget* parent,
                                             const QString& filter, const QString& offeredPath,
                                             const FileWriter& write) {
    const auto chosen = prompts.saveFileName(parent, filter, offeredPath);
    if (!chosen) {
        return std::nullopt;
    }
    SaveOutcome outcome{withDefaultSuffix(chosen->name, filter, chosen->filterIndex), false};
    if (QFileInfo::exists(outcome.path) &&
        !prompts.askYesNo(parent, QStringLiteral("Plik - ") + outcome.path +
                                      QStringLiteral(" juz istnieje - Nadpisac ?"))) {
        return outcome;
    }
    if (const auto failure = write(outcome.path, chosen->filterIndex)) {
        prompts.error(parent, QStringLiteral("Nie moge zapisac pliku ") + outcome.path +
                                  QStringLiteral(" : ") + *failure);
        return outcome;
    }
    outcome.written = true;
    return outcome;
}

} // namespace blachorys::gui
