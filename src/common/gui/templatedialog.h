#pragma once

#include "common/gui/prompts.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QDoubleSpinBox;

namespace blachorys::gui {

/**
 * "Drukuj szablon 1:1": paper, orientation, overlap and the printer's scale correction, with
 * the sheets the pattern takes at them, then printing through the print dialog or a PDF file.
 */
class TemplateDialog final : public QDialog {
    Q_OBJECT
public:
    TemplateDialog(const core::TemplateSettings& initial, const core::Pattern& pattern,
                   QWidget* parent = nullptr);

    /** The settings as the dialog holds them now, and the button that closed it. */
    TemplateChoice choice() const;

private:
    /** What the template takes at the settings shown, or why it cannot be made. */
    void showSheets();

    const core::Pattern& m_pattern;
    QLabel* m_sheets = nullptr;
    QComboBox* m_paper = nullptr;
    QComboBox* m_orientation = nullptr;
    QDoubleSpinBox* m_overlap = nullptr;
    QDoubleSpinBox* m_scaleX = nullptr;
    QDoubleSpinBox* m_scaleY = nullptr;
    TemplateChoice::Action m_action = TemplateChoice::Action::Print;
};

} // namespace blachorys::gui
