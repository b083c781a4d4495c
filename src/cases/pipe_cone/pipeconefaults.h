#pragma once

#include "cases/pipe_cone/pipeconemodel.h"

#include <string>
#include <vector>

namespace blachorys::core {

/** Why a pipe-cone construction stops, as the window says it. */
inline constexpr const char* kMissesTheCone =
    "Blad obliczen. Prawdopodobnie RURA nie cala powierzchnia \"wchodzi\" w STOZEK";
inline constexpr const char* kNoCone =
    "Blad obliczen. Prawdopodobnie Dsd = 0 lub Hs = 0 - dzielenie przez zero.";
inline constexpr const char* kParallelToTheCone =
    "Blad obliczen. Prawdopodobnie tworzaca RURY jest rownolegla do tworzacej STOZKA.";
inline constexpr const char* kPastAnEnd =
    "Blad obliczen. Prawdopodobnie RURA wychodzi poza koniec STOZKA - sprawdz Lm, Hs i BETA.";
/**
 * The pipe's end face stands inside the cone on some generator of its template: the message
 * names the least Hr that fits.
 */
std::string endFaceInsideMessage(const PipeConeInputs& in, const std::vector<PatternPoint>& cut);
/** The pipe's end stands inside the cone: it never comes out of it. */
inline constexpr const char* kEndInsideTheCone =
    "Blad obliczen. Prawdopodobnie koniec RURY lezy wewnatrz STOZKA - RURA nie wychodzi ze "
    "STOZKA - zmien BETA, Hr lub Lm.";
inline constexpr const char* kHoleOverTheCut =
    "Blad obliczen. Prawdopodobnie otwor przecina linie ciecia (szew) STOZKA - zmien P.";
/** A wall's layer of the pipe's contact surface misses the cone's inside face: no hole. */
inline constexpr const char* kHoleMissesTheWall =
    "Blad obliczen. Prawdopodobnie RURA nie przechodzi przez cala scianke STOZKA - otworu nie "
    "da sie wyciac - zmien P.";

} // namespace blachorys::core
