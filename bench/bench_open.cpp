// Speed of opening a drawing of 1000 objects of 200 x 200 pixels: reading
// the file's bytes and rebuilding every object, beside decoding the same
// 1000 silhouette images with Qt alone.
#include "core/raster.h"
#include "core/shape.h"
#include "files/drawing_reader.h"
#include "files/drawing_writer.h"
#include "files/shape_from_record.h"
#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr StoredColor background = 0x800000;
constexpr StoredColor object_color = 0x00FFFF;
constexpr int object_count = 1000;

struct Drawing {
    QByteArray file;
    std::vector<QByteArray> images;
};

const Drawing& sample_drawing()
{
    static const Drawing drawing = [] {
        std::vector<std::unique_ptr<Shape>> owned;
        QList<Shape*> shapes;
        for (int i = 0; i < object_count; ++i) {
            auto shape = std::make_unique<Shape>(nullptr, background);
            shape->name = QStringLiteral("shape%1").arg(i + 1);
            shape->left = (i * 37) % 600;
            shape->top = (i * 53) % 400;
            shape->size_buffer(200, 200, background);
            QPainter painter(&shape->buffer);
            painter.setPen(Qt::black);
            painter.setBrush(to_qcolor(object_color));
            painter.drawEllipse(QRect(0, 0, 199 - i % 50, 199));
            painter.end();
            shapes << shape.get();
            owned.push_back(std::move(shape));
        }
        Drawing d;
        d.file = drawing_file_bytes(DrawingHeader{211, 158, 800, 600, object_count}, shapes, background);
        for (const DrawingEntry& entry : read_drawing(d.file).entries) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            entry.silhouette.save(&buffer, "BMP");
            d.images.push_back(bytes);
        }
        return d;
    }();
    return drawing;
}

void BM_OpenDrawing(benchmark::State& state)
{
    const Drawing& drawing = sample_drawing();
    for (auto _ : state) {
        const DrawingContents contents = read_drawing(drawing.file);
        for (const DrawingEntry& entry : contents.entries) {
            std::unique_ptr<Shape> shape = shape_from_entry(nullptr, entry, background, object_color);
            benchmark::DoNotOptimize(shape->buffer.constBits());
        }
    }
    state.counters["objects"] = object_count;
}
BENCHMARK(BM_OpenDrawing)->Unit(benchmark::kMillisecond);

void BM_DecodeImagesWithQt(benchmark::State& state)
{
    const Drawing& drawing = sample_drawing();
    for (auto _ : state) {
        for (const QByteArray& bytes : drawing.images) {
            QImage image;
            image.loadFromData(bytes, "BMP");
            benchmark::DoNotOptimize(image.constBits());
        }
    }
    state.counters["objects"] = object_count;
}
BENCHMARK(BM_DecodeImagesWithQt)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
