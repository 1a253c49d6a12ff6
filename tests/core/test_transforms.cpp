// The pixel work of the transforms on small bitmaps whose every pixel is
// known: step tables, the parallelogram mapping, stretch, crop and trimming.
#include "core/raster.h"
#include "core/transforms.h"
#include <QTest>

namespace {
constexpr StoredColor background = 0xC0C0C0;

// A buffer whose pixel (x, y) has the colour rgb(x, y, 7): every pixel can
// be traced to where it came from.
QImage numbered(int width, int height)
{
    QImage image = make_buffer(width, height, background);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixelColor(x, y, QColor(x, y, 7));
    return image;
}

QPoint source_of(const QImage& image, int x, int y)
{
    const StoredColor c = pixel_color(image, x, y);
    return blue_of(c) == 7 ? QPoint(red_of(c), green_of(c)) : QPoint(-1, -1);
}

std::vector<int> indices(const std::vector<StepEntry>& table)
{
    std::vector<int> out;
    for (const StepEntry& e : table) out.push_back(e.index);
    return out;
}
} // namespace

class TestTransforms : public QObject {
    Q_OBJECT
private slots:
    void step_tables_follow_the_edge_and_spread_the_source()
    {
        // Horizontal edge longer than the source: sources repeat.
        auto table = step_table(QPoint(0, 0), QPoint(4, 0), 2);
        QCOMPARE(table.size(), size_t(5));
        QCOMPARE(table[0], (StepEntry{0, 0, 0}));
        for (size_t k = 1; k < 5; ++k) QCOMPARE(std::pair(table[k].step_x, table[k].step_y), std::pair(1, 0));
        QCOMPARE(indices(table), (std::vector<int>{0, 0, 1, 2, 2}));

        // Steep edge up and right, shorter than the source: sources skipped,
        // the last entry takes the last source pixel.
        table = step_table(QPoint(0, 0), QPoint(2, -4), 6);
        const std::vector<StepEntry> expected{{0, 0, 0}, {0, -1, 2}, {1, -1, 3}, {1, -1, 5}, {0, -1, 6}};
        QCOMPARE(table, expected);

        // A diagonal as long as the source copies it one to one.
        table = step_table(QPoint(5, 5), QPoint(2, 8), 3);
        for (size_t k = 1; k < 4; ++k) QCOMPARE(std::pair(table[k].step_x, table[k].step_y), std::pair(-1, 1));
        QCOMPARE(indices(table), (std::vector<int>{0, 1, 2, 3}));

        // A point: one entry.
        QCOMPARE(step_table(QPoint(3, 3), QPoint(3, 3), 5), (std::vector<StepEntry>{{0, 0, 0}}));
    }

    void the_mapping_copies_flips_and_fills_diagonal_gaps()
    {
        const QImage source = numbered(3, 2);
        QImage target = make_buffer(3, 2, background);
        QVERIFY(map_parallelogram(source, target, QPoint(0, 0), QPoint(2, 0), QPoint(0, 1)));
        QCOMPARE(target, source);

        target = make_buffer(3, 2, background);
        QVERIFY(map_parallelogram(source, target, QPoint(2, 0), QPoint(0, 0), QPoint(2, 1)));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) QCOMPARE(source_of(target, x, y), QPoint(2 - x, y));

