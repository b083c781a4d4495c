#include "common/io/templatecorrection.h"

#include "common/core/base/numbertext.h"
#include "common/io/savedinputs.h"

namespace blachorys::io {
namespace {

/** The file's two lines, X then Y, as a calculator's saved fields are kept. */
const core::CalculatorDefinition& correctionFile() {
    static const core::CalculatorDefinition file{
        .fields = {{.name = "X", .defaultText = "100"}, {.name = "Y", .defaultText = "100"}},
        .positionalSavedFields = 2};
    return file;
}

} // namespace

core::TemplateSettings loadTemplateCorrection(const QString& directory) {
    core::TemplateSettings settings;
    const auto inputs = SavedInputs(directory, kTemplateCorrectionFileName).load(correctionFile());
    if (!inputs) {
        return settings;
    }
    core::TemplateSettings saved = settings;
    saved.scaleXPercent = core::parseReal(inputs->fieldTexts[0]).value_or(0.0);
    saved.scaleYPercent = core::parseReal(inputs->fieldTexts[1]).value_or(0.0);
    return core::settingsProblem(saved) ? settings : saved;
}

bool saveTemplateCorrection(const QString& directory, const core::TemplateSettings& settings) {
    return SavedInputs(directory, kTemplateCorrectionFileName)
        .save(correctionFile(), {{core::formatFixed(settings.scaleXPercent, 1),
                                  core::formatFixed(settings.scaleYPercent, 1)},
                                 {}});
}

} // namespace blachorys::io
