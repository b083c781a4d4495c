#include "common/gui/numericlineedit.h"

#include "common/core/fieldreading.h"

#include <QKeyEvent>

#include <optional>

namespace blachorys::gui {
namespace {

/** The character a key types, if any; Ctrl+letter types its control character. */
std::optional<char32_t> typedCharacter(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Delete) {
        return std::nullopt;
    }
    const QString text = event.text();
    if (!text.isEmpty()) {
        const auto codePoints = text.toUcs4();
        return codePoints.size() == 1 ? static_cast<char32_t>(codePoints.front()) : U'\uFFFD';
    }
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A &&
        event.key() <= Qt::Key_Z) {
        return static_cast<char32_t>(event.key() - Qt::Key_A + 1);
    }
    return std::nullopt;
}

} // namespace

NumericLineEdit::NumericLineEdit(core::FieldFilter filter, QWidget* parent)
    : QLineEdit(parent), m_filter(filter) {}

void NumericLineEdit::keyPressEvent(QKeyEvent* event) {
    // Return and Enter type nothing; the line edit turns them into returnPressed().
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const auto character = typedCharacter(*event);
    if (character && !core::keyFilterAccepts(m_filter, text().toStdString(), *character)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace blachorys::gui
