// The renderer on a printer-resolution panel: 3000 x 2000 pixels at 300
// pixels per inch with a disc, a ramp and a box. The depth map and the
// stereogram are measured beside a plain fill of the same output image, the
// floor set by memory; the stereogram with hidden-surface removal should
// stay within 5 times the fill on one thread.
#include "veride/render_scene.h"
#include <benchmark/benchmark.h>
#include <cstring>
#include <thread>

namespace {

constexpr int width = 3000;
constexpr int height = 2000;

RenderSettings panel_settings()
{
    RenderSettings s; // eyes 40 mm apart, zero level at 1000 mm, heights -95..80
    s.width_px = width;
    s.height_px = height;
    s.width_mm = 254; // 300 pixels per inch
    s.height_mm = 169;
    return s;
}

Morphology flat(int tl, int tr, int bl, int br)
{
    Morphology m;
    m.flat_surface = 1;
    m.edge_heights = {tl, tr, bl, br};
    return m;
}

SceneObject filled(const QString& name, QRect bounds, bool disc, const Morphology& m)
{
    SceneObject object;
    object.name = name;
    object.bounds = bounds;
    object.morphology = m;
    object.covered.resize(static_cast<std::size_t>(bounds.width()) * bounds.height());
    const double rx = bounds.width() / 2.0, ry = bounds.height() / 2.0;
    for (int y = 0; y < bounds.height(); ++y)
        for (int x = 0; x < bounds.width(); ++x) {
            const double dx = (x + 0.5 - rx) / rx, dy = (y + 0.5 - ry) / ry;
            object.covered[static_cast<std::size_t>(y) * bounds.width() + x] = !disc || dx * dx + dy * dy <= 1.0;
        }
    return object;
}

std::vector<SceneObject> scene()
{
    return {filled("ramp", QRect(100, 1100, 2800, 800), false, flat(-90, 70, -90, 70)),
            filled("disc", QRect(300, 150, 900, 900), true, flat(50, 50, 50, 50)),
            filled("box", QRect(1700, 200, 1000, 700), false, flat(75, 75, 75, 75))};
}

DepthMap depth_map()
{
    QStringList problems;
    const RenderSettings s = panel_settings();
    return build_depth_map(width, height, scene(), {s.min_height, s.max_height}, problems);
}

void BM_DepthMap(benchmark::State& state)
{
    const std::vector<SceneObject> objects = scene();
    const RenderSettings s = panel_settings();
    for (auto _ : state) {
        QStringList problems;
        DepthMap map = build_depth_map(width, height, objects, {s.min_height, s.max_height}, problems);
        benchmark::DoNotOptimize(map.runs.data());
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

void BM_Stereogram(benchmark::State& state)
{
    const DepthMap map = depth_map();
    const RenderSettings s = panel_settings();
    const StereoGeometry geometry(s);
    const SeparationTable separations(geometry, s.min_height, s.max_height, true);
    RenderControl control;
    control.threads = static_cast<int>(state.range(0));
    // Onto one image, as the fill, so that both pay for the same pages.
    QImage image(width, height, QImage::Format_RGB888);
    for (auto _ : state) {
        render_stereogram_onto(image, map, geometry, separations, 1, dot_colors(0, 10000), control);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
    state.counters["threads"] = control.threads;
}

// A level panel: every row repeats the first two, so this is what reading
// the depth map and writing the image cost the stereogram.
void BM_StereogramLevel(benchmark::State& state)
{
    const DepthMap map = DepthMap::from_heights(width, height, std::vector<std::int32_t>(std::size_t(width) * height));
    const RenderSettings s = panel_settings();
    const StereoGeometry geometry(s);
    const SeparationTable separations(geometry, s.min_height, s.max_height, true);
    RenderControl control;
    control.threads = 1;
    QImage image(width, height, QImage::Format_RGB888);
    for (auto _ : state) {
        render_stereogram_onto(image, map, geometry, separations, 1, dot_colors(0, 10000), control);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

void BM_Fill(benchmark::State& state)
{
    QImage image(width, height, QImage::Format_RGB888);
    int value = 0;
    for (auto _ : state) {
        std::memset(image.bits(), ++value & 0xFF, static_cast<std::size_t>(image.sizeInBytes()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

} // namespace

BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DepthMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StereogramLevel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Stereogram)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Stereogram)->Arg(int(std::max(1u, std::thread::hardware_concurrency())))
    ->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
