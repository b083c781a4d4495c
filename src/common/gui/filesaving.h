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

/** Where a save dialog's answer went: the path with its extension, and whether it was written. */
struct SaveOutcome {
    QString path;
    bool written = false;
};

/**
 * Saving an output as every window does it: the save dialog (opened at `offeredPath`), the
 * filter's extension added, the overwrite question when the file exists, the write, and an
 * error box naming the file when the write fails. Nothing when the dialog was cancelled.
 */
std::optional<SaveOutcome> saveThroughDialog(Prompts& prompts, QWidget* parent,
                                             const QString& filter, const QString& offeredPath,
                                             const FileWriter& write);

} // namespace blachorys::gui
