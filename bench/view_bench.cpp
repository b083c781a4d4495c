// One frame of the 3-D view at 1280 × 800 (projection, depth sort and painting) for every
// calculator and development, at its defaults and at its largest N, and for each of its
// examples; and the scene each frame is drawn from, made once per calculation.
#include "cases/calculators.h"
#include "common/core/view3d/viewframe.h"
#include "common/core/view3d/viewscene.h"
#include "common/render/viewpainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace {

using namespace blachorys::core;

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

/** A calculation whose view is drawn: its outputs, its joint and its scene. */
struct Drawn {
    CalculationOutputs outputs;
    JointView joint;
    ViewScene scene;
};

/** What is drawn: the defaults, at the largest N, or one of the definition's examples. */
struct Case {
    const Calculator* calculator = nullptr;
    std::size_t development = 0;
    bool largestN = false;
    const ExampleInputs* example = nullptr;

    auto key() const { return std::tuple{calculator, development, largestN, example}; }
};

std::shared_ptr<const Drawn> calculated(const Case& c) {
    const auto& d = c.calculator->definition();
    CalculatorInputs inputs = c.example ? exampleInputs(d, *c.example) : defaultInputs(d);
    if (c.largestN) {
        inputs.fieldTexts[fieldIndex(d, "N").value()] = std::to_string(d.largestN);
    }
    auto result = c.calculator->calculate(inputs, c.development, "08-12-2026");
    if (!result.outputs || !result.outputs->view) {
        return nullptr;
    }
    auto made = std::make_shared<Drawn>();
    made->outputs = std::move(*result.outputs);
    made->joint = made->outputs.view();
    made->scene = buildViewScene(made->outputs.pattern, made->joint);
    return made;
}

/** Made once: the benchmark's function runs several times while it settles its iterations. */
std::shared_ptr<const Drawn> drawn(const Case& c) {
    static std::map<decltype(c.key()), std::shared_ptr<const Drawn>> made;
    auto& entry = made[c.key()];
    if (!entry) {
        entry = calculated(c);
    }
    return entry;
}

void frame(benchmark::State& state, Case c) {
    const auto made = drawn(c);
    if (!made) {
        state.SkipWithError("no view");
        return;
    }
    ViewCamera camera;
    turnTo(camera, ViewPreset::Iso);
    fitScene(camera, made->scene, kWidth, kHeight, 48.0);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    ViewFrame frame;
    const blachorys::render::ViewPaintOptions options;
    for (auto _ : state) {
        drawFrame(made->scene, camera, kWidth, kHeight, frame);
        QPainter painter(&image);
        blachorys::render::paintViewFrame(painter, made->scene, frame, camera, options);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["faces"] = static_cast<double>(made->scene.faces.size());
    state.counters["lines"] = static_cast<double>(made->scene.lines.size());
}

void scene(benchmark::State& state, Case c) {
    const auto made = drawn(c);
    if (!made) {
        state.SkipWithError("no view");
        return;
    }
    for (auto _ : state) {
        const JointView joint = made->outputs.view();
        ViewScene built = buildViewScene(made->outputs.pattern, joint);
        benchmark::DoNotOptimize(built.faces.data());
    }
}

void registerAll() {
    for (const Calculator* calculator : calculators()) {
        const auto& d = calculator->definition();
        const std::size_t developments = std::max<std::size_t>(1, d.developments.size());
        for (std::size_t development = 0; development < developments; ++development) {
            const std::string name =
                d.key + (d.developments.empty() ? "" : "/" + d.developments[development].key);
            for (const bool largest : {false, true}) {
                const std::string which = largest ? "/largest_N" : "/defaults";
                const Case c{calculator, development, largest, nullptr};
                benchmark::RegisterBenchmark(("BM_ViewFrame/" + name + which).c_str(), frame, c)
                    ->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark(("BM_ViewScene/" + name + which).c_str(), scene, c)
                    ->Unit(benchmark::kMillisecond);
            }
        }
        // Every example besides, the walls' among them.
        for (const ExampleInputs& example : d.examples) {
            const Case c{calculator, developmentIndex(d, example.development).value_or(0), false,
                         &example};
            benchmark::RegisterBenchmark(
                ("BM_ViewFrameExample/" + d.key + "/" + example.name).c_str(), frame, c)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    // The painter needs the drawing layer; offscreen unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
