#pragma once

#include "common/gui/prompts.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;

namespace blachorys::gui {

/**
 * "Drukuj szablon 1:1": paper, orientation, overlap and the printer's scale correction, then
 * printing through the print dialog or a PDF file.
 */
class TemplateDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TemplateDialog(const core::TemplateSettings& initial, QWidget* parent = nullptr);

    /** The settings as the dialog holds them now, and the button that closed it. */
    TemplateChoice choice() const;

private:
    QComboBox* m_paper = nullptr;
    QComboBox* m_orientation = nullptr;
    QDoubleSpinBox* m_overlap = nullptr;
    QDoubleSpinBox* m_scaleX = nullptr;
    QDoubleSpinBox* m_scaleY = nullptr;
    TemplateChoice::Action m_action = TemplateChoice::Action::Print;
};

} // namespace blachorys::gui
