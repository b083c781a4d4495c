#pragma once

#include "common/core/calculator.h"
#include "common/core/fieldreading.h"
#include "common/core/numbertext.h"

#include <algorithm>
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
    std::vector<CaseField<Inputs>> fields; ///< in creation order
    /** Records the development chosen (index into the definition's developments). */
    void (*selectDevelopment)(Inputs&, std::size_t) = nullptr;
    /** Messages of the failing checks, in the order the window shows them. */
    std::vector<std::string> (*validate)(const Inputs&) = nullptr;
    /** Shown after the failing checks' messages (the pipe-pipe window's "Dane NIE OK"). */
    std::optional<std::string> closingMessage;
    Construction<Model> (*compute)(const Inputs&) = nullptr;
    /** The report, the DXF lines and the preview drawing of a model. */
    CalculationOutputs (*outputs)(const Model&, std::string_view dateText) = nullptr;
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
    }

    const CalculatorDefinition& definition() const override { return m_descriptor.definition; }

    CalculationResult calculate(const std::vector<std::string>& fieldTexts,
                                std::size_t developmentIndex,
                                const std::string& dateText) const override {
        const FieldReading reading = readFields(definition(), fieldTexts);
        if (reading.refusal) {
            return refusedResult(*reading.refusal);
        }
        const Inputs inputs = readInputs(reading.texts, developmentIndex);
        auto failures = m_descriptor.validate(inputs);
        appendNegativeChecks(reading.texts, failures);
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
        return outputsOf(*construction.model, dateText);
    }

    const CaseDescriptor<Inputs, Model>& descriptor() const { return m_descriptor; }

private:
    Inputs readInputs(const std::vector<std::string>& texts, std::size_t developmentIndex) const {
        Inputs inputs{};
        for (std::size_t i = 0; i < m_descriptor.fields.size(); ++i) {
            std::visit(
                [&](auto member) {
                    using Value = std::remove_reference_t<decltype(inputs.*member)>;
                    if constexpr (std::is_same_v<Value, int>) {
                        inputs.*member = parseInteger(texts[i]).value_or(0);
                    } else {
                        inputs.*member = parseReal(texts[i]).value_or(0.0);
                    }
                },
                m_descriptor.fields[i].member);
        }
        if (m_descriptor.selectDevelopment != nullptr) {
            m_descriptor.selectDevelopment(inputs, developmentIndex);
        }
        return inputs;
    }

    /** "<name> < 0" for each field that takes no "-" and holds a negative number. */
    void appendNegativeChecks(const std::vector<std::string>& texts,
                              std::vector<std::string>& failures) const {
        const auto& definition = m_descriptor.definition;
        const auto& exempt = definition.negativeRefusedByChecks;
        for (std::size_t i = 0; i < definition.fields.size(); ++i) {
            const FieldDefinition& field = definition.fields[i];
            const bool takesMinus =
                field.filter == FieldFilter::SignedReal || field.filter == FieldFilter::Unfiltered;
            if (!takesMinus && parseReal(texts[i]).value_or(0.0) < 0.0 &&
                std::find(exempt.begin(), exempt.end(), field.name) == exempt.end()) {
                failures.push_back("Blad danych : " + field.name + " < 0");
            }
        }
    }

    CalculationResult outputsOf(const Model& model, const std::string& dateText) const {
        CalculationOutputs outputs;
        try {
            // The report's number text refuses a value that is not finite.
            outputs = m_descriptor.outputs(model, dateText);
        } catch (const std::invalid_argument&) {
            return failedResult(kNotFiniteMessage);
        }
        // A report line cut to its capacity could show a number cut short, as another number.
        if (!hasFiniteGeometry(outputs) || outputs.report.linesCut) {
            return failedResult(kNotFiniteMessage);
        }
        return calculatedResult(std::move(outputs));
    }

    CaseDescriptor<Inputs, Model> m_descriptor;
};

} // namespace blachorys::core
