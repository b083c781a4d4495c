#pragma once

#include "cases/pipe_pipe/pipepipemodel.h"
#include "common/core/dxftemplatewriter.h"
#include "common/core/pointreport.h"
#include "common/core/previewdrawing.h"

#include <string_view>
#include <vector>

namespace blachorys::core {

/** Header of eight lines, the results of the computed development, the footer. */
PointReport pipePipeReport(const PipePipeModel& model, std::string_view dateText);

/**
 * Template: 2N + 2 lines below the X axis (Y = −h), seam edges magenta, curve white,
 * generators on their own layer. Shell: N + 4 lines, the rectangle then the hole.
 */
std::vector<DxfLine> pipePipeDxfLines(const PipePipeModel& model);

/** Template drawn downwards over π·Dm × hmax; shell drawn upwards over Ld × π·Dd. */
PreviewDrawing pipePipePreview(const PipePipeModel& model);

} // namespace blachorys::core
