#pragma once

#include "common/core/sheets/cncdrawing.h"
#include "common/core/sheets/nestingdrawing.h"

#include <string>

namespace blachorys::cnc {

/** The DXF release a cutting table's file is written in. */
enum class DxfVersion {
    R2000, ///< AC1015: cuts as LWPOLYLINE
    R12,   ///< AC1009, for older controllers: cuts as POLYLINE with VERTEX and SEQEND
};

/** Layers of the file: what is cut, what is marked, what is only read. */
inline constexpr const char* kCutLayer = "CIECIE";
inline constexpr const char* kMarkingLayer = "ZNACZENIE";
inline constexpr const char* kTextLayer = "OPISY";
/** Where a bevelled cut leaves the plate's far face: in a file only where a cut is bevelled. */
inline constexpr const char* kBevelLayer = "UKOS";

/**
 * The whole DXF of a cutting table's drawing, written with dxflib: the header in millimetres
 * with the drawing's extent, the tables with the three layers, every cut as one closed
 * polyline, every marking line as a LINE, every text as a TEXT (`dxfText`).
 */
std::string cncDxfBytes(const core::CncDrawing& drawing, DxfVersion version);

/**
 * The nested plates as a cutting table's DXF: each plate one block (its cuts, marking lines,
 * texts and its border, on the same layers), inserted one above the other.
 */
std::string nestingDxfBytes(const core::NestingDrawing& nesting, DxfVersion version);

/**
 * A text as the file keeps it: a typographic dash, quote or space as its ASCII twin ("A – 2"
 * as "A - 2"), the rest of UTF-8 beyond ASCII as "\U+00B0", control characters as "?".
 */
std::string dxfText(const std::string& utf8);

} // namespace blachorys::cnc
