#include "common/gui/makerlabel.h"

#include "common/core/calculator/makercontact.h"
#include "common/gui/prompts.h"

#include <QMouseEvent>
#include <QUrl>

namespace blachorys::gui {

MakerLabel::MakerLabel(Target target, Prompts& prompts, QWidget* parent)
    : QLabel(parent), m_target(target), m_prompts(prompts) {
    setCursor(Qt::PointingHandCursor);
    if (target == Target::WebPage) {
        setText(QString::fromUtf8(core::kMakerWebLabel));
        QFont labelFont(QStringLiteral("Arial"));
        labelFont.setPixelSize(19);
        labelFont.setBold(true);
        labelFont.setItalic(true);
        setFont(labelFont);
    } else {
        setText(QString::fromUtf8(core::kMakerEmail));
    }
}

QString MakerLabel::address() const {
    if (m_target == Target::WebPage) {
        return QString::fromUtf8(core::kMakerWebAddress);
    }
    return QStringLiteral("mailto:") + QString::fromUtf8(core::kMakerEmail) +
           QString::fromUtf8(core::kMailSubjectAndBody);
}

void MakerLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        m_prompts.openUrl(QUrl(address()));
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace blachorys::gui
