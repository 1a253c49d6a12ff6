// The renderer on a printer-resolution panel: 3000 x 2000 pixels at 300
// pixels per inch with a disc, a ramp and a box. The depth map and the
// stereogram are measured beside a plain fill of the same output image, the
// floor set by memory; the stereogram with hidden-surface removal should
// stay within 5 times the fill on one thread.
//
// The other pictures, each on one thread against the random dots at whole
// pixels (BM_Stereogram/1): a 128 x 128 tile within 2 times, 4 times
// oversampling within 3 times. The same picture as a depth-map image (a
// height per pixel, few repeated rows) shows the cost of linking beside
// colouring. Writing a many-coloured picture as PNG is measured at a few
// zlib levels and with the renderer's own writer, and reading a 16-bit grey
// depth map with Qt's reader and with the renderer's own, since they
// dominate a whole render from the command line.
#include "veride/grey_png.h"
#include "veride/png_writer.h"
#include "veride/render_scene.h"
#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
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

// A 128 x 128 tile of soft colour waves, made here.
QImage wave_tile()
{
    QImage tile(128, 128, QImage::Format_RGB888);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const double a = 2 * M_PI * x / 128, b = 2 * M_PI * y / 128;
            tile.setPixel(x, y, qRgb(int(127 + 120 * std::sin(a + 2 * b)), int(127 + 120 * std::sin(3 * a - b)),
                                     int(127 + 120 * std::cos(2 * a + b))));
        }
    return tile;
}

// The scene's depth as a depth-map image gives it, with a height for every
// pixel: the scene under gentle waves (up to 6 mm), so that no two rows are
// alike and heights change every few pixels, or under noise besides (a
// pixel in seven 1 mm lower), the hardest case.
DepthMap per_pixel_map(bool noise)
{
    const DepthMap runs = depth_map();
    std::vector<std::int32_t> heights(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        std::int32_t* row = heights.data() + std::size_t(y) * width;
        runs.heights(y, row);
        for (int x = 0; x < width; ++x) {
            const double wave = 3 * std::sin(x / 40.0) + 3 * std::cos(y / 50.0);
            row[x] = std::clamp(row[x] + int(std::lround(wave)) - (noise && (x + 3 * y) % 7 == 0), -95, 80);
        }
    }
    return DepthMap::from_heights(width, height, heights);
}

enum Picture { Dots, ColorDots, Tile };

// One picture on one thread: args are the picture kind, the oversampling
// and the depth map: the drawing's (0), waves (1), waves and noise (2).
void BM_Picture(benchmark::State& state)
{
    const auto kind = Picture(state.range(0));
    const int k = static_cast<int>(state.range(1));
    const DepthMap map = state.range(2) ? per_pixel_map(state.range(2) == 2) : depth_map();
    const RenderSettings s = panel_settings();
    const StereoGeometry geometry = StereoGeometry(s).oversampled(k);
    const SeparationTable separations(geometry, s.min_height, s.max_height, true);
    const Pattern pattern = kind == Tile ? Pattern::image(wave_tile(), false, separations(0), k, width, height)
                            : kind == ColorDots ? Pattern::color_dots(1, 16, k)
                                                : Pattern::dots(1, dot_colors(0, 10000), k);
    RenderControl control;
    control.threads = 1;
    QImage image(width, height, QImage::Format_RGB888);
    for (auto _ : state) {
        render_stereogram_onto(image, map, geometry, separations, pattern, control);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

// PNG of a textured picture at a zlib level (-1: Qt's default); the counter
// is the file's size.
void BM_WritePng(benchmark::State& state)
{
    RenderSettings s = panel_settings();
    PictureOptions options;
    options.pattern = PatternKind::Image;
    options.tile = wave_tile();
    options.oversample = 4;
    const RenderResult result = render_depth_map(per_pixel_map(false), s, 1, {}, options);
    const int level = static_cast<int>(state.range(0));
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        // Qt maps quality q to zlib level (100 - q) * 9 / 91.
        if (level >= 0) writer.setQuality(100 - (level * 91 + 8) / 9);
        writer.write(result.stereogram);
        bytes = buffer.size();
    }
    state.counters["bytes"] = double(bytes);
}

// The renderer's own PNG encoder on `threads` threads (0: all cores), into
// memory as saving encodes before its one write.
void BM_WritePngOwn(benchmark::State& state)
{
    PictureOptions options;
    options.pattern = PatternKind::Image;
    options.tile = wave_tile();
    options.oversample = 4;
    const RenderResult result = render_depth_map(per_pixel_map(false), panel_settings(), 1, {}, options);
    QByteArray png;
    for (auto _ : state) {
        if (!encode_png_fast(result.stereogram, png, int(state.range(0))).isEmpty()) state.SkipWithError("not encoded");
    }
    state.counters["bytes"] = double(png.size());
}

// A 16-bit grey depth map with a height per pixel, read by Qt (0) or by the
// renderer's own reader (1), as 8-bit grey.
void BM_ReadDepthPng(benchmark::State& state)
{
    QImage grey = depth_map_image(per_pixel_map(false)).convertToFormat(QImage::Format_Grayscale16);
    QByteArray file;
    QBuffer out(&file);
    out.open(QIODevice::WriteOnly);
    grey.save(&out, "png");
    for (auto _ : state) {
        QBuffer in(&file);
        in.open(QIODevice::ReadOnly);
        const QImage image = state.range(0) ? read_grey_png(in, qint64(1) << 30)
                                            : QImageReader(&in, "png").read().convertToFormat(QImage::Format_Grayscale8);
        if (image.isNull()) state.SkipWithError("not read");
    }
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

BENCHMARK(BM_Picture)->ArgNames({"kind", "k", "map"})
    ->Args({Dots, 1, 0})->Args({Tile, 1, 0})->Args({ColorDots, 1, 0})
    ->Args({Dots, 4, 0})->Args({Tile, 4, 0})
    ->Args({Dots, 1, 1})->Args({Tile, 1, 1})->Args({Dots, 4, 1})->Args({Tile, 4, 1})
    ->Args({Dots, 1, 2})->Args({Dots, 4, 2})
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WritePng)->Arg(-1)->Arg(0)->Arg(1)->Arg(3)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_WritePngOwn)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadDepthPng)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
