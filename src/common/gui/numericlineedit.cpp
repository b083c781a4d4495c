#include "common/gui/numericlineedit.h"

#include "common/core/calculator/fieldreading.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace blachorys::gui {
namespace {

/**
 * Whether the line edit would insert the key's text: it has text that is no control
 * character, and Ctrl is not held without Alt (Ctrl+Alt is AltGr on some keyboards).
 */
bool typesText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty() || text.front().category() == QChar::Other_Control) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return modifiers != Qt::ControlModifier && modifiers != Qt::MetaModifier;
}

} // namespace

NumericLineEdit::NumericLineEdit(core::FieldFilter filter, QWidget* parent)
    : QLineEdit(parent), m_filter(filter) {}

std::string NumericLineEdit::keptText() const {
    QString kept = text();
    if (hasSelectedText()) {
        kept.remove(selectionStart(), selectionLength());
    }
    return kept.toStdString();
}

QString NumericLineEdit::filtered(const QString& inserted) const {
    return QString::fromStdU32String(
        core::filteredInsertion(m_filter, keptText(), inserted.toStdU32String()));
}

void NumericLineEdit::insertFiltered(const QString& text) {
    const QString entered = filtered(text);
    if (!entered.isEmpty()) {
        insert(entered);
    }
}

void NumericLineEdit::pasteFiltered(QClipboard::Mode mode) {
    if (!isReadOnly()) {
        insertFiltered(QGuiApplication::clipboard()->text(mode));
    }
}

void NumericLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (typesText(*event)) {
        insertFiltered(event->text());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumericLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent entered(event->preeditString(), event->attributes());
    entered.setCommitString(filtered(event->commitString()), event->replacementStart(),
                            event->replacementLength());
    QLineEdit::inputMethodEvent(&entered);
}

void NumericLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection of the window system, where there is one.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteFiltered(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumericLineEdit::dropEvent(QDropEvent* event) {
    // Text moved within the field has passed the filter already, and only moves.
    if (event->source() == this && event->dropAction() == Qt::MoveAction) {
        QLineEdit::dropEvent(event);
        return;
    }
    if (isReadOnly() || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    const QString entered = filtered(event->mimeData()->text());
    // What the filter leaves out must stay where it came from: a copy then, never a move.
    const bool cut = entered != event->mimeData()->text();
    if (entered.isEmpty() || (cut && !(event->possibleActions() & Qt::CopyAction))) {
        event->ignore();
        return;
    }
    insert(entered);
    if (cut) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
    setFocus(Qt::MouseFocusReason);
}

QMenu* NumericLineEdit::createFilteredContextMenu() {
    QMenu* menu = createStandardContextMenu();
    // The line edit names its Paste by the shortcut it shows after a tab, in any language.
    const QString pasteShortcut =
        u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (action->text().endsWith(pasteShortcut)) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this,
                    [this] { pasteFiltered(QClipboard::Clipboard); });
        }
    }
    return menu;
}

void NumericLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createFilteredContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace blachorys::gui
