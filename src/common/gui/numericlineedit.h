#pragma once

#include "common/core/calculator/calculatordefinition.h"

#include <QClipboard>
#include <QLineEdit>

class QMenu;

namespace blachorys::gui {

/**
 * An input field whose key filter judges every character that enters it: typed, pasted
 * (Ctrl+V, Shift+Insert, the context menu, the middle button), dropped or committed by an
 * input method. What the filter drops is left out and the rest goes in, "," as "."; so the
 * field always shows what "Licz" will read. The editing keys and shortcuts (Ctrl+A, Ctrl+C,
 * Ctrl+X, Ctrl+Z, the arrows, Home, End, Delete) work as in any field.
 */
class NumericLineEdit : public QLineEdit {
    Q_OBJECT
public:
    NumericLineEdit(core::FieldFilter filter, QWidget* parent = nullptr);

    /** Puts what of `text` the filter lets in over the selection, as typing it would. */
    void insertFiltered(const QString& text);
    /** The line edit's own context menu, its Paste going through the filter. */
    QMenu* createFilteredContextMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    /** The text an insertion leaves standing: the whole text less the selection. */
    std::string keptText() const;
    QString filtered(const QString& text) const;
    void pasteFiltered(QClipboard::Mode mode);

    core::FieldFilter m_filter;
};

} // namespace blachorys::gui
