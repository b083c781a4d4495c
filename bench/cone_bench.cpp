// The cone calculation from field texts to every output, as "Licz" runs it on the
// user-interface thread. Its development takes at least 8000 fine triangles whatever N is.
#include "cases/cone/conecalculator.h"
#include "common/core/dxftemplatewriter.h"

#include <benchmark/benchmark.h>

namespace {

using blachorys::core::ConeCalculator;

std::vector<std::string> fieldsWithDivisions(const char* divisions) {
    // Dsd, alfa, N, Hs, Dsm, E.
    return {"800", "0", divisions, "1000", "600", "100"};
}

void BM_ConeCalculate(benchmark::State& state) {
    const ConeCalculator calculator;
    const auto texts = fieldsWithDivisions(state.range(0) == 24 ? "24" : "2000");
    for (auto _ : state) {
        auto result = calculator.calculate(texts, 0, "08-12-2026");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ConeCalculate)->Arg(24)->Arg(2000);

void BM_ConeDxfText(benchmark::State& state) {
    const ConeCalculator calculator;
    const auto result = calculator.calculate(fieldsWithDivisions("2000"), 0, "08-12-2026");
    for (auto _ : state) {
        auto text = blachorys::core::DxfTemplateWriter::documentText(result.outputs->dxfLines);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ConeDxfText);

} // namespace
