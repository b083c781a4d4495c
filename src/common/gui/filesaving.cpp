#include "common/gui/filesaving.h"

#include "common/gui/prompts.h"
#include "common/io/programsettings.h"

#include <QFileInfo>
#include <QStringList>

namespace blachorys::gui {

namespace {

/** The extension of a filter's pattern: "dxf" for "*.dxf". */
QString suffixOf(const QString& pattern) {
    return pattern.mid(pattern.lastIndexOf(QStringLiteral("*.")) + 2);
}

} // namespace

QString withDefaultSuffix(const QString& name, const QString& filter, int filterIndex) {
    const QStringList parts = filter.split(u'|');
    const QString suffix = suffixOf(parts.value(2 * filterIndex + 1));
    const QString current = QFileInfo(name).suffix();
    if (suffix.isEmpty() || current.compare(suffix, Qt::CaseInsensitive) == 0) {
        return name;
    }
    if (current.isEmpty()) {
        return name.endsWith(u'.') ? name + suffix : name + u'.' + suffix;
    }
    // The name offered for another of the dialog's files takes the chosen one's extension.
    for (qsizetype pattern = 1; pattern < parts.size(); pattern += 2) {
        if (current.compare(suffixOf(parts[pattern]), Qt::CaseInsensitive) == 0) {
            return name.left(name.size() - current.size()) + suffix;
        }
    }
    return name;
}

QString lastSaveFolder(const QString& settingsDirectory) {
    const QString folder = io::ProgramSettings(settingsDirectory).lastSaveFolder();
    return folder.isEmpty() || !QFileInfo(folder).isDir() ? settingsDirectory : folder;
}

std::optional<SaveOutcome> saveThroughDialog(Prompts& prompts, QWidget* parent,
                                             const QString& filter, const QString& offeredPath,
                                             const FileWriter& write, int initialFilter) {
    const auto chosen = prompts.saveFileName(parent, filter, offeredPath, initialFilter);
    if (!chosen) {
        return std::nullopt;
    }
    SaveOutcome outcome{withDefaultSuffix(chosen->name, filter, chosen->filterIndex), false,
                        chosen->filterIndex};
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
