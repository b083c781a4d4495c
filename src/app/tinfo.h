#pragma once

#include <QWidget>

namespace blachorys::gui {

class Prompts;

/** "Informacje ogólne": notes for the user, the program's name, version and author. */
class TInfo final : public QWidget {
    Q_OBJECT
public:
    explicit TInfo(Prompts& prompts, QWidget* parent = nullptr);

    /** The numbered notes shown in the memo. */
    static QString notesText();
};

} // namespace blachorys::gui
