#pragma once

#include "common/core/pattern/pattern.h"
#include "common/core/sheets/dxftemplatewriter.h"
#include "common/core/sheets/patternlook.h"
#include "common/core/sheets/previewdrawing.h"

#include <vector>

namespace blachorys::core {

/** The style a role is drawn in when a case's table lacks it (the shared tests catch that). */
LineStyle styleOrDefault(const LineStyles& styles, LineRole role);

/** The document's DXF of a pattern: every line in order, on its role's layer and colour. */
std::vector<DxfLine> dxfLinesOf(const Pattern& pattern, const LineStyles& styles);

/**
 * The preview of a pattern: its lines pass by pass with their roles' pens, fitted by the look's
 * frame.
 * A pattern drawn downwards has its Y turned over, as the preview's downward frame expects.
 */
PreviewDrawing previewOf(const Pattern& pattern, const PatternLook& look);

} // namespace blachorys::core
