#pragma once

#include "common/gui/calculatorwindow.h"

namespace blachorys::gui {

/** The pipe-pipe calculator window ("Połączenie :   Rura - rura"). */
class TRurarura final : public CalculatorWindow {
    Q_OBJECT
public:
    explicit TRurarura(const GuiContext& context, QWidget* parent = nullptr);
};

} // namespace blachorys::gui
