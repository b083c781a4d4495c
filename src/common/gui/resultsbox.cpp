#include "common/gui/resultsbox.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace blachorys::gui {
namespace {

/** Margins and spacing of the box's layouts, pixels, as the window's. */
constexpr int kMargin = 4;

} // namespace

ResultsBox::ResultsBox(const QString& title, QPlainTextEdit* memo,
                       std::vector<QPushButton*> buttons, QWidget* parent)
    : QGroupBox(title, parent), m_memo(memo), m_buttons(std::move(buttons)) {
    m_memo->setParent(this);
    auto* buttonArea = new QWidget(this);
    m_buttonGrid = new QGridLayout(buttonArea);
    m_buttonGrid->setContentsMargins(0, 0, 0, 0);
    m_buttonGrid->setHorizontalSpacing(kMargin);
    // The rows of buttons close up, so that the designed window holds a memo of lines above.
    m_buttonGrid->setVerticalSpacing(kMargin / 2);
    for (QPushButton* button : m_buttons) {
        button->setParent(buttonArea);
    }
    auto* layout = new QBoxLayout(QBoxLayout::TopToBottom, this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kMargin);
    layout->addWidget(m_memo, 1);
    layout->addWidget(buttonArea);
    arrange(false);
}

int ResultsBox::widthForButtonsBeside() const {
    const int line = m_memo->fontMetrics().horizontalAdvance(QString(kMemoColumns, u'8'));
    const int memo = line + 2 * m_memo->frameWidth() +
                     m_memo->verticalScrollBar()->sizeHint().width() +
                     2 * static_cast<int>(m_memo->document()->documentMargin());
    int buttons = 0;
    for (const QPushButton* button : m_buttons) {
        buttons = std::max(buttons, button->sizeHint().width());
    }
    return memo + buttons + 4 * kMargin;
}

void ResultsBox::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    const bool beside = event->size().width() >= widthForButtonsBeside();
    if (beside != m_beside) {
        arrange(beside);
        emit buttonsBesideChanged(beside);
    }
}

void ResultsBox::arrange(bool beside) {
    m_beside = beside;
    for (QPushButton* button : m_buttons) {
        m_buttonGrid->removeWidget(button);
    }
    // Beside: one column, top-aligned; under: two to a row, in the table's order.
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const auto at = static_cast<int>(i);
        if (beside) {
            m_buttonGrid->addWidget(m_buttons[i], at, 0);
        } else {
            m_buttonGrid->addWidget(m_buttons[i], at / 2, at % 2);
        }
    }
    const auto rows = static_cast<int>(m_buttons.size());
    for (int row = 0; row <= rows; ++row) {
        m_buttonGrid->setRowStretch(row, beside && row == rows ? 1 : 0);
    }
    auto* layout = static_cast<QBoxLayout*>(this->layout());
    layout->setDirection(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

} // namespace blachorys::gui
