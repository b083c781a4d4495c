// The largest pipe-pipe calculation (N = 2000) from field texts to every output, as "Licz"
// runs it on the user-interface thread.
#include "cases/pipe_pipe/pipepipecalculator.h"
#include "common/core/dxftemplatewriter.h"

#include <benchmark/benchmark.h>

namespace {

using blachorys::core::PipePipeCalculator;

std::vector<std::string> fieldsAtLargestN() {
    // Dm, Dd, P, alfa, H, N, Beta, Ld, Lm.
    return {"300", "800", "200", "0", "700", "2000", "60", "1000", "350"};
}

void BM_PipePipeCalculate(benchmark::State& state) {
    const PipePipeCalculator calculator;
    const auto texts = fieldsAtLargestN();
    const auto development = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        auto result = calculator.calculate(texts, development, "08-12-2026");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_PipePipeCalculate)->Arg(0)->Arg(1);

void BM_PipePipeDxfText(benchmark::State& state) {
    const PipePipeCalculator calculator;
    const auto result = calculator.calculate(fieldsAtLargestN(), 0, "08-12-2026");
    for (auto _ : state) {
        auto text = blachorys::core::DxfTemplateWriter::documentText(result.outputs->dxfLines);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_PipePipeDxfText);

} // namespace
