#include "app/defaultmenustyle.h"

#include <QAction>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QWidget>

namespace blachorys::gui {

DefaultMenuStyle::DefaultMenuStyle(QAction* defaultItem) : m_defaultItem(defaultItem) {}

bool DefaultMenuStyle::isDefaultItem(const QStyleOption* option) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    return item != nullptr && item->text == m_defaultItem->text();
}

void DefaultMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuBarItem && isDefaultItem(option)) {
        painter->save();
        QFont bold = painter->font();
        bold.setBold(true);
        painter->setFont(bold);
        QProxyStyle::drawControl(element, option, painter, widget);
        painter->restore();
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize DefaultMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                         const QSize& size, const QWidget* widget) const {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuBarItem && isDefaultItem(option)) {
        // Room for the bolder text.
        QFont bold = widget != nullptr ? widget->font() : QFont();
        bold.setBold(true);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        const int extra = QFontMetrics(bold).horizontalAdvance(item->text) -
                          option->fontMetrics.horizontalAdvance(item->text);
        result.rwidth() += qMax(0, extra);
    }
    return result;
}

} // namespace blachorys::gui
