#include "cases/cone/tstozek.h"

#include "cases/cone/conecalculator.h"

namespace blachorys::gui {
namespace {

const core::ConeCalculator kCone;

} // namespace

TStozek_::TStozek_(const GuiContext& context, QWidget* parent)
    : CalculatorWindow(kCone, context, {QStringLiteral(":/pictures/stozek.svg"), {318, 232}},
                       parent) {}

} // namespace blachorys::gui
