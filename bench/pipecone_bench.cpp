// The pipe-cone calculator from field texts to every output (report, DXF lines and text,
// preview), for each development at the default and at the largest number of divisions, with
// the mantle unrolled by the fast fans and, beside it, by the straightforward reference loops.
// The mantle at N = 2000 is the heaviest calculation of the program: 2001 hole points of 8000
// thin triangles each, which the reference loop runs one by one and the fast fans share.
#include "cases/pipe_cone/pipeconecase.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/core/sheets/dxftemplatewriter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace blachorys::core;

void calculate(benchmark::State& state, const Calculator& calculator) {
    const auto& definition = calculator.definition();
    const auto development = static_cast<std::size_t>(state.range(0));
    const std::string divisions = std::to_string(state.range(1));
    const auto texts = exampleInputs(definition, {"", "", {{"N", divisions}}});
    for (auto _ : state) {
        auto result = calculator.calculate(texts, development, "08-12-2026");
        auto dxf = DxfTemplateWriter::documentText(dxfLinesOf(*result.outputs));
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(dxf);
    }
    state.SetLabel(definition.developments.at(development).key + " N=" + divisions);
}

void BM_PipeConeCalculate(benchmark::State& state) {
    calculate(state, pipeConeCalculator());
}

void BM_PipeConeCalculate_Reference(benchmark::State& state) {
    calculate(state, pipeConeReferenceCalculator());
}

BENCHMARK(BM_PipeConeCalculate)
    ->ArgNames({"development", "N"})
    ->ArgsProduct({{0, 1}, {24, 2000}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PipeConeCalculate_Reference)
    ->ArgNames({"development", "N"})
    ->ArgsProduct({{1}, {24, 2000}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
