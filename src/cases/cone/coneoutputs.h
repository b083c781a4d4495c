#pragma once

#include "cases/cone/conemodel.h"
#include "common/core/dxftemplatewriter.h"
#include "common/core/pointreport.h"
#include "common/core/previewdrawing.h"

#include <string_view>
#include <vector>

namespace blachorys::core {

/** Header of seven lines, N + 1 point lines and the sheet size, the footer. */
PointReport coneReport(const ConeModel& model, std::string_view dateText);

/**
 * 3N + 1 lines, all on the outline layer: the Dsd and Dsm edges segment by segment, the two
 * seam edges, then the inner generatrices.
 */
std::vector<DxfLine> coneDxfLines(const ConeModel& model);

/** Drawn upwards and centred on the bounding box, in the DXF's colours. */
PreviewDrawing conePreview(const ConeModel& model);

} // namespace blachorys::core
