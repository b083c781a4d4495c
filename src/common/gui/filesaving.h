#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace blachorys::gui {

class Prompts;

/**
 * Writes a file at a path with the dialog's filter `filterIndex` chosen; returns the failure's
 * description, or nothing.
 */
using FileWriter = std::function<std::optional<QString>(const QString& path, int filterIndex)>;

/**
 * The name a save dialog returned, with the extension of its filter `filterIndex` added when
 * the name has none ("szablon" is saved as "szablon.dxf" for "Plik rysunku -  DXF|*.dxf"), or
 * in place of the extension of another of its filters ("rozkroj.dxf" is saved as "rozkroj.pdf"
 * when the PDF is chosen).
 */
QString withDefaultSuffix(const QString& name, const QString& filter, int filterIndex = 0);

/**
 * The folder a save dialog opens in: where the last file of any kind went, in this run or an
 * earlier one (the program's settings in `settingsDirectory` keep it), so that one job's files
 * go together; `settingsDirectory` itself the first time or when that folder is gone.
 */
QString lastSaveFolder(const QString& settingsDirectory);

/**
 * Where a save dialog's answer went: the path with its extension, whether it was written, the
 * filter chosen.
 */
struct SaveOutcome {
    QString path;
    bool written = false;
    int filterIndex = 0;
};

/**
 * Saving an output as every window does it: the save dialog (opened at `offeredPath` with the
 * filter `initialFilter` chosen), the
 * filter's extension added, the overwrite question when the file exists, the write, and an
 * error box naming the file when the write fails. Nothing when the dialog was cancelled.
 */
std::optional<SaveOutcome> saveThroughDialog(Prompts& prompts, QWidget* parent,
                                             const QString& filter, const QString& offeredPath,
                                             const FileWriter& write, int initialFilter = 0);

} // namespace blachorys::gui
