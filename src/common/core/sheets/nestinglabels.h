#pragma once

#include "common/core/geometry/rectangle.h"
#include "common/core/plate/flatpiece.h"
#include "common/core/sheets/cncdrawing.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** A piece as it lies on a plate, in the plate's frame, and the text that names it there. */
struct LabelledPiece {
    std::string label;
    FlatPiece flat;
};

/** A piece's name on its plate, and the line to the piece when it stands outside it. */
struct NestingLabel {
    CncText text;
    std::optional<CncMarking> leader;
};

/**
 * "B (2 szt.) cz. 1/4": the piece's name, how many of it the job cuts and which part of it
 * this is, each where there is more than one.
 */
std::string nestingLabelText(const CutPiece& cut);

/**
 * A label for each piece, in their order, `capitalMm` high on the plate of `length` × `width`
 * (its corner at the origin): inside its piece where a box of it fits clear of every cut (at
 * that height, or three quarters of it), nearest the piece's middle; else outside every piece,
 * on the plate, nearest the piece, with a leader to its outline that crosses no other label;
 * else inside at half the height. No label crosses a cut, another label, a leader or the plate's
 * edge but where no such place is left at all: then it stands at its piece's middle at half the
 * height.
 */
/** How wide a text is at a capital height, mm: at most (`textExtentAtMost`), or as painted. */
using TextWidth = std::function<double(const std::string& text, double capitalMm)>;

std::vector<NestingLabel> placeNestingLabels(const std::vector<LabelledPiece>& pieces,
                                             double length, double width, double capitalMm,
                                             const TextWidth& textWidth = {});

/** The room `text` takes on the plate, its baseline's start at `text.at`. */
RectMm nestingLabelBox(const CncText& text);

} // namespace blachorys::core
