#include "common/io/templatecorrection.h"

#include "common/core/numbertext.h"
#include "common/io/savedinputs.h"

namespace blachorys::io {

core::TemplateSettings loadTemplateCorrection(const QString& directory) {
    core::TemplateSettings settings;
    const auto texts = SavedInputs(directory, kTemplateCorrectionFileName).load(2);
    if (!texts) {
        return settings;
    }
    core::TemplateSettings saved = settings;
    saved.scaleXPercent = core::parseReal((*texts)[0].toStdString()).value_or(0.0);
    saved.scaleYPercent = core::parseReal((*texts)[1].toStdString()).value_or(0.0);
    return core::settingsProblem(saved) ? settings : saved;
}

bool saveTemplateCorrection(const QString& directory, const core::TemplateSettings& settings) {
    return SavedInputs(directory, kTemplateCorrectionFileName)
        .save({QString::fromStdString(core::formatFixed(settings.scaleXPercent, 1)),
               QString::fromStdString(core::formatFixed(settings.scaleYPercent, 1))});
}

} // namespace blachorys::io
