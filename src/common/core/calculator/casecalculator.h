#pragma once

#include "common/core/calculator/calculator.h"
#include "common/core/calculator/fieldreading.h"
#include "common/core/calculator/inputchecks.h"
#include "common/core/pattern/patternchecks.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace blachorys::core {

/** A field and the member of the case's inputs it is read into. */
template <typename Inputs> struct CaseField {
    FieldDefinition definition;
    std::variant<double Inputs::*, int Inputs::*> member;
};

/** A selector and how its choice is recorded in the case's inputs. */
template <typename Inputs> struct CaseSelector {
    SelectorDefinition definition;
    void (*select)(Inputs&, std::size_t choice) = nullptr;
};

/** The construction's model, or why there is none. */
template <typename Model> struct Construction {
    std::optional<Model> model;
    std::string failure; ///< "Blad obliczen. Prawdopodobnie ..." when there is no model
};

template <typename Model> Construction<Model> constructed(Model model) {
    return {std::move(model), {}};
}

template <typename Model> Construction<Model> constructionFailed(std::string failure) {
    return {std::nullopt, std::move(failure)};
}

/**
 * One calculator case: its fields bound to its inputs, its checks, its construction and the
 * output content made from its model. `CaseCalculator` turns it into a `Calculator`.
 */
template <typename Inputs, typename Model> struct CaseDescriptor {
    /** Names, texts and files; its fields are filled from `fields`. */
    CalculatorDefinition definition;
    std::vector<CaseField<Inputs>> fields;       ///< in creation order
    std::vector<CaseSelector<Inputs>> selectors; ///< below the fields, saved after them
    /** Records the development chosen (index into the definition's developments). */
    void (*selectDevelopment)(Inputs&, std::size_t) = nullptr;
    /** The case's checks, in the order the window shows their messages. */
    const InputChecks<Inputs>& (*checks)() = nullptr;
    /** Shown after the failing checks' messages (the pipe-pipe window's "Dane NIE OK"). */
    std::optional<std::string> closingMessage;
    Construction<Model> (*compute)(const Inputs&) = nullptr;
    /** The report and the pattern of a model. */
    CalculationOutputs (*outputs)(const Model&, std::string_view dateText) = nullptr;
    /** The joint in space that the pattern of a model makes, for the 3-D view. */
    JointView (*view)(const Model&) = nullptr;
    /**
     * What would fit when the pattern cannot be cut as drawn ("(pasuje H od 12.3)"), given
     * whether some inputs make a pattern that can; none where the case cannot tell.
     */
    std::string (*whatFitsThePattern)(const Inputs&,
                                      const std::function<bool(const Inputs&)>& cuts) = nullptr;
};

/**
 * The calculation every case shares: the first pass, reading the fields into the inputs,
 * the checks, the construction, the outputs, and a guard that no number that is not finite
 * reaches them.
 */
