#pragma once

class QCoreApplication;

namespace blachorys::gui {

/**
 * Qt's own texts in Polish, as the program's are: the buttons of the message boxes ("Tak",
 * "Nie"), the file and print dialogs, the fields' context menu. Uses Qt's translations
 * (Debian's qt6-translations-l10n); without them Qt's English stays. True when loaded.
 */
bool installPolishTranslations(QCoreApplication& application);

} // namespace blachorys::gui
