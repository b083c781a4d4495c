#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace blachorys::gui {

class Prompts;

/** Writes a file at a path; returns the failure's description, or nothing. */
using FileWriter = std::function<std::optional<QString>(const QString& path)>;

/**
 * The name a save dialog returned, with the filter's extension added when the name has none
 * ("szablon" is saved as "szablon.dxf" for "Plik rysunku -  DXF|*.dxf").
 */
QString withDefaultSuffix(const QString& name, const QString& filter);

/**
 * Saving an output as every window does it: the save dialog (offering `lastName`, or
 * `initialName` the first time), the filter's extension added, the overwrite question when
 * the file exists, the write, and an error box naming the file when the write fails.
 */
void saveThroughDialog(Prompts& prompts, QWidget* parent, const QString& filter,
                       const QString& initialName, QString& lastName, const FileWriter& write);

} // namespace blachorys::gui
