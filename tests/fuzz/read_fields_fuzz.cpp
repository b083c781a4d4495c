// Arbitrary texts in the fields of every calculator: the first byte chooses the calculator and
// its development, the rest are the fields' texts, one per line, then a line per selector
// whose first byte chooses its choice. The first pass and the field
// reading must keep their promises, and a calculation must end in one of its three kinds with
// outputs whose every number is finite.
#include "cases/calculators.h"
#include "common/core/base/numbertext.h"
#include "common/core/calculator/fieldreading.h"
#include "fuzz/fuzzcheck.h"
#include "support/hostileinputs.h"

#include <algorithm>

using namespace blachorys;

namespace {

/** Larger counts only slow the run; the sweep takes divisions up to 3000. */
constexpr int kMostDivisionsCalculated = 200;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto& all = core::calculators();
    const core::Calculator& calculator = *all[data[0] % all.size()];
    const auto& definition = calculator.definition();
    const std::size_t development =
        (data[0] / all.size()) % std::max<std::size_t>(1, definition.developments.size());
    std::vector<std::string> given = fuzz::splitAt(data + 1, size - 1, '\n');
    core::CalculatorInputs inputs;
    // One past the last choice is asked for too: it must be refused, not read as another.
    bool choicesNamed = true;
    for (std::size_t k = 0; k < definition.selectors.size(); ++k) {
        const std::size_t line = definition.fields.size() + k;
        const std::size_t choice = line < given.size() && !given[line].empty()
                                       ? static_cast<unsigned char>(given[line][0])
                                       : 0;
        const std::size_t choiceCount = definition.selectors[k].choices.size();
        inputs.choices.push_back(choice % (choiceCount + 1));
        choicesNamed = choicesNamed && inputs.choices.back() < choiceCount;
    }
    given.resize(std::min(given.size(), definition.fields.size()));
    inputs.fieldTexts = given;

    const core::FieldReading reading = core::readFields(definition, inputs);
    FUZZ_CHECK(reading.texts.size() == definition.fields.size(), definition.key);
    FUZZ_CHECK(reading.choices.size() == definition.selectors.size(), definition.key);
    for (std::size_t k = 0; k < reading.choices.size(); ++k) {
        FUZZ_CHECK(reading.choices[k] < definition.selectors[k].choices.size(),
                   definition.selectors[k].name);
    }
    bool wholeNumbers = true;
    bool fewDivisions = true;
    for (std::size_t f = 0; f < reading.texts.size(); ++f) {
        const std::string& text = reading.texts[f];
        // A number stays as it was typed; anything else, or nothing, is "0".
        const bool number = f < given.size() && core::parseReal(given[f]).has_value();
        FUZZ_CHECK(text == (number ? given[f] : std::string("0")), definition.fields[f].name);
        if (definition.fields[f].kind == core::FieldKind::Integer) {
            const auto whole = core::parseInteger(text);
            wholeNumbers = wholeNumbers && whole.has_value();
            fewDivisions = fewDivisions && whole.value_or(0) <= kMostDivisionsCalculated;
        }
    }
    FUZZ_CHECK(reading.refusal.has_value() == !(wholeNumbers && choicesNamed), definition.key);
    if (reading.refusal) {
        const char* expectedStart = choicesNamed ? "Blad danych : '" : "Blad danych : ";
        FUZZ_CHECK(reading.refusal->text.starts_with(expectedStart), reading.refusal->text);
    }
    if (!fewDivisions) {
        return 0;
    }
    const core::CalculationResult result = calculator.calculate(inputs, development, "08-12-2026");
    const std::vector<std::string> problems = test::resultProblems(result);
    FUZZ_CHECK(problems.empty(), definition.key + ": " + problems.front());
    return 0;
}
