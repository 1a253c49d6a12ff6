// Encoding a 12-frame 800 x 600 random-dot animation, a disc moving across
// it, as GIF and as lossless WebP; and the two views of a stereo pair. The
// frames are rendered before timing.
#include "veride/animation.h"
#include "veride/render_scene.h"
#include "veride/stereo_pair.h"
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

RenderSettings settings()
{
    RenderSettings s;
    s.eye_distance = 65;
    s.level_distance = 500;
    s.max_height = 100;
    s.min_height = 0;
    s.width_px = 800;
    s.height_px = 600;
    s.width_mm = 212;
    s.height_mm = 159;
    return s;
}

// A dome of radius 150 pixels centred at (x, y).
DepthMap dome(int x0, int y0)
{
    std::vector<std::int32_t> z(800 * 600, 0);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const double r = std::hypot(x - x0, y - y0) / 150;
            if (r < 1) z[std::size_t(y) * 800 + x] = std::int32_t(std::lround(80 * std::sqrt(1 - r * r)));
        }
    return DepthMap::from_heights(800, 600, z);
}

const std::vector<QImage>& frames()
{
    static const std::vector<QImage> made = [] {
        std::vector<QImage> out;
        for (int i = 0; i < 12; ++i) out.push_back(render_depth_map(dome(250 + 25 * i, 300), settings(), 1).stereogram);
        return out;
    }();
    return made;
}

void encode(benchmark::State& state, const QByteArray& format)
{
    QByteArray bytes;
    for (auto _ : state) {
        const auto encoder = animation_encoder(format, 100);
        for (const QImage& frame : frames()) encoder->add(frame);
        encoder->finish(bytes);
    }
    state.counters["bytes"] = double(bytes.size());
}

void BM_GifOfTwelveFrames(benchmark::State& state)
{
    encode(state, "gif");
}
BENCHMARK(BM_GifOfTwelveFrames)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WebpOfTwelveFrames(benchmark::State& state)
{
    encode(state, "webp");
}
BENCHMARK(BM_WebpOfTwelveFrames)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StereoViews(benchmark::State& state)
{
    const DepthMap map = dome(400, 300);
    const StereoGeometry geometry(settings());
    const Pattern pattern = Pattern::dots(1, {{0, 0, 0}, {255, 255, 255}});
    for (auto _ : state) benchmark::DoNotOptimize(stereo_views(map, geometry, pattern).left.constBits());
}
BENCHMARK(BM_StereoViews)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
