#include "common/gui/hintrouter.h"

#include "common/core/calculator/fieldreading.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace blachorys::gui {
namespace {

constexpr const char* kLongHintProperty = "blachorysLongHint";

} // namespace

HintRouter::HintRouter(QObject* parent) : QObject(parent) {}

void HintRouter::addTarget(QStatusBar* statusBar) {
    m_targets.emplace_back(statusBar);
}

QStatusBar* HintRouter::target() {
    m_targets.erase(std::remove_if(m_targets.begin(), m_targets.end(),
                                   [](const QPointer<QStatusBar>& bar) { return bar.isNull(); }),
                    m_targets.end());
    return m_targets.empty() ? nullptr : m_targets.back().data();
}

void HintRouter::attach(QWidget* widget, const QString& hint) {
    const std::string text = hint.toStdString();
    widget->setToolTip(QString::fromStdString(core::shortHint(text)));
    widget->setProperty(kLongHintProperty, QString::fromStdString(core::longHint(text)));
    widget->installEventFilter(this);
}

bool HintRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        if (QStatusBar* bar = target()) {
            if (event->type() == QEvent::Enter) {
                bar->showMessage(watched->property(kLongHintProperty).toString());
            } else {
                bar->clearMessage();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace blachorys::gui
