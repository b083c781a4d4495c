#pragma once

#include "common/core/calculatordefinition.h"

#include <QLineEdit>

namespace blachorys::gui {

/**
 * An input field whose key filter drops every typed character the field does not take,
 * control keys included (so Ctrl+C and Ctrl+V typed here do nothing). Keys that type no
 * character (arrows, Home, End, Delete) work as usual; pasting with the mouse is not filtered.
 */
class NumericLineEdit : public QLineEdit {
    Q_OBJECT
public:
    NumericLineEdit(core::FieldFilter filter, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    core::FieldFilter m_filter;
};

} // namespace blachorys::gui
