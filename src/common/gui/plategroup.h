#pragma once

#include "common/core/calculator/platetexts.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;

namespace blachorys::gui {

class HintRouter;

/**
 * "Arkusz i materiał": the plate the job is cut from (a standard one, or typed), its material
 * (one of the list, or a typed density) and the gap the pieces are nested with. Every change of
 * them is `changed`.
 */
class PlateGroup : public QGroupBox {
    Q_OBJECT
public:
    PlateGroup(HintRouter& hints, QWidget* parent);

    core::PlateTexts texts() const;
    void setTexts(const core::PlateTexts& texts);

    QComboBox* plate() const { return m_plate; }
    QComboBox* material() const { return m_material; }
    QLineEdit* gap() const { return m_gap; }
    QLineEdit* parts() const { return m_parts; }

signals:
    void changed();

private:
    QComboBox* m_plate = nullptr;
    QComboBox* m_material = nullptr;
    QLineEdit* m_gap = nullptr;
    QLineEdit* m_parts = nullptr;
};

} // namespace blachorys::gui
