// The outline pass and colour replacement on a large object, each beside a
// plain copy of the same number of bytes: the passes should stay within a
// small multiple of what the memory itself costs.
#include "core/raster.h"
#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

namespace {
constexpr int side = 4000;
constexpr StoredColor background = 0xC0C0C0;
constexpr StoredColor object = 0x0000FF;

// A large filled ellipse with a black edge, and rows of short strokes like
// letters of text, all on the background colour.
QImage figure()
{
    QImage image = make_buffer(side, side, background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(to_qcolor(object));
    painter.drawEllipse(QRect(200, 300, 3000, 2400));

    QRandomGenerator random(4000);
    painter.setPen(QPen(to_qcolor(object), 4, Qt::SolidLine, Qt::SquareCap));
    for (int line_top = 2900; line_top + 60 < side; line_top += 90) {
        for (int x = 100; x + 40 < side; x += 36) {
            for (int stroke = 0; stroke < 3; ++stroke) {
                const QPoint a(x + random.bounded(28), line_top + random.bounded(50));
                const QPoint b(x + random.bounded(28), line_top + random.bounded(50));
                painter.drawLine(a, b);
            }
        }
    }
    return image;
}

const QImage& shared_figure()
{
    static const QImage image = figure();
    return image;
}

std::int64_t image_bytes(const QImage& image) { return std::int64_t(image.width()) * image.height() * 3; }

void BM_memcpy(benchmark::State& state)
{
    const std::size_t bytes = std::size_t(side) * side * 3;
    std::vector<char> source(bytes, 1), target(bytes, 0);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(bytes));
}

// Repeated passes do the same work: every figure pixel is judged and written
// again each time.
void BM_outline_pass(benchmark::State& state)
{
    QImage image = shared_figure().copy();
    for (auto _ : state) {
        outline_pass(image, background, object, color_black);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * image_bytes(image));
}

// The rare case where the fill is the background colour and the pass must
// see its own rewrites.
void BM_outline_pass_in_place(benchmark::State& state)
{
    const QImage& original = shared_figure();
    QImage image = original.copy();
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(image.bits(), original.constBits(), image.sizeInBytes()); // same memory each time
        state.ResumeTiming();
        outline_pass(image, background, background, color_black);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * image_bytes(image));
}

// A new background colour: most pixels change. Alternating the two colours
// keeps every iteration's work the same.
void BM_replace_background(benchmark::State& state)
{
    QImage image = shared_figure().copy();
    StoredColor from = background, to = 0x00FF00;
    for (auto _ : state) {
        replace_color(image, from, to);
        std::swap(from, to);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * image_bytes(image));
}

// A new object colour: only the figure's body changes.
void BM_replace_object_color(benchmark::State& state)
{
    QImage image = shared_figure().copy();
    StoredColor from = object, to = 0x00FF00;
    for (auto _ : state) {
        replace_color(image, from, to);
        std::swap(from, to);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * image_bytes(image));
}

} // namespace

BENCHMARK(BM_memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_outline_pass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_outline_pass_in_place)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_replace_background)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_replace_object_color)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
