// Rasterising a large model to a printer-sized depth image, on every core;
// reading the model is not counted.
#include "core/mesh_raster.h"
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>

namespace {

// A sphere of about `triangles` triangles in latitude-longitude bands.
Mesh sphere(int triangles)
{
    const int bands = int(std::sqrt(triangles / 2.0));
    Mesh mesh;
    for (int i = 0; i <= bands; ++i) {
        const double theta = std::numbers::pi * i / bands;
        for (int j = 0; j <= bands; ++j) {
            const double phi = 2 * std::numbers::pi * j / bands;
            mesh.points.push_back({float(std::sin(theta) * std::cos(phi)), float(std::cos(theta)),
                                   float(std::sin(theta) * std::sin(phi))});
        }
    }
    auto at = [&](int i, int j) { return std::uint32_t(i * (bands + 1) + j); };
    for (int i = 0; i < bands; ++i)
        for (int j = 0; j < bands; ++j) {
            mesh.triangles.push_back({at(i, j), at(i + 1, j), at(i + 1, j + 1)});
            mesh.triangles.push_back({at(i, j), at(i + 1, j + 1), at(i, j + 1)});
        }
    return mesh;
}

// Goal: at most 100 ms for a million triangles at 3000 x 2000.
void BM_RasterizeMillionTriangles(benchmark::State& state)
{
    const Mesh mesh = sphere(1'000'000);
    const std::vector<MeshPoint> turned = turned_points(mesh.points, {30, 20, 0});
    const ModelPlacement placement = fitted_placement(used_box(turned, mesh), 3000, 2000, 20);
    for (auto _ : state) {
        ModelDepth depth = rasterize_model(turned, mesh, 3000, 2000, placement);
        benchmark::DoNotOptimize(depth.z.data());
    }
    state.counters["triangles"] = double(mesh.triangles.size());
}
BENCHMARK(BM_RasterizeMillionTriangles)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
