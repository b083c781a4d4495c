#pragma once

#include "common/core/sheets/templateplan.h"

#include <QString>

namespace blachorys::render {

class MillimetrePainter;

/**
 * One full-scale sheet of the template: its frame, the zones it shares with its neighbours and
 * their crosses, the pattern's strokes, the numbered points, the check bars; in the bands round
 * the frame its name, "<heading> - szablon 1:1 - strona i z n" and its neighbours' names, each
 * clear of the crosses and the bars and inside the paper's printable area.
 */
void paintTile(MillimetrePainter& mm, const core::TemplatePlan& plan,
               const core::TemplatePage& page, int sheet, const QString& heading);

} // namespace blachorys::render
