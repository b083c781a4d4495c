#pragma once

#include "common/gui/calculatorwindow.h"

namespace blachorys::gui {

/** The cone calculator window ("Stożek"). */
class TStozek_ final : public CalculatorWindow {
    Q_OBJECT
public:
    explicit TStozek_(const GuiContext& context, QWidget* parent = nullptr);
};

} // namespace blachorys::gui
