// Every calculator from field texts to every output, as "Licz" runs it on the user-interface
// thread, for each of its examples; and the DXF text of its largest example.
#include "cases/calculators.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/core/sheets/dxftemplatewriter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

using namespace blachorys::core;

void calculateExample(benchmark::State& state, const Calculator* calculator,
                      const ExampleInputs* example) {
    const auto texts = exampleInputs(calculator->definition(), *example);
    const std::size_t development =
        developmentIndex(calculator->definition(), example->development).value_or(0);
    for (auto _ : state) {
        auto result = calculator->calculate(texts, development, "08-12-2026");
        benchmark::DoNotOptimize(result);
    }
}

void writeDxfText(benchmark::State& state, const Calculator* calculator,
                  const ExampleInputs* example) {
    const auto result = calculator->calculate(
        exampleInputs(calculator->definition(), *example),
        developmentIndex(calculator->definition(), example->development).value_or(0), "-");
    for (auto _ : state) {
        auto text = DxfTemplateWriter::documentText(dxfLinesOf(*result.outputs));
        benchmark::DoNotOptimize(text);
    }
}

/** The example's inputs with N set to `n`. */
void calculateAtN(benchmark::State& state, const Calculator* calculator,
                  const ExampleInputs* example, int n) {
    ExampleInputs atN = *example;
    std::erase_if(atN.fieldTexts, [](const auto& text) { return text.first == "N"; });
    atN.fieldTexts.emplace_back("N", std::to_string(n));
    calculateExample(state, calculator, &atN);
}

/** Whether the example divides the pattern as finely as its calculator allows. */
bool atLargestN(const CalculatorDefinition& definition, const ExampleInputs& example) {
    return std::any_of(example.fieldTexts.begin(), example.fieldTexts.end(), [&](const auto& text) {
        return text.first == "N" && text.second == std::to_string(definition.largestN);
    });
}

std::size_t dxfLineCount(const Calculator& calculator, const ExampleInputs& example) {
    const auto& d = calculator.definition();
    const auto result = calculator.calculate(
        exampleInputs(d, example), developmentIndex(d, example.development).value_or(0), "-");
    return result.outputs ? result.outputs->pattern.lines.size() : 0;
}

/**
 * Registered at start-up from the registry: BM_Calculate/<key>/<example>, BM_DxfText/<key>, and
 * BM_Scaling/<key>/<example>/N:<n> for each example at the largest N, at a tenth of it and at it,
 * which scripts/scaling.sh compares: a cost that grows faster than N shows in their ratio.
 */
const bool registered = [] {
    for (const Calculator* calculator : calculators()) {
        const auto& d = calculator->definition();
        const ExampleInputs* largest = nullptr;
        std::size_t largestCount = 0;
        for (const ExampleInputs& example : d.examples) {
            // Wall time: the pipe-cone mantle spreads its work over the processor's cores.
            benchmark::RegisterBenchmark(("BM_Calculate/" + d.key + "/" + example.name).c_str(),
                                         calculateExample, calculator, &example)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            if (atLargestN(d, example)) {
                for (const int n : {d.largestN / 10, d.largestN}) {
                    benchmark::RegisterBenchmark(
                        ("BM_Scaling/" + d.key + "/" + example.name + "/N:" + std::to_string(n))
                            .c_str(),
                        calculateAtN, calculator, &example, n)
                        ->Unit(benchmark::kMillisecond)
                        ->UseRealTime();
                }
            }
            const std::size_t count = dxfLineCount(*calculator, example);
            if (count > largestCount) {
                largestCount = count;
                largest = &example;
            }
        }
        if (largest != nullptr) {
            benchmark::RegisterBenchmark(("BM_DxfText/" + d.key + "/" + largest->name).c_str(),
                                         writeDxfText, calculator, largest)
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

} // namespace
