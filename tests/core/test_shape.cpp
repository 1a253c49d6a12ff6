#include "core/raster.h"
#include "core/shape.h"
#include <QPainter>
#include <QTest>

namespace {
constexpr StoredColor G = 0x808000; // background
constexpr StoredColor F = 0x0000FF; // object colour

bool transparent_at(const QImage& masked, int x, int y) { return masked.pixelColor(x, y).alpha() == 0; }

QColor opaque_at(const QImage& masked, int x, int y)
{
    const QColor c = masked.pixelColor(x, y);
    return c.alpha() == 255 ? c : QColor();
}
} // namespace

class TestShape : public QObject {
    Q_OBJECT
private slots:
    void a_new_object_is_flat_unselected_and_in_crop_mode()
    {
        auto* drawing = reinterpret_cast<DrawingWindow*>(0x1000); // only kept, never used
        const Shape shape(drawing, G);
        QCOMPARE(shape.drawing, drawing);
        QCOMPARE(shape.edit_mode, EditMode::Crop);
        QCOMPARE(Shape::object_tag, 1);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(shape.nodes[i].tag, i + 2);
            QVERIFY(!shape.nodes[i].visible);
            QCOMPARE(shape.nodes[i].color, color_black);
            QCOMPARE(shape.nodes[i].rect().size(), QSize(6, 6));
        }
        Morphology defaults;
        reset_morphology(defaults);
        QCOMPARE(shape.morphology, defaults);
        QCOMPARE(shape.morphology.flat_surface, std::uint8_t(1));
        QCOMPARE(shape.morphology.edge_heights, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
        QCOMPARE(shape.morphology.main_color, 1);
        QCOMPARE(shape.bounds(), QRect(0, 0, 0, 0));
    }

    void a_sized_buffer_has_the_background_colour()
    {
        Shape shape(nullptr, G);
        shape.size_buffer(7, 4, G);
        QCOMPARE(shape.width, 7);
        QCOMPARE(shape.height, 4);
        QCOMPARE(shape.buffer.size(), QSize(7, 4));
        QCOMPARE(shape.buffer.format(), QImage::Format_RGB888);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 7; ++x) QCOMPARE(pixel_color(shape.buffer, x, y), G);
        QVERIFY(transparent_at(shape.masked_tile(QPoint(0, 0), G), 6, 3));
    }

    void background_pixels_are_transparent()
    {
        Shape shape(nullptr, G);
        shape.size_buffer(3, 2, G);
        shape.buffer.setPixelColor(0, 0, to_qcolor(color_black));
        shape.buffer.setPixelColor(1, 0, to_qcolor(F));
        shape.buffer.setPixelColor(2, 1, QColor(1, 2, 3));
        const QImage& masked = shape.masked_tile(QPoint(0, 0), G);
        QCOMPARE(masked.size(), QSize(3, 2));
        QCOMPARE(opaque_at(masked, 0, 0), QColor(Qt::black));
        QCOMPARE(opaque_at(masked, 1, 0), to_qcolor(F));
        QCOMPARE(opaque_at(masked, 2, 1), QColor(1, 2, 3));
        for (QPoint p : {QPoint(2, 0), QPoint(0, 1), QPoint(1, 1)}) QVERIFY(transparent_at(masked, p.x(), p.y()));

        // Another background colour: the old one shows, the new one does not.
        const QImage& on_blue = shape.masked_tile(QPoint(0, 0), F);
        QCOMPARE(opaque_at(on_blue, 2, 0), to_qcolor(G));
        QVERIFY(transparent_at(on_blue, 1, 0));
        QCOMPARE(opaque_at(shape.masked_tile(QPoint(0, 0), G), 1, 0), to_qcolor(F));
    }

    void the_masked_image_follows_every_change_of_the_buffer()
    {
        Shape shape(nullptr, G);
        shape.size_buffer(4, 4, G);
        const qint64 first = shape.masked_tile(QPoint(0, 0), G).cacheKey();
        QCOMPARE(shape.masked_tile(QPoint(0, 0), G).cacheKey(), first); // unchanged: kept

        shape.buffer.setPixelColor(1, 1, to_qcolor(F));
        QCOMPARE(opaque_at(shape.masked_tile(QPoint(0, 0), G), 1, 1), to_qcolor(F));

        replace_color(shape.buffer, F, color_black);
        QCOMPARE(opaque_at(shape.masked_tile(QPoint(0, 0), G), 1, 1), QColor(Qt::black));

        {
            QPainter painter(&shape.buffer);
            painter.fillRect(QRect(2, 2, 2, 2), to_qcolor(F));
        }
        QCOMPARE(opaque_at(shape.masked_tile(QPoint(0, 0), G), 3, 3), to_qcolor(F));

        outline_pass(shape.buffer, G, F, color_black);
        QCOMPARE(opaque_at(shape.masked_tile(QPoint(0, 0), G), 3, 3), QColor(Qt::black));

        shape.size_buffer(5, 2, G);
        QCOMPARE(shape.masked_tile(QPoint(0, 0), G).size(), QSize(5, 2));
        QVERIFY(transparent_at(shape.masked_tile(QPoint(0, 0), G), 1, 1));

        // A buffer replaced by an image of another format is read correctly.
        QImage loaded(2, 1, QImage::Format_RGB32);
        loaded.setPixelColor(0, 0, to_qcolor(G));
        loaded.setPixelColor(1, 0, QColor(9, 8, 7));
        shape.buffer = loaded;
        QVERIFY(transparent_at(shape.masked_tile(QPoint(0, 0), G), 0, 0));
        QCOMPARE(opaque_at(shape.masked_tile(QPoint(0, 0), G), 1, 0), QColor(9, 8, 7));

        // A large object in tiles, the last ones cut to its edges.
        shape.size_buffer(600, 300, G);
        shape.buffer.setPixelColor(599, 299, to_qcolor(F));
        const QImage& corner = shape.masked_tile(QPoint(2, 1), G);
        QCOMPARE(corner.size(), QSize(600 - 512, 300 - 256));
        QCOMPARE(opaque_at(corner, 87, 43), to_qcolor(F));
        QVERIFY(transparent_at(corner, 86, 43));
        QVERIFY(shape.masked_tile(QPoint(3, 0), G).isNull());
    }

    void only_edge_and_body_pixels_hit()
    {
        Shape shape(nullptr, G);
        shape.set_bounds(100, 50, 9, 7);
        shape.size_buffer(9, 7, G);
        {
            QPainter painter(&shape.buffer);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(to_qcolor(F));
            painter.drawEllipse(QRect(0, 0, 8, 6));
        }
        QCOMPARE(pixel_color(shape.buffer, 0, 0), G);
        QVERIFY(!shape_pixel_hit(shape, 100, 50, F)); // corner of the ellipse
        QVERIFY(!shape_pixel_hit(shape, 108, 56, F));
        QVERIFY(shape_pixel_hit(shape, 104, 50, F)); // top edge, black
        QVERIFY(shape_pixel_hit(shape, 104, 53, F)); // body
        QVERIFY(!shape_pixel_hit(shape, 104, 53, 0x00FF00)); // body of another colour

        // Outside the rectangle.
        for (QPoint p : {QPoint(99, 53), QPoint(109, 53), QPoint(104, 49), QPoint(104, 57)})
            QVERIFY(!shape_pixel_hit(shape, p.x(), p.y(), F));
    }
};

QTEST_GUILESS_MAIN(TestShape)
#include "test_shape.moc"
