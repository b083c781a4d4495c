#pragma once

#include <QGroupBox>

#include <vector>

class QGridLayout;
class QPlainTextEdit;
class QPushButton;

namespace blachorys::gui {

/**
 * The results box: the memo and the output buttons. Where the box is wide enough for the memo's
 * lines and a column of buttons beside it (a maximised window), the buttons stand in that column
 * and the memo takes the box's whole height; otherwise two to a row under the memo, as designed.
 */
class ResultsBox final : public QGroupBox {
    Q_OBJECT
public:
    /** The memo's lines this many characters wide are shown whole beside the buttons. */
    static constexpr int kMemoColumns = 80;

    ResultsBox(const QString& title, QPlainTextEdit* memo, std::vector<QPushButton*> buttons,
               QWidget* parent = nullptr);

    /** Whether the buttons stand in a column beside the memo. */
    bool buttonsBeside() const { return m_beside; }

signals:
    /** The buttons moved beside the memo (`beside`) or back under it. */
    void buttonsBesideChanged(bool beside);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange(bool beside);
    /** How wide the box must be for the memo's lines and the buttons' column side by side. */
    int widthForButtonsBeside() const;

    QPlainTextEdit* m_memo;
    std::vector<QPushButton*> m_buttons;
    QGridLayout* m_buttonGrid = nullptr;
    bool m_beside = false;
};

} // namespace blachorys::gui
