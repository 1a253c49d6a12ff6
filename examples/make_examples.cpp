// Writes the sample drawings of this folder with the program's own file
// writer, a tile for textured stereograms and a 3D model: run `make_examples <folder>
// [<bitmap folder>]` after changing the format or the samples. The drawings
// use the default colours (navy ground, yellow objects).
//
// A morphology bitmap is stored by its path and opened as written, so the
// drawings name theirs as "<bitmap folder>/dome.bmp": "examples" (the
// default) for the repository, whose commands run from its root, and the
// absolute folder for an installed copy.
#include "core/raster.h"
#include "core/shape.h"
#include "files/drawing_writer.h"
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr StoredColor background = 0x800000;
constexpr StoredColor object_color = 0x00FFFF;

using Figure = std::function<void(QPainter&, int width, int height)>;

std::unique_ptr<Shape> figure(const char* name, QRect bounds, const Figure& draw)
{
    auto shape = std::make_unique<Shape>(nullptr, background);
    shape->name = QString::fromLatin1(name);
    shape->set_bounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
    shape->buffer = make_buffer(bounds.width(), bounds.height(), background);
    QPainter painter(&shape->buffer);
    painter.setPen(Qt::black);
    painter.setBrush(to_qcolor(object_color));
    draw(painter, bounds.width(), bounds.height());
    return shape;
}

void tilt(Shape& shape, int tl, int tr, int bl, int br)
{
    shape.morphology.flat_surface = 1;
    shape.morphology.edge_heights = {tl, tr, bl, br};
}

// A text object as the text tool makes it: glyphs in the object colour
// without smoothing, then the black edge.
std::unique_ptr<Shape> text(const char* name, QPoint at, const QString& words, const QFont& font)
{
    const QFontMetrics metrics(font);
    auto shape = figure(name, QRect(at, QSize(metrics.horizontalAdvance(words), metrics.height())),
                        [&](QPainter& p, int w, int h) {
                            p.setRenderHint(QPainter::TextAntialiasing, false);
                            p.setFont(font);
                            p.setPen(to_qcolor(object_color));
                            p.drawText(QRect(0, 0, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, words);
                        });
    outline_pass(shape->buffer, background, object_color, color_black);
    return shape;
}

// A dome with a ripple around it, bright where it is high, in every channel.
QImage dome_bitmap(int size)
{
    QImage image(size, size, QImage::Format_RGB888);
    for (int y = 0; y < size; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5) / size * 2 - 1, dy = (y + 0.5) / size * 2 - 1;
            const double r = std::min(1.0, std::sqrt(dx * dx + dy * dy));
            const double dome = r < 0.6 ? std::sqrt(1 - r * r / 0.36) : 0;
            const double ripple = r >= 0.6 ? 0.25 * (1 - std::cos((r - 0.6) * 5 * M_PI)) * (1 - r) / 0.4 : 0;
            const int value = static_cast<int>(255 * std::max(dome, ripple) + 0.5);
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = static_cast<uchar>(value);
        }
    }
    return image;
}

// A tile for textured stereograms: overlapping discs in many colours on a
// deep blue ground. Each disc is drawn with its copies one tile away, so
// tiles laid side by side and above one another show no seam.
QImage pattern_tile(int size)
{
    QImage image(size, size, QImage::Format_RGB888);
    image.fill(QColor(24, 32, 72));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Places, sizes and hues from a small fixed generator, the same on every machine.
    std::uint32_t state = 20261208;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    };
    for (int i = 0; i < 40; ++i) {
        const QPointF centre(next() * size, next() * size);
        const double radius = size * (0.04 + 0.08 * next());
        const QColor colour = QColor::fromHsvF(next(), 0.6 + 0.3 * next(), 0.8 + 0.2 * next());
        painter.setPen(QPen(colour.darker(170), size / 48.0));
        painter.setBrush(colour);
        for (const int dx : {-size, 0, size})
            for (const int dy : {-size, 0, size}) painter.drawEllipse(centre + QPointF(dx, dy), radius, radius);
    }
    painter.end();
    return image;
}

void use_bitmap(Shape& shape, const QString& path, int low, int high)
{
    Morphology& m = shape.morphology;
    m.flat_surface = 0;
    m.bitmap_file = path.toLocal8Bit();
    m.main_color = 2;
    m.min_color_value = 0;
    m.max_color_value = 255;
    m.min_color_height = low;
    m.max_color_height = high;
}