template <typename Inputs, typename Model> class CaseCalculator final : public Calculator {
public:
    explicit CaseCalculator(CaseDescriptor<Inputs, Model> descriptor)
        : m_descriptor(std::move(descriptor)) {
        auto& definition = m_descriptor.definition;
        definition.fields.clear();
        for (auto& field : m_descriptor.fields) {
            field.definition.kind = std::holds_alternative<int Inputs::*>(field.member)
                                        ? FieldKind::Integer
                                        : FieldKind::Real;
            definition.fields.push_back(field.definition);
        }
        definition.selectors.clear();
        for (const auto& selector : m_descriptor.selectors) {
            definition.selectors.push_back(selector.definition);
        }
    }

    const CalculatorDefinition& definition() const override { return m_descriptor.definition; }

    using Calculator::calculate;
    CalculationResult calculate(const FieldReading& reading, std::size_t developmentIndex,
                                const std::string& dateText) const override {
        if (reading.refusal) {
            return refusedResult(*reading.refusal);
        }
        const Inputs inputs = inputsOf(reading, developmentIndex);
        const InputChecks<Inputs>& checks = m_descriptor.checks();
        auto failures = failedChecks(checks, inputs);
        appendNegativeChecks(definition(), reading.values, checks, failures);
        if (!failures.empty()) {
            if (m_descriptor.closingMessage) {
                failures.push_back(*m_descriptor.closingMessage);
            }
            return refusedResult(failures);
        }
        Construction<Model> construction = m_descriptor.compute(inputs);
        if (!construction.model) {
            return failedResult(construction.failure);
        }
        bool patternRefused = false;
        CalculationResult result =
            outputsOf(std::move(*construction.model), dateText, patternRefused);
        if (patternRefused && m_descriptor.whatFitsThePattern != nullptr) {
            const auto cuts = [this](const Inputs& tried) { return cutsWhole(tried); };
            result.messages.back().text = withWhatFits(
                result.messages.back().text, m_descriptor.whatFitsThePattern(inputs, cuts));
        }
        return result;
    }

    const CaseDescriptor<Inputs, Model>& descriptor() const { return m_descriptor; }

private:
    /** Whether these inputs pass the checks and make a pattern that can be cut as drawn. */
    bool cutsWhole(const Inputs& inputs) const {
        const InputChecks<Inputs>& checks = m_descriptor.checks();
        if (std::any_of(checks.begin(), checks.end(),
                        [&inputs](const auto& check) { return check.fails(inputs); })) {
            return false;
        }
        Construction<Model> construction = m_descriptor.compute(inputs);
        if (!construction.model) {
            return false;
        }
        try {
            const CalculationOutputs outputs = m_descriptor.outputs(*construction.model, "");
            return hasFiniteGeometry(outputs.pattern) && hasFiniteFrame(outputs.look) &&
                   !outputs.report.linesCut && !patternFault(outputs.pattern);
        } catch (const std::invalid_argument&) {
            return false;
        }
    }

    Inputs inputsOf(const FieldReading& reading, std::size_t developmentIndex) const {
        const std::vector<double>& values = reading.values;
        Inputs inputs{};
        for (std::size_t i = 0; i < m_descriptor.fields.size(); ++i) {
            std::visit(
                [&](auto member) {
                    using Value = std::remove_reference_t<decltype(inputs.*member)>;
                    // An integer field's value is whole and within int: the reading saw to it.
                    inputs.*member = static_cast<Value>(values[i]);
                },
                m_descriptor.fields[i].member);
        }
        if (m_descriptor.selectDevelopment != nullptr) {
            m_descriptor.selectDevelopment(inputs, developmentIndex);
        }
        for (std::size_t k = 0; k < m_descriptor.selectors.size(); ++k) {
            m_descriptor.selectors[k].select(inputs,
                                             k < reading.choices.size() ? reading.choices[k] : 0);
        }
        return inputs;
    }

    /**
     * "<name> < 0" for each field that takes no "-", holds a negative number and has no check
     * of the case's that refuses it.
     */
    static void appendNegativeChecks(const CalculatorDefinition& definition,
                                     const std::vector<double>& values,
                                     const InputChecks<Inputs>& checks,
                                     std::vector<std::string>& failures) {
        const auto refusedByACheck = [&checks](const std::string& name) {
            return std::any_of(checks.begin(), checks.end(), [&name](const auto& check) {
                return std::find(check.refusesNegative.begin(), check.refusesNegative.end(),
                                 name) != check.refusesNegative.end();
            });
        };
        for (std::size_t i = 0; i < definition.fields.size(); ++i) {
            const FieldDefinition& field = definition.fields[i];
            const bool takesMinus =
                field.filter == FieldFilter::SignedReal || field.filter == FieldFilter::Unfiltered;
            if (!takesMinus && values[i] < 0.0 && !refusedByACheck(field.name)) {
                failures.push_back(dataError(field.name + " < 0"));
            }
        }
    }

    CalculationResult outputsOf(Model&& model, const std::string& dateText,
                                bool& patternRefused) const {
        CalculationOutputs outputs;
        try {
            // The report's number text refuses a value that is not finite.
            outputs = m_descriptor.outputs(model, dateText);
        } catch (const std::invalid_argument&) {
            return failedResult(kNotFiniteMessage);
        }
        // A report line cut to its capacity could show a number cut short, as another number.
        if (!hasFiniteGeometry(outputs.pattern) || !hasFiniteFrame(outputs.look) ||
            outputs.report.linesCut) {
            return failedResult(kNotFiniteMessage);
        }
        if (const auto fault = patternFault(outputs.pattern)) {
            patternRefused = true;
            return failedResult(*fault);
        }
        if (m_descriptor.view != nullptr) {
            // The model is kept for the view, shared by every copy of the outputs.
            outputs.view = [describe = m_descriptor.view,
                            kept = std::make_shared<const Model>(std::move(model))] {
                return describe(*kept);
            };
        }
        return calculatedResult(std::move(outputs));
    }

    CaseDescriptor<Inputs, Model> m_descriptor;
};

} // namespace blachorys::core
