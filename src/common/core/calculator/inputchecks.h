#pragma once

#include "common/core/calculator/fittingrange.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace blachorys::core {

/**
 * The most parts a circumference is divided into: the point tables hold 2001 points. (The
 * transition's N counts the parts of a quarter; its four quarters together keep to this.)
 */
inline constexpr int kMaxDivisions = 2000;

/** The largest N as a field's text, for the examples that take it. */
inline std::string mostDivisionsText() {
    return std::to_string(kMaxDivisions);
}

/** One check of a case's inputs: when it fails, its message is shown. */
template <typename Inputs> struct InputCheck {
    std::string message;
    std::function<bool(const Inputs&)> fails;
    /**
     * Fields, by name, whose every negative value this check refuses. A field whose key filter
     * takes no "-" and that no check names gets "<name> < 0" of its own after the case's checks:
     * a pasted text, a saved-input file or the command line can still carry a "-".
     */
    std::vector<std::string> refusesNegative;
    /**
     * What would fit, for the inputs refused: "(pasuje Rk od 150.0)", put after the message;
     * empty where the check cannot tell (a range searched for and not found).
     */
    std::function<std::string(const Inputs&)> whatFits;
};

/** A case's checks in the order the window shows their messages. */
template <typename Inputs> using InputChecks = std::vector<InputCheck<Inputs>>;

/**
 * The messages of the checks that fail, in order, each with what would fit where its check
 * tells; a range already named by an earlier message of the same field is not named again.
 */
template <typename Inputs>
std::vector<std::string> failedChecks(const InputChecks<Inputs>& checks, const Inputs& inputs) {
    std::vector<std::string> messages;
    std::vector<std::string> named;
    for (const auto& check : checks) {
        if (!check.fails(inputs)) {
            continue;
        }
        std::string fitting = check.whatFits ? check.whatFits(inputs) : std::string();
        if (std::find(named.begin(), named.end(), fitting) != named.end()) {
            fitting.clear();
        } else if (!fitting.empty()) {
            named.push_back(fitting);
        }
        messages.push_back(withWhatFits(check.message, fitting));
    }
    return messages;
}

/** "Blad danych : " and what is wrong. */
inline std::string dataError(const std::string& what) {
    return "Blad danych : " + what;
}

/** N below 2: no circumference is divided into fewer parts. */
template <typename Inputs> InputCheck<Inputs> atLeastTwoParts(int Inputs::*n) {
    return {dataError("N < 2"), [n](const Inputs& in) { return in.*n < 2; }, {"N"}};
}

/**
 * More parts than the tables hold: N above kMaxDivisions / `partsPerN`. The message names
 * the parts of the whole circumference.
 */
template <typename Inputs>
InputCheck<Inputs> atMostTheTableParts(int Inputs::*n, int partsPerN = 1) {
    return {dataError("N > " + std::to_string(kMaxDivisions)), [n, partsPerN](const Inputs& in) {
                return static_cast<long long>(in.*n) * partsPerN > kMaxDivisions;
            }};
}

/** "<name> < 0". */
template <typename Inputs>
InputCheck<Inputs> notNegative(const std::string& name, double Inputs::*value) {
    return {dataError(name + " < 0"), [value](const Inputs& in) { return in.*value < 0; }, {name}};
}

/**
 * "<name> musi byc wieksza od 0": a size the piece cannot have as 0 (a pipe of no diameter, a
 * shell of no length: the pattern would have no width). A negative value is left to
 * "<name> < 0", of the case's own check or the one every field without a "-" gets, so that
 * it is not refused twice. `applies`, when given, limits the check to the inputs that use the
 * size (the development that draws it).
 */
template <typename Inputs>
InputCheck<Inputs> positiveSize(const std::string& name, double Inputs::*value,
                                bool (*applies)(const Inputs&) = nullptr) {
    return {dataError(name + " musi byc wieksza od 0"), [value, applies](const Inputs& in) {
                return in.*value == 0.0 && (applies == nullptr || applies(in));
            }};
}

/** A value outside the open range low..high, which refuses every negative value when low ≥ 0. */
template <typename Inputs>
InputCheck<Inputs> strictlyBetween(const std::string& name, double Inputs::*value, double low,
                                   double high, const std::string& message) {
    std::vector<std::string> negatives;
    if (low >= 0) {
        negatives.push_back(name);
    }
    return {message,
            [value, low, high](const Inputs& in) { return in.*value <= low || in.*value >= high; },
            negatives};
}

} // namespace blachorys::core
