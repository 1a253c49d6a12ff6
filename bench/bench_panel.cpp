// Speed of painting a drawing panel full of objects: 500 objects of
// 200 x 200 pixels on an 800 x 600 panel, each an ellipse whose corners are
// transparent.
#include "app/application.h"
#include "app/parentform.h"
#include "core/configuration.h"
#include "core/panel_dimensions.h"
#include "core/shape.h"
#include "document/design.h"
#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

TForm2* drawing_with_objects(TMainForm& main, int count)
{
    PanelDimensions = PanelDimensionsRecord{211, 158, 800, 600};
    main.New1->trigger();
    TForm2* drawing = main.active_drawing;
    QRandomGenerator random(42);
    for (int i = 0; i < count; ++i) {
        TRazidoVavoz* shape = drawing->create_shape(random.bounded(-100, 700), random.bounded(-100, 500), 200, 200);
        QPainter painter(&shape->buffer);
        painter.setPen(Qt::black);
        painter.setBrush(to_qcolor(Configuration.object_color));
        painter.drawEllipse(QRect(0, 0, 199, 199));
    }
    return drawing;
}

void BM_PanelPaint(benchmark::State& state)
{
    TMainForm main;
    TForm2* drawing = drawing_with_objects(main, 500);
    QImage target(drawing->panel->size(), QImage::Format_RGB32);
    drawing->panel->render(&target); // the masked pictures are made once
    for (auto _ : state) {
        drawing->panel->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["objects"] = static_cast<double>(drawing->shapes.size());
    for (TForm2* open : main.drawings) open->modified = 0;
}
BENCHMARK(BM_PanelPaint)->Unit(benchmark::kMillisecond);

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