        // A 2 x 2 square turned by 45 degrees: the regular copy leaves the
        // middle empty; the gap filling puts the top-left pixel there.
        const QImage square = numbered(2, 2);
        target = make_buffer(3, 3, background);
        QVERIFY(map_parallelogram(square, target, QPoint(1, 0), QPoint(2, 1), QPoint(0, 1)));
        QCOMPARE(source_of(target, 1, 0), QPoint(0, 0));
        QCOMPARE(source_of(target, 2, 1), QPoint(1, 0));
        QCOMPARE(source_of(target, 0, 1), QPoint(0, 1));
        QCOMPARE(source_of(target, 1, 2), QPoint(1, 1));
        QCOMPARE(source_of(target, 1, 1), QPoint(0, 0));
        for (QPoint corner : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(2, 2)})
            QCOMPARE(pixel_color(target, corner.x(), corner.y()), background);

        // Positions outside the target are skipped, the rest is written.
        target = make_buffer(2, 2, background);
        QVERIFY(map_parallelogram(source, target, QPoint(-1, 1), QPoint(1, 1), QPoint(-1, 2)));
        QCOMPARE(source_of(target, 0, 1), QPoint(1, 0));
        QCOMPARE(source_of(target, 1, 1), QPoint(2, 0));
        QCOMPARE(pixel_color(target, 0, 0), background);
    }

    void rotation_and_mirroring_place_every_pixel()
    {
        // 90 degrees clockwise: 11 x 5 at (100, 100) becomes 5 x 11, same centre.
        const QImage source = numbered(11, 5);
        TransformedPixels turned = rotate_pixels(source, QRect(100, 100, 11, 5), 1, 1, 1, 0, background);
        QVERIFY(turned.complete);
        QCOMPARE(turned.bounds, QRect(103, 97, 5, 11));
        QCOMPARE(turned.bounds.center(), QPoint(105, 102));
        QCOMPARE(turned.buffer.size(), QSize(5, 11));
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 5; ++x) QCOMPARE(source_of(turned.buffer, x, y), QPoint(y, 4 - x));

        // No turn, horizontal mirror: left and right swap, bounds stay.
        turned = rotate_pixels(source, QRect(100, 100, 11, 5), -1, 1, 0, 1, background);
        QCOMPARE(turned.bounds, QRect(100, 100, 11, 5));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 11; ++x) QCOMPARE(source_of(turned.buffer, x, y), QPoint(10 - x, y));

        // Vertical mirror with a half turn gives the horizontal mirror again.
        turned = rotate_pixels(source, QRect(100, 100, 11, 5), 1, -1, 0, -1, background);
        QCOMPARE(turned.bounds, QRect(100, 100, 11, 5));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 11; ++x) QCOMPARE(source_of(turned.buffer, x, y), QPoint(10 - x, y));
    }

    void a_turn_by_45_degrees_grows_to_the_corners_box_without_holes()
    {
        const StoredColor body = 0x0000FF;
        const QImage square = make_buffer(11, 11, body);
        const double half = std::sqrt(0.5);
        const TransformedPixels turned = rotate_pixels(square, QRect(0, 0, 11, 11), 1, 1, half, half, background);
        // Corners at 5 -+ 7.07 in both directions, truncated toward zero.
        QCOMPARE(turned.bounds, QRect(-2, -2, 15, 15));
        const QImage& b = turned.buffer;
        for (QPoint corner : {QPoint(0, 0), QPoint(14, 0), QPoint(0, 14), QPoint(14, 14), QPoint(2, 2)})
            QCOMPARE(pixel_color(b, corner.x(), corner.y()), background);
        // Inside the turned square every pixel is the body: no holes.
        for (int y = 0; y < 15; ++y) {
            int first = -1, last = -1;
            for (int x = 0; x < 15; ++x)
                if (pixel_color(b, x, y) == body) {
                    if (first < 0) first = x;
                    last = x;
                }
            if (first < 0) continue;
            for (int x = first; x <= last; ++x) QCOMPARE(pixel_color(b, x, y), body);
        }
        QCOMPARE(pixel_color(b, 7, 7), body);
        QCOMPARE(pixel_color(b, 7, 0), body);
    }

    void stretch_crop_and_trim_keep_exact_pixels()
    {
        // 10 x 10 to 20 x 10 doubles every column; 4 x 1 to 2 x 1 keeps 0 and 2.
        const QImage source = numbered(10, 10);
        QImage wide = stretch_pixels(source, 20, 10);
        QCOMPARE(wide.size(), QSize(20, 10));
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x) QCOMPARE(source_of(wide, x, y), QPoint(x / 2, y));
        const QImage narrow = stretch_pixels(numbered(4, 1), 2, 1);
        QCOMPARE(source_of(narrow, 0, 0), QPoint(0, 0));
        QCOMPARE(source_of(narrow, 1, 0), QPoint(2, 0));
        QVERIFY(stretch_pixels(source, 0, 5).isNull());

        // 2 from the left, 3 from the top: the rest stays in place.
        const QImage cut = crop_pixels(numbered(6, 7), 2, 0, 3, 0, background);
        QCOMPARE(cut.size(), QSize(4, 4));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) QCOMPARE(source_of(cut, x, y), QPoint(x + 2, y + 3));
        // A negative amount adds background; nothing left gives nothing.
        const QImage wider = crop_pixels(numbered(2, 2), -1, 1, 0, -2, background);
        QCOMPARE(wider.size(), QSize(2, 4));
        QCOMPARE(pixel_color(wider, 0, 0), background);
        QCOMPARE(source_of(wider, 1, 1), QPoint(0, 1));
        QCOMPARE(pixel_color(wider, 1, 3), background);
        QVERIFY(crop_pixels(source, 5, 5, 0, 0, background).isNull());
        QVERIFY(crop_pixels(source, 0, 0, 12, -1, background).isNull());

        // Trimming: a 4-pixel border, a single pixel in the last column,
        // nothing but background.
        QImage framed = make_buffer(20, 16, background);
        framed.setPixelColor(4, 4, Qt::black);
        framed.setPixelColor(15, 11, Qt::black);
        QCOMPARE(content_bounds(framed, background), std::optional(QRect(4, 4, 12, 8)));
        QImage single = make_buffer(5, 3, background);
        single.setPixelColor(4, 1, Qt::red);
        QCOMPARE(content_bounds(single, background), std::optional(QRect(4, 1, 1, 1)));
        QCOMPARE(content_bounds(make_buffer(5, 3, background), background), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestTransforms)
#include "test_transforms.moc"