// A tube along a trefoil knot (the (2, 3) knot on a torus), as a text OBJ
// model for dioramix-cli and Import 3D Model.
bool write_knot(const QString& path)
{
    constexpr int along = 240, around = 16;
    constexpr double tube = 0.35;
    auto centre = [](double t) {
        return std::array<double, 3>{(2 + std::cos(3 * t)) * std::cos(2 * t), (2 + std::cos(3 * t)) * std::sin(2 * t),
                                     std::sin(3 * t)};
    };
    QByteArray text = "# A trefoil knot made by make_examples\n";
    for (int i = 0; i < along; ++i) {
        const double t = 2 * M_PI * i / along;
        const auto c = centre(t), next = centre(t + 1e-4);
        // A frame round the curve: its direction, and two normals to it.
        double d[3] = {next[0] - c[0], next[1] - c[1], next[2] - c[2]};
        const double dl = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (double& v : d) v /= dl;
        double n[3] = {d[1], -d[0], 0};
        const double nl = std::sqrt(n[0] * n[0] + n[1] * n[1]);
        for (double& v : n) v /= nl;
        const double b[3] = {d[1] * n[2] - d[2] * n[1], d[2] * n[0] - d[0] * n[2], d[0] * n[1] - d[1] * n[0]};
        for (int j = 0; j < around; ++j) {
            const double a = 2 * M_PI * j / around;
            text += QStringLiteral("v %1 %2 %3\n")
                        .arg(c[0] + tube * (std::cos(a) * n[0] + std::sin(a) * b[0]), 0, 'f', 4)
                        .arg(c[1] + tube * (std::cos(a) * n[1] + std::sin(a) * b[1]), 0, 'f', 4)
                        .arg(c[2] + tube * (std::cos(a) * n[2] + std::sin(a) * b[2]), 0, 'f', 4)
                        .toLatin1();
        }
    }
    auto at = [](int i, int j) { return (i % along) * around + (j % around) + 1; };
    for (int i = 0; i < along; ++i)
        for (int j = 0; j < around; ++j)
            text += QStringLiteral("f %1 %2 %3 %4\n")
                        .arg(at(i, j))
                        .arg(at(i + 1, j))
                        .arg(at(i + 1, j + 1))
                        .arg(at(i, j + 1))
                        .toLatin1();
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

bool write(const QString& path, const DrawingHeader& panel, const std::vector<std::unique_ptr<Shape>>& shapes)
{
    QList<Shape*> list;
    for (const auto& s : shapes) list << s.get();
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(drawing_file_bytes(panel, list, background)) >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString bitmap_folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("examples");
    const QString dome_path = bitmap_folder + QStringLiteral("/dome.bmp");
    const auto rectangle = [](QPainter& p, int w, int h) { p.drawRect(0, 0, w - 1, h - 1); };
    const auto ellipse = [](QPainter& p, int w, int h) { p.drawEllipse(QRect(0, 0, w - 1, h - 1)); };

    // A house on a tilted ground, with a round sun and a raised sign.
    std::vector<std::unique_ptr<Shape>> house;
    house.push_back(figure("ground", QRect(0, 420, 800, 180), rectangle));
    tilt(*house.back(), 0, 0, 20, 20);
    house.push_back(figure("walls", QRect(250, 250, 300, 220), rectangle));
    tilt(*house.back(), 30, 30, 30, 30);
    house.push_back(figure("roof", QRect(230, 130, 340, 121), [](QPainter& p, int w, int h) {
        p.drawPolygon(QPolygon({QPoint(0, h - 1), QPoint(w / 2, 0), QPoint(w - 1, h - 1)}));
    }));
    tilt(*house.back(), 40, 40, 30, 30);
    house.push_back(figure("sun", QRect(620, 40, 120, 120), ellipse));
    tilt(*house.back(), 60, 60, 60, 60);
    house.push_back(figure("door", QRect(370, 360, 60, 110), rectangle));
    tilt(*house.back(), 45, 45, 45, 45);

    // Rings stepping up towards the middle, the last one shaped by the dome.
    std::vector<std::unique_ptr<Shape>> rings;
    for (int i = 0; i < 4; ++i) {
        const int size = 360 - 80 * i;
        const QRect bounds(200 - size / 2, 150 - size / 2, size, size);
        rings.push_back(figure(QStringLiteral("ring%1").arg(i + 1).toLatin1().constData(), bounds, ellipse));
        tilt(*rings.back(), 15 * i, 15 * i, 15 * i, 15 * i);
    }
    use_bitmap(*rings.back(), dome_path, 40, 80);

    // A stepped pyramid: five flat rectangles, each 12 mm above the one below.
    std::vector<std::unique_ptr<Shape>> pyramid;
    for (int i = 0; i < 5; ++i) {
        const QRect bounds(QPoint(0, 0), QSize(680 - 120 * i, 500 - 90 * i));
        pyramid.push_back(figure(QStringLiteral("step%1").arg(i + 1).toLatin1().constData(),
                                 bounds.translated(400 - bounds.width() / 2, 300 - bounds.height() / 2), rectangle));
        tilt(*pyramid.back(), 12 * (i + 1), 12 * (i + 1), 12 * (i + 1), 12 * (i + 1));
    }

    // A text leaning back: its four corners at four heights on one plane.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(210);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    std::vector<std::unique_ptr<Shape>> tilted;
    const QString words = QStringLiteral("DEPTH");
    const QFontMetrics metrics(font);
    tilted.push_back(text("title", QPoint((800 - metrics.horizontalAdvance(words)) / 2, 180), words, font));
    tilt(*tilted.back(), 10, 30, 40, 60);

    // A dome shaped by a morphology bitmap, standing on a flat plinth.
    std::vector<std::unique_ptr<Shape>> dome;
    dome.push_back(figure("plinth", QRect(100, 60, 600, 480), rectangle));
    tilt(*dome.back(), 10, 10, 10, 10);
    dome.push_back(figure("dome", QRect(160, 60, 480, 480), ellipse));
    use_bitmap(*dome.back(), dome_path, 10, 70);
    dome.back()->morphology.clip_enabled = 1;
    dome.back()->morphology.clip_height = 11;

    const DrawingHeader wide{211, 158, 800, 600, 0};
    bool ok = dome_bitmap(128).save(folder + QStringLiteral("/dome.bmp"), "BMP")
        && pattern_tile(128).save(folder + QStringLiteral("/tile.png"), "PNG");
    ok = ok && write(folder + QStringLiteral("/house.sdf"), wide, house)
        && write(folder + QStringLiteral("/rings.sdf"), {105, 79, 400, 300, 0}, rings)
        && write(folder + QStringLiteral("/pyramid.sdf"), wide, pyramid)
        && write(folder + QStringLiteral("/tilted-text.sdf"), wide, tilted)
        && write(folder + QStringLiteral("/dome.sdf"), wide, dome)
        && write_knot(folder + QStringLiteral("/knot.obj"));
    if (!ok) std::fprintf(stderr, "make_examples: could not write into %s\n", qPrintable(folder));
    return ok ? 0 : 1;
}
