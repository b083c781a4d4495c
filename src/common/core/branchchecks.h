#pragma once

#include "common/core/inputchecks.h"

#include <string>

namespace blachorys::core {

/** A diameter of a branch joint: its field's name and the inputs member it is read into. */
template <typename Inputs> struct NamedDiameter {
    std::string name; ///< "Dm"
    double Inputs::*value;
};

/**
 * The checks every branch window makes first, in the windows' order: the branch no wider
 * than the larger piece, P within its radius, BETA strictly between 0 and 180°, N from 2 to
 * the tables' limit, and the branch's side within the radius. Comparisons are strict, so
 * touching a limit passes. `diametersCompared`, when given, limits the two comparisons of the
 * diameters to the inputs where the typed diameters are the surfaces that meet.
 */
template <typename Inputs>
InputChecks<Inputs> branchChecks(NamedDiameter<Inputs> branch, NamedDiameter<Inputs> shell,
                                 double Inputs::*P, double Inputs::*BETA, int Inputs::*N,
                                 bool (*diametersCompared)(const Inputs&) = nullptr) {
    const auto b = branch.value;
    const auto s = shell.value;
    const auto compared = [diametersCompared](const Inputs& in) {
        return diametersCompared == nullptr || diametersCompared(in);
    };
    return {
        {dataError(branch.name + " > " + shell.name),
         [b, s, compared](const Inputs& in) { return compared(in) && in.*b > in.*s; }},
        {dataError("P > " + shell.name + "/2"),
         [P, s](const Inputs& in) { return in.*P > in.*s / 2; }},
        strictlyBetween<Inputs>("Beta", BETA, 0, 180,
                                dataError("Beta musi byc wieksza od 0 i mniejsza od 180°")),
        atLeastTwoParts(N),
        atMostTheTableParts(N),
        {dataError(branch.name + "/2 + P > " + shell.name + "/2"),
         [b, s, P, compared](const Inputs& in) {
             return compared(in) && in.*b / 2 + in.*P > in.*s / 2;
         }},
    };
}

} // namespace blachorys::core
