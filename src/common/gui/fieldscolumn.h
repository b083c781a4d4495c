#pragma once

#include <QWidget>

#include <vector>

class QLabel;

namespace blachorys::gui {

/**
 * The upper left of a calculator window: the development selector, the fields with their labels
 * and units, the note beside them, "Licz", "Arkusz" and the other buttons. Narrow, as designed: the developments
 * above, the fields in one column, the note beside them with the buttons under it. Wide (a
 * maximised window, whose results box stands its buttons beside the memo): the fields in two
 * columns under the developments, the buttons under them and the note beside, so that the memo
 * below gets the height the single column took.
 */
class FieldsColumn final : public QWidget {
    Q_OBJECT
public:
    /** One field's line: its label, the field and its unit. */
    struct Row {
        QLabel* label = nullptr;
        QWidget* field = nullptr;
        QLabel* unit = nullptr;
    };

    /**
     * `rows` in the window's tab order; `packedRows` closes their spacing up, for windows of
     * more fields than the designed ones held. The widgets become the column's children.
     */
    FieldsColumn(std::vector<QWidget*> developments, std::vector<Row> rows, QWidget* note,
                 std::vector<QWidget*> buttons, bool packedRows, QWidget* parent = nullptr);

    bool isWide() const { return m_wide; }

public slots:
    void setWide(bool wide);

private:
    void arrange();
    /** The rows, top to bottom and then into the next of `columns` columns. */
    QLayout* fieldGrid(int columns) const;
    /** The buttons in one row, or in rows each within the note's width. */
    QLayout* buttonRows(bool oneRow) const;

    std::vector<QWidget*> m_developments;
    std::vector<Row> m_rows;
    QWidget* m_note;
    std::vector<QWidget*> m_buttons;
    bool m_packedRows;
    bool m_wide = false;
};

} // namespace blachorys::gui
