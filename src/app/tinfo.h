#pragma once

#include <QWidget>

namespace blachorys::gui {

class Prompts;

/**
 * "Informacje ogólne": notes for the user, the program's name, version and author, and whether
 * the window comes back at every return to the program.
 */
class TInfo final : public QWidget {
    Q_OBJECT
public:
    /** `showOnReturn` checks the box; toggling it is told by `showOnReturnChanged`. */
    TInfo(Prompts& prompts, bool showOnReturn, QWidget* parent = nullptr);

    /** The numbered notes shown in the memo. */
    static QString notesText();

signals:
    void showOnReturnChanged(bool show);
};

} // namespace blachorys::gui
