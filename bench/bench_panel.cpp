// Speed of painting a drawing panel full of objects: 500 objects of
// 200 x 200 pixels on an 800 x 600 panel, each an ellipse whose corners are
// transparent. Of painting what a 1200 x 800 window shows of a 13257 x 9373
// panel holding three 6000 x 4000 discs, at 1/8 and at actual size. And of
// opening a drawing of two 4000 x 4000 objects in the
// program until the window shows it, beside reading the same file alone.
#include "app/application.h"
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/panel_dimensions.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "document/panel_view.h"
#include "files/drawing_reader.h"
#include "files/drawing_writer.h"
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

DrawingWindow* drawing_with_objects(MainWindow& main, int count)
{
    PanelDimensions = PanelDimensionsRecord{211, 158, 800, 600};
    DrawingWindow* drawing = qobject_cast<DrawingWindow*>(main.create_drawing_window(QStringLiteral("Stereogram1"), QStringLiteral("Stereogram1"))->widget());
    QRandomGenerator random(42);
    for (int i = 0; i < count; ++i) {
        Shape* shape = drawing->create_shape(random.bounded(-100, 700), random.bounded(-100, 500), 200, 200);
        QPainter painter(&shape->buffer);
        painter.setPen(Qt::black);
        painter.setBrush(to_qcolor(Configuration.object_color));
        painter.drawEllipse(QRect(0, 0, 199, 199));
    }
    return drawing;
}

void BM_PanelPaint(benchmark::State& state)
{
    MainWindow main;
    main.show();
    DrawingWindow* drawing = drawing_with_objects(main, 500);
    QImage target(drawing->panel->size(), QImage::Format_RGB32);
    drawing->panel->render(&target); // the masked pictures are made once
    for (auto _ : state) {
        drawing->panel->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["objects"] = static_cast<double>(drawing->shapes.size());
    for (DrawingWindow* open : main.drawings()) open->modified = 0;
}
BENCHMARK(BM_PanelPaint)->Unit(benchmark::kMillisecond);

// The argument is the zoom step: -3 is 1/8, 0 actual size.
void BM_LargePanelPaint(benchmark::State& state)
{
    MainWindow main;
    main.show();
    PanelDimensions = PanelDimensionsRecord{1122, 794, 13257, 9373};
    QMdiSubWindow* window = main.create_drawing_window(QStringLiteral("Stereogram1"), QStringLiteral("Stereogram1"));
    window->resize(1200, 800);
    auto* drawing = qobject_cast<DrawingWindow*>(window->widget());
    for (int i = 0; i < 3; ++i) {
        Shape* shape = drawing->create_shape(i * 3000, i * 2500, 6000, 4000);
        QPainter painter(&shape->buffer);
        painter.setPen(Qt::black);
        painter.setBrush(to_qcolor(Configuration.object_color));
        painter.drawEllipse(QRect(0, 0, 5999, 3999));
    }
    drawing->view->zoom_to(static_cast<int>(state.range(0)), QPoint(0, 0));
    // Scrolled to the middle, where the discs overlap.
    for (QScrollBar* bar : {drawing->view->horizontalScrollBar(), drawing->view->verticalScrollBar()})
        bar->setValue(bar->maximum() / 2);
    QImage target(drawing->size(), QImage::Format_RGB32);
    drawing->render(&target); // the tiles seen are made once
    for (auto _ : state) {
        drawing->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["zoom"] = drawing->panel->zoom();
    for (DrawingWindow* open : main.drawings()) open->modified = 0;
}
BENCHMARK(BM_LargePanelPaint)->Arg(-3)->Arg(0)->Unit(benchmark::kMillisecond);

// A drawing file of two overlapping 4000 x 4000 discs on a panel as large.
QString large_drawing_file(const QTemporaryDir& dir)
{
    std::vector<std::unique_ptr<Shape>> owned;
    QList<Shape*> shapes;
    for (int i = 0; i < 2; ++i) {
        auto shape = std::make_unique<Shape>(nullptr, Configuration.background_color);
        shape->name = QStringLiteral("disc%1").arg(i + 1);
        shape->set_bounds(i * 100, i * 100, 4000, 4000);
        shape->size_buffer(4000, 4000, Configuration.background_color);
        QPainter painter(&shape->buffer);
        painter.setPen(Qt::black);
        painter.setBrush(to_qcolor(Configuration.object_color));
        painter.drawEllipse(QRect(0, 0, 3999, 3999));
        painter.end();
        shapes << shape.get();
        owned.push_back(std::move(shape));
    }
    const QString path = dir.filePath(QStringLiteral("large.sdf"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(drawing_file_bytes(DrawingHeader{1000, 1000, 4000, 4000, 2}, shapes, Configuration.background_color));
    return path;
}

void BM_ReadLargeDrawing(benchmark::State& state)
{
    const QTemporaryDir dir;
    const QString path = large_drawing_file(dir);
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const DrawingContents contents = read_drawing(file.readAll());
        benchmark::DoNotOptimize(contents.entries.constData());
    }
}
BENCHMARK(BM_ReadLargeDrawing)->Unit(benchmark::kMillisecond);

void BM_OpenLargeDrawing(benchmark::State& state)
{
    const QTemporaryDir dir;
    const QString path = large_drawing_file(dir);
    MainWindow main;
    main.show();
    for (auto _ : state) {
        main.open_file(path);
        DrawingWindow* drawing = main.active_drawing();
        // What the window shows of it painted, as the first paint does.
        QImage seen(drawing->size(), QImage::Format_RGB32);
        drawing->render(&seen);
        state.PauseTiming();
        drawing->modified = 0;
        main.close_action->trigger();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLargeDrawing)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    DioramixApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
