#pragma once

#include <QProxyStyle>

class QAction;

namespace blachorys::gui {

/**
 * Draws one menu-bar item in bold, the way a desktop marks a menu's default item; a menu bar
 * otherwise ignores its actions' fonts.
 */
class DefaultMenuStyle final : public QProxyStyle {
    Q_OBJECT
public:
    explicit DefaultMenuStyle(QAction* defaultItem);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;

private:
    bool isDefaultItem(const QStyleOption* option) const;

    QAction* m_defaultItem;
};

} // namespace blachorys::gui
