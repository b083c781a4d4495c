#pragma once

#include "common/core/calculator/inputchecks.h"
#include "common/core/walls/wall.h"

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
 * diameters to the inputs where the typed diameters are the surfaces that meet; `offsetFits`,
 * when given, says what P would fit after the refusals of P.
 */
template <typename Inputs>
InputChecks<Inputs> branchChecks(NamedDiameter<Inputs> branch, NamedDiameter<Inputs> shell,
                                 double Inputs::*P, double Inputs::*BETA, int Inputs::*N,
                                 bool (*diametersCompared)(const Inputs&) = nullptr,
                                 std::string (*offsetFits)(const Inputs&) = nullptr) {
    std::function<std::string(const Inputs&)> whatP;
    if (offsetFits != nullptr) {
        whatP = offsetFits;
    }
    const auto b = branch.value;
    const auto s = shell.value;
    const auto compared = [diametersCompared](const Inputs& in) {
        return diametersCompared == nullptr || diametersCompared(in);
    };
    return {
        {dataError(branch.name + " > " + shell.name),
         [b, s, compared](const Inputs& in) { return compared(in) && in.*b > in.*s; }},
        {dataError("P > " + shell.name + "/2"),
         [P, s](const Inputs& in) { return in.*P > in.*s / 2; },
         {},
         whatP},
        strictlyBetween<Inputs>("Beta", BETA, 0, 180,
                                dataError("Beta musi byc wieksza od 0 i mniejsza od 180°")),
        atLeastTwoParts(N),
        atMostTheTableParts(N),
        {dataError(branch.name + "/2 + P > " + shell.name + "/2"),
         [b, s, P, compared](const Inputs& in) {
             return compared(in) && in.*b / 2 + in.*P > in.*s / 2;
         },
         {},
         whatP},
    };
}

/**
 * A check made only when the walls have a thickness (`hasWallThickness`, the case's own) and the
 * branch meets its part by `joint`: then the surfaces that meet are compared, not the typed
 * sizes.
 */
template <typename Inputs>
InputCheck<Inputs> thickCheck(BranchJoint joint, const std::string& what,
                              bool (*fails)(const Inputs&),
                              std::string (*whatFits)(const Inputs&) = nullptr) {
    InputCheck<Inputs> check{dataError(what), [joint, fails](const Inputs& in) {
                                 return hasWallThickness(in) && in.joint == joint && fails(in);
                             }};
    if (whatFits != nullptr) {
        check.whatFits = whatFits;
    }
    return check;
}

} // namespace blachorys::core
