#include "common/gui/fieldscolumn.h"

#include <algorithm>

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>

namespace blachorys::gui {
namespace {

/** Margins and spacing of the window's layouts, pixels. */
constexpr int kMargin = 4;
/** The row spacing of the designed windows' fields, pixels. */
constexpr int kRowSpacing = 2;
/** The gap between two columns of fields, beyond the grid's spacing, pixels. */
constexpr int kColumnGap = 2 * kMargin;

} // namespace

FieldsColumn::FieldsColumn(std::vector<QWidget*> developments, std::vector<Row> rows, QWidget* note,
                           std::vector<QWidget*> buttons, bool packedRows, QWidget* parent)
    : QWidget(parent), m_developments(std::move(developments)), m_rows(std::move(rows)),
      m_note(note), m_buttons(std::move(buttons)), m_packedRows(packedRows) {
    // Taken in the order the Tab key walks them, the developments and then the fields, so that
    // the focus chain holds no label between two of them.
    for (QWidget* widget : m_developments) {
        widget->setParent(this);
    }
    for (const Row& row : m_rows) {
        row.field->setParent(this);
    }
    for (const Row& row : m_rows) {
        row.label->setParent(this);
        row.unit->setParent(this);
    }
    m_note->setParent(this);
    for (QWidget* button : m_buttons) {
        button->setParent(this);
    }
    arrange();
}

void FieldsColumn::setWide(bool wide) {
    if (wide != m_wide) {
        m_wide = wide;
        arrange();
    }
}

void FieldsColumn::arrange() {
    // The widgets stay; only the layout holding them is made anew.
    delete layout();
    if (m_wide) {
        auto* top = new QHBoxLayout(this);
        top->setContentsMargins(0, 0, 0, 0);
        top->setSpacing(kMargin);
        auto* fields = new QVBoxLayout;
        for (QWidget* development : m_developments) {
            fields->addWidget(development);
        }
        fields->addLayout(fieldGrid(2));
        fields->addLayout(buttonRows(true));
        fields->addStretch(1);
        top->addLayout(fields);
        top->addWidget(m_note, 0, Qt::AlignTop);
        top->addStretch(1);
        return;
    }
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(kMargin);
    for (QWidget* development : m_developments) {
        top->addWidget(development);
    }
    auto* noteColumn = new QVBoxLayout;
    noteColumn->addWidget(m_note);
    noteColumn->addStretch(1);
    noteColumn->addLayout(buttonRows(false));
    auto* fieldsAndNote = new QHBoxLayout;
    fieldsAndNote->addLayout(fieldGrid(1));
    fieldsAndNote->addLayout(noteColumn);
    fieldsAndNote->addStretch(1);
    top->addLayout(fieldsAndNote);
}

QLayout* FieldsColumn::fieldGrid(int columns) const {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(m_packedRows ? 0 : kRowSpacing);
    grid->setHorizontalSpacing(kMargin);
    const int count = static_cast<int>(m_rows.size());
    const int rowsPerColumn = (count + columns - 1) / columns;
    // Label, field and unit, then an empty column before the next three.
    constexpr int kGridColumnsPerFieldColumn = 4;
    for (int i = 0; i < count; ++i) {
        const Row& row = m_rows[static_cast<std::size_t>(i)];
        const int line = i % rowsPerColumn;
        const int first = i / rowsPerColumn * kGridColumnsPerFieldColumn;
        grid->addWidget(row.label, line, first, Qt::AlignRight);
        grid->addWidget(row.field, line, first + 1);
        grid->addWidget(row.unit, line, first + 2);
    }
    for (int column = 1; column < columns; ++column) {
        grid->setColumnMinimumWidth(column * kGridColumnsPerFieldColumn - 1, kColumnGap);
    }
    grid->setRowStretch(rowsPerColumn, 1);
    return grid;
}

QLayout* FieldsColumn::buttonRows(bool oneRow) const {
    // Under the note, as many to a row as stand within the note's width ("Licz" and "Arkusz"
    // do), the next ones below: a row wider than the note would widen the designed window, and
    // a caption a few pixels wider in another font must not. A wide window has room for them in
    // one row, which leaves its memo the height of a row more.
    const int rowWidth = oneRow ? QWIDGETSIZE_MAX : m_note->width();
    auto* rows = new QVBoxLayout;
    rows->setSpacing(kMargin / 2);
    QHBoxLayout* row = nullptr;
    int used = 0;
    for (QWidget* button : m_buttons) {
        const int width = button->sizeHint().width();
        if (row == nullptr || used + kMargin + width > rowWidth) {
            if (row != nullptr) {
                row->addStretch(1);
            }
            row = new QHBoxLayout;
            row->setSpacing(kMargin);
            rows->addLayout(row);
            used = width;
        } else {
            used += kMargin + width;
        }
        row->addWidget(button);
    }
    if (row != nullptr) {
        row->addStretch(1);
    }
    return rows;
}

} // namespace blachorys::gui
