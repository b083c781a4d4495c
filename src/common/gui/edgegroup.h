#pragma once

#include "common/core/calculator/edgetexts.h"

#include <QGroupBox>

#include <array>

class QLineEdit;
class QRadioButton;

namespace blachorys::gui {

class HintRouter;

/**
 * "Przygotowanie krawędzi": how a welded cut's edge is cut through the plate (square, fitted
 * to the other part, or bevelled for a groove weld), the groove's sizes and the bevel head's
 * limit. The groove's sizes are enabled only for the groove.
 */
class EdgeGroup : public QGroupBox {
    Q_OBJECT
public:
    EdgeGroup(HintRouter& hints, QWidget* parent);

    core::EdgeTexts texts() const;
    void setTexts(const core::EdgeTexts& texts);

    QRadioButton* choice(core::EdgeChoice choice) const {
        return m_choices[static_cast<std::size_t>(choice)];
    }
    QLineEdit* grooveAngle() const { return m_grooveAngle; }
    QLineEdit* rootFace() const { return m_rootFace; }
    QLineEdit* rootGap() const { return m_rootGap; }
    QLineEdit* bevelLimit() const { return m_bevelLimit; }

private:
    void enableSizes();

    std::array<QRadioButton*, 3> m_choices{};
    QLineEdit* m_grooveAngle = nullptr;
    QLineEdit* m_rootFace = nullptr;
    QLineEdit* m_rootGap = nullptr;
    QLineEdit* m_bevelLimit = nullptr;
};

} // namespace blachorys::gui
