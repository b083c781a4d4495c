#pragma once

#include "common/core/sheets/templateplan.h"

#include <QString>

namespace blachorys::io {

/** The file beside the saved inputs that remembers the printer's scale correction. */
inline constexpr const char* kTemplateCorrectionFileName = "szablon.dat";

/**
 * The template's default settings with the scale correction last saved in `directory`; a
 * missing file, or a value out of range, leaves 100 %.
 */
core::TemplateSettings loadTemplateCorrection(const QString& directory);

/** Remembers the scale correction of `settings`; false when the file could not be written. */
bool saveTemplateCorrection(const QString& directory, const core::TemplateSettings& settings);

} // namespace blachorys::io
