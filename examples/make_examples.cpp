// Writes the sample drawings of this folder with the program's own file
// writer: run `make_examples <folder>` after changing the format or the
// samples. The drawings use the default colours (navy ground, yellow objects).
#include "document/raster.h"
#include "document/shape.h"
#include "files/drawing_writer.h"
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr TColor background = 0x800000;
constexpr TColor object_color = 0x00FFFF;

using Figure = std::function<void(QPainter&, int width, int height)>;

std::unique_ptr<TRazidoVavoz> figure(const char* name, QRect bounds, const Figure& draw)
{
    auto shape = std::make_unique<TRazidoVavoz>(nullptr, background);
    shape->Name = QString::fromLatin1(name);
    shape->set_bounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
    shape->buffer = make_buffer(bounds.width(), bounds.height(), background);
    QPainter painter(&shape->buffer);
    painter.setPen(Qt::black);
    painter.setBrush(to_qcolor(object_color));
    draw(painter, bounds.width(), bounds.height());
    return shape;
}

void tilt(TRazidoVavoz& shape, int tl, int tr, int bl, int br)
{
    shape.morphology.flat_surface = 1;
    shape.morphology.edge_heights = {tl, tr, bl, br};
}

bool write(const QString& path, const DrawingHeader& panel, const std::vector<std::unique_ptr<TRazidoVavoz>>& shapes)
{
    QList<TRazidoVavoz*> list;
    for (const auto& s : shapes) list << s.get();
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(drawing_file_bytes(panel, list, background)) >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    // A house on a tilted ground, with a round sun and a raised sign.
    std::vector<std::unique_ptr<TRazidoVavoz>> house;
    house.push_back(figure("ground", QRect(0, 420, 800, 180), [](QPainter& p, int w, int h) {
        p.drawRect(0, 0, w - 1, h - 1);
    }));
    tilt(*house.back(), 0, 0, 20, 20);
    house.push_back(figure("walls", QRect(250, 250, 300, 220), [](QPainter& p, int w, int h) {
        p.drawRect(0, 0, w - 1, h - 1);
    }));
    tilt(*house.back(), 30, 30, 30, 30);
    house.push_back(figure("roof", QRect(230, 130, 340, 121), [](QPainter& p, int w, int h) {
        p.drawPolygon(QPolygon({QPoint(0, h - 1), QPoint(w / 2, 0), QPoint(w - 1, h - 1)}));
    }));
    tilt(*house.back(), 40, 40, 30, 30);
    house.push_back(figure("sun", QRect(620, 40, 120, 120), [](QPainter& p, int w, int h) {
        p.drawEllipse(QRect(0, 0, w - 1, h - 1));
    }));
    tilt(*house.back(), 60, 60, 60, 60);
    house.push_back(figure("door", QRect(370, 360, 60, 110), [](QPainter& p, int w, int h) {
        p.drawRect(0, 0, w - 1, h - 1);
    }));
    tilt(*house.back(), 45, 45, 45, 45);

    // Rings stepping up towards the middle, the last one shaped by a map.
    std::vector<std::unique_ptr<TRazidoVavoz>> rings;
    for (int i = 0; i < 4; ++i) {
        const int size = 360 - 80 * i;
        const QRect bounds(200 - size / 2, 150 - size / 2, size, size);
        rings.push_back(figure(QStringLiteral("ring%1").arg(i + 1).toLatin1().constData(), bounds,
                               [](QPainter& p, int w, int h) { p.drawEllipse(QRect(0, 0, w - 1, h - 1)); }));
        tilt(*rings.back(), 15 * i, 15 * i, 15 * i, 15 * i);
    }
    Morphology& mapped = rings.back()->morphology;
    mapped.flat_surface = 0;
    mapped.bitmap_file = "hill.bmp";
    mapped.main_color = 1;
    mapped.min_color_value = 0;
    mapped.max_color_value = 255;
    mapped.min_color_height = 40;
    mapped.max_color_height = 80;

    const bool ok = write(folder + QStringLiteral("/house.sdf"), {211, 158, 800, 600, 0}, house)
        && write(folder + QStringLiteral("/rings.sdf"), {105, 79, 400, 300, 0}, rings);
    if (!ok) std::fprintf(stderr, "make_examples: could not write into %s\n", qPrintable(folder));
    return ok ? 0 : 1;
}
