// The live preview's latency: from a change of the scene to the new image,
// which is the snapshot of the objects (their masks taken from their
// buffers) and the render of depth map and stereogram. Goals: an 800 x 600
// panel with 50 objects within 30 ms on one core; a 3000 x 2000 printer
// panel within 150 ms with all cores.
#include "core/raster.h"
#include "veride/render_scene.h"
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

constexpr StoredColor background = 0x800000;
constexpr StoredColor body = 0x00FFFF;

struct Drawn {
    QRect bounds;
    QImage buffer;
    Morphology morphology;
};

// 50 ellipses and rectangles spread over the panel at heights from -40 to 58 mm.
std::vector<Drawn> drawing(int width, int height)
{
    std::vector<Drawn> objects;
    for (int i = 0; i < 50; ++i) {
        const int w = width / 6, h = height / 6;
        const QRect bounds((i * 97) % (width - w), (i * 61) % (height - h), w, h);
        QImage buffer = make_buffer(w, h, background);
        QPainter painter(&buffer);
        painter.setPen(Qt::black);
        painter.setBrush(to_qcolor(body));
        if (i % 2) painter.drawEllipse(QRect(0, 0, w - 1, h - 1));
        else painter.drawRect(0, 0, w - 1, h - 1);
        painter.end();
        Morphology m;
        m.flat_surface = 1;
        const int z = -40 + 2 * i;
        m.edge_heights = {z, z, z + 10, z + 10};
        objects.push_back({bounds, buffer, m});
    }
    return objects;
}

void preview(benchmark::State& state, int width, int height, int width_mm, int threads)
{
    const std::vector<Drawn> objects = drawing(width, height);
    RenderSettings settings;
    settings.width_px = width;
    settings.height_px = height;
    settings.width_mm = width_mm;
    settings.height_mm = width_mm * height / width;
    RenderControl control;
    control.threads = threads;
    for (auto _ : state) {
        std::vector<SceneObject> scene;
        for (const Drawn& d : objects)
            scene.push_back(scene_object_from_buffer(QStringLiteral("shape"), d.bounds, d.buffer, background, d.morphology));
        const RenderResult result = render_scene(scene, settings, 1, control);
        benchmark::DoNotOptimize(result.stereogram.constBits());
    }
}

void BM_PreviewScreenPanelOneCore(benchmark::State& state) { preview(state, 800, 600, 211, 1); }
void BM_PreviewPrinterPanelAllCores(benchmark::State& state) { preview(state, 3000, 2000, 254, 0); }

} // namespace

BENCHMARK(BM_PreviewScreenPanelOneCore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewPrinterPanelAllCores)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
