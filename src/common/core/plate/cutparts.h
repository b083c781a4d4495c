#pragma once

#include "common/core/pattern/pattern.h"
#include "common/core/plate/pieceparts.h"
#include "common/core/plate/platesettings.h"

#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** Between two parts laid side by side in the pattern they are cut from, mm. */
inline constexpr double kPartSpacingMm = 20.0;

/**
 * The pattern's pieces as drawn: each exact outline with its holes, the marking lines on it
 * (a curved one by its exact curve), the reported points on it and its caption.
 */
std::vector<PieceDrawing> pieceDrawingsOf(const Pattern& pattern);

/**
 * The parts turned each to its smallest box, its longer side along X, and laid in a row from
 * `corner` to the right, kPartSpacingMm apart; their joints moved with them.
 */
SplitPiece laidOut(SplitPiece split, PatternPoint corner);

/** Whether every part fits the plate less the gap round it, turned either way. */
bool partsFit(const SplitPiece& split, const Plate& plate, double gapMm);

/**
 * The fewest parts, from `from` up to kMostParts, that each fit the plate, when the plan splits
 * the piece into so many; none when no number does.
 */
std::optional<int> fewestPartsThatFit(const PieceDrawing& piece, const SplitPlan& plan,
                                      const Plate& plate, double gapMm, int from);

/**
 * The pattern's pieces split into `parts` each where their plan allows, as a pattern of the
 * parts: each part named "<piece> <i>/<k>" and captioned "<caption> – część i/k", rows of parts
 * one above the other in the pieces' order. Nothing when no piece is split.
 */
std::optional<Pattern> splitPattern(const Pattern& pattern, int parts);

/**
 * Why a piece that is cut at places of its own choosing (`SplitPlan::areaBefore`) is not cut
 * into `parts` of about equal area, naming the numbers it is cut into: "przejscie - nie dzieli
 * sie na 9 czesci o zblizonej powierzchni ; dzieli sie na: 2, 3, 4, 5, 6, 7, 8 czesci". None
 * when every such piece is, or `parts` is 1.
 */
std::optional<std::string> splitProblem(const Pattern& pattern, int parts);

/**
 * "<piece> - nie miesci sie na arkuszu 1500 x 3000 - podziel na 2 czesci" for each piece that,
 * split as the settings say, does not fit the plate; the advice left off when no number of
 * parts makes it fit.
 */
std::vector<std::string> tooLargeLines(const Pattern& pattern, const PlateSettings& settings);

} // namespace blachorys::core
