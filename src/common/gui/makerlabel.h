#pragma once

#include <QLabel>

namespace blachorys::gui {

class Prompts;

/**
 * A label that leads to the maker: the web page or a new e-mail. It shows the hand cursor
 * and hands its address to the desktop when clicked.
 */
class MakerLabel : public QLabel {
    Q_OBJECT
public:
    enum class Target { WebPage, Email };
    MakerLabel(Target target, Prompts& prompts, QWidget* parent = nullptr);

    /** The address a click opens: the web page, or "mailto:" with subject and body. */
    QString address() const;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Target m_target;
    Prompts& m_prompts;
};

} // namespace blachorys::gui
