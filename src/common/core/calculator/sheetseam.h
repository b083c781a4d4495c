#pragma once

#include "common/core/pattern/pattern.h"

#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** A typed seam angle as a place round the pipe: degrees in [0, 360). */
double seamWithinATurn(double degrees);

/** Where a holed sheet starts: how far its hole moves round it, or that the seam crosses it. */
struct SheetSeam {
    double shift = 0.0;
    /** The seam crosses the hole: the angles that clear it, "(pasuje szew od 82.9 do 388.9)". */
    std::optional<std::string> clearing;
};

/**
 * The report's line on a turned seam, "Szew plaszcza przy 270.0 [°] od boku rury (Y=0) - otwor
 * przesuniety o 628.3 mm"; none while the seam lies at the side.
 */
std::optional<std::string> turnedSeamLine(double degrees, double shift);

/** The refusal of a seam through the hole of `part` ("RURY WIEKSZEJ"), before what clears it. */
std::string seamThroughTheHoleMessage(const std::string& part);

/**
 * The sheet of a pipe `girth` round, holding `hole` (its Y round the sheet from where the seam
 * has always been), its seam turned `degrees` on: the sheet starts at the seam, so the hole
 * moves round the sheet by as much the other way (a whole girth on where it would fall before
 * the start). A seam through the hole gives the angles that clear it instead. Unturned,
 * nothing moves.
 */
SheetSeam turnedSheetSeam(double degrees, double girth, const std::vector<PatternPoint>& hole);

} // namespace blachorys::core
