#include "cases/pipe_pipe/trurarura.h"

#include "cases/pipe_pipe/pipepipecalculator.h"

namespace blachorys::gui {
namespace {

const core::PipePipeCalculator kPipePipe;

} // namespace

TRurarura::TRurarura(const GuiContext& context, QWidget* parent)
    : CalculatorWindow(kPipePipe, context, {QStringLiteral(":/pictures/rurarura.svg"), {318, 330}},
                       parent) {}

} // namespace blachorys::gui
