#pragma once

#include <QObject>
#include <QPointer>
#include <QStatusBar>
#include <QString>

#include <vector>

class QWidget;

namespace blachorys::gui {

/**
 * Shows a control's long hint in the status bar of the calculator window created last,
 * whichever window the mouse is over. When that window closes, the hints go to the newest
 * calculator window still open; the router never touches a closed window.
 */
class HintRouter : public QObject {
    Q_OBJECT
public:
    explicit HintRouter(QObject* parent = nullptr);

    /** Makes `statusBar` the target, replacing the previous one. */
    void addTarget(QStatusBar* statusBar);
    /** The status bar hints go to now, or nullptr when no calculator window is open. */
    QStatusBar* target();

    /** Gives `widget` a hint "short|long": the short part as its tooltip, the long one routed. */
    void attach(QWidget* widget, const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QPointer<QStatusBar>> m_targets;
};

} // namespace blachorys::gui
