#include "bench/iosmath_formulas.hpp"
#include "platform/iosmath/MathTypesetter.hpp"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <string_view>

namespace {

std::string_view sample(int index) {
    const auto& run = iosmath_samples::kRunForMinus2Minus3;
    if (index < static_cast<int>(run.size())) return run[index];
    return iosmath_samples::kLongestForFractions[index - run.size()];
}

constexpr int kSampleCount = static_cast<int>(iosmath_samples::kRunForMinus2Minus3.size() +
                                              iosmath_samples::kLongestForFractions.size());

void BM_Layout(benchmark::State& state) {
    std::string_view latex = sample(static_cast<int>(state.range(0)));
    iosmath::MathTypesetter::layout(latex, 20);  // the font loads once per process, not here
    for (auto _ : state) {
        auto result = iosmath::MathTypesetter::layout(latex, 20);
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(std::string(latex.substr(0, 40)));
}
BENCHMARK(BM_Layout)->DenseRange(0, kSampleCount - 1)->Unit(benchmark::kMicrosecond);

void BM_Draw(benchmark::State& state) {
    std::string_view latex = sample(static_cast<int>(state.range(0)));
    auto result = iosmath::MathTypesetter::layout(latex, 20);
    const MTMathListDisplay& display = *result.display;
    const double scale = 2;
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, static_cast<int>(std::ceil(display.width * scale)) + 2,
        static_cast<int>(std::ceil((display.ascent + display.descent) * scale)) + 2);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    for (auto _ : state) {
        display.draw(cr, 0, display.ascent, 0xFF000000u);
    }
    cairo_surface_flush(surface);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    state.SetLabel(std::string(latex.substr(0, 40)));
}
BENCHMARK(BM_Draw)->DenseRange(0, kSampleCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
