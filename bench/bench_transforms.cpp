// The transforms on a large object, each with the outline pass that ends
// it, beside a plain copy of the bytes it writes: rotating 2000 x 2000 by
// 30 degrees, stretching it to 3000 x 3000, and trimming it to its content.
#include "core/raster.h"
#include "core/transforms.h"
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace {
constexpr int side = 2000;
constexpr StoredColor background = 0xC0C0C0;
constexpr StoredColor object = 0x0000FF;

// An ellipse with a black edge and a background margin all round.
const QImage& figure()
{
    static const QImage image = [] {
        QImage buffer = make_buffer(side, side, background);
        QPainter painter(&buffer);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(to_qcolor(object));
        painter.drawEllipse(QRect(150, 250, side - 400, side - 600));
        return buffer;
    }();
    return image;
}

void copy_bytes(benchmark::State& state, std::int64_t bytes)
{
    std::vector<char> source(static_cast<size_t>(bytes), 1), target(static_cast<size_t>(bytes), 0);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

std::int64_t bytes_of(const QImage& image) { return std::int64_t(image.width()) * image.height() * 3; }

void BM_rotate_30_degrees(benchmark::State& state)
{
    const double angle = 30 * std::numbers::pi / 180;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        TransformedPixels turned =
            rotate_pixels(figure(), QRect(0, 0, side, side), 1, 1, std::sin(angle), std::cos(angle), background);
        outline_pass(turned.buffer, background, object, color_black);
        bytes = bytes_of(turned.buffer);
        benchmark::DoNotOptimize(turned.buffer.constBits());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_memcpy_rotated_size(benchmark::State& state)
{
    // 2000 x 2000 turned by 30 degrees covers 2732 x 2732.
    copy_bytes(state, std::int64_t(2732) * 2732 * 3);
}

void BM_resize_to_3000(benchmark::State& state)
{
    for (auto _ : state) {
        QImage stretched = stretch_pixels(figure(), 3000, 3000);
        outline_pass(stretched, background, object, color_black);
        benchmark::DoNotOptimize(stretched.constBits());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(3000) * 3000 * 3);
}

void BM_memcpy_3000(benchmark::State& state) { copy_bytes(state, std::int64_t(3000) * 3000 * 3); }

void BM_adjust_edges(benchmark::State& state)
{
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const QRect content = *content_bounds(figure(), background);
        QImage trimmed = crop_pixels(figure(), content.left(), side - content.right() - 1, content.top(),
                                     side - content.bottom() - 1, background);
        outline_pass(trimmed, background, object, color_black);
        bytes = bytes_of(trimmed);
        benchmark::DoNotOptimize(trimmed.constBits());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_memcpy_trimmed_size(benchmark::State& state) { copy_bytes(state, std::int64_t(side - 400) * (side - 600) * 3); }

} // namespace

BENCHMARK(BM_rotate_30_degrees)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_memcpy_rotated_size)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_resize_to_3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_memcpy_3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_adjust_edges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_memcpy_trimmed_size)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
