#include "core/raster.h"
#include <QRandomGenerator>
#include <QTest>
#include <cstring>

namespace {
constexpr StoredColor G = 0x800000; // background
constexpr StoredColor F = 0x00FFFF; // fill
constexpr StoredColor E = 0x000000; // edge
constexpr StoredColor Figure = 0x123456;

// Builds an image from rows of characters: '.' background, 'E' edge, 'F'
// fill, anything else a figure pixel of some third colour.
QImage from_rows(const QStringList& rows)
{
    QImage image = make_buffer(rows[0].size(), rows.size(), G);
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x) {
            const QChar c = rows[y][x];
            if (c == QLatin1Char('.')) continue;
            const StoredColor color = c == QLatin1Char('E') ? E : c == QLatin1Char('F') ? F : Figure;
            image.setPixelColor(x, y, to_qcolor(color));
        }
    }
    return image;
}

// '.' background, 'E' edge, 'F' fill, '?' anything else.
QStringList to_rows(const QImage& image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const StoredColor c = pixel_color(image, x, y);
            row += c == G ? QLatin1Char('.') : c == E ? QLatin1Char('E') : c == F ? QLatin1Char('F') : QLatin1Char('?');
        }
        rows << row;
    }
    return rows;
}

QStringList outlined(const QStringList& rows)
{
    QImage image = from_rows(rows);
    outline_pass(image, G, F, E);
    return to_rows(image);
}

// The outline rule stated pixel by pixel, through Qt's own pixel access, to
// check the scanline version against on arbitrary bitmaps.
void reference_outline(QImage& image, StoredColor background, StoredColor fill, StoredColor edge)
{
    const int w = image.width();
    const int h = image.height();
    const StoredColor g = background & 0xFFFFFF;
    auto is_background = [&](int x, int y) { return from_qcolor(image.pixelColor(x, y)) == g; };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (is_background(x, y)) continue;
            const bool on_edge = x == 0 || y == 0 || x == w - 1 || y == h - 1 || is_background(x - 1, y)
                || is_background(x + 1, y) || is_background(x, y - 1) || is_background(x, y + 1);
            image.setPixelColor(x, y, to_qcolor(on_edge ? edge : fill));
        }
    }
}

QImage random_bitmap(QRandomGenerator& random, int w, int h, const QList<StoredColor>& palette)
{
    QImage image = make_buffer(w, h, G);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, to_qcolor(palette[random.bounded(int(palette.size()))]));
    return image;
}
} // namespace

class TestRaster : public QObject {
    Q_OBJECT
private slots:
    void buffers_are_24_bit_rows_of_red_green_blue()
    {
        const QImage image = make_buffer(3, 2, rgb_color(1, 2, 3));
        QCOMPARE(image.format(), QImage::Format_RGB888);
        QCOMPARE(image.size(), QSize(3, 2));
        for (int y = 0; y < 2; ++y)
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.constScanLine(y)), 9),
                     QByteArray("\x01\x02\x03\x01\x02\x03\x01\x02\x03", 9));

        QImage painted = make_buffer(2, 2, color_white);
        painted.setPixelColor(1, 1, QColor(10, 20, 30));
        QCOMPARE(pixel_color(painted, 1, 1), rgb_color(10, 20, 30));
        QCOMPARE(pixel_color(painted, 0, 1), color_white);
        QCOMPARE(rgb_color(10, 20, 30), 0x1E140A);

        QVERIFY(make_buffer(0, 5, G).isNull());
        QVERIFY(make_buffer(-1, -1, G).isNull());
    }

    void outline_gives_an_edge_and_a_body()
    {
        QCOMPARE(outlined({".......", ".#####.", ".#####.", ".#####.", "......."}),
                 QStringList({".......", ".EEEEE.", ".EFFFE.", ".EEEEE.", "......."}));

        // An ellipse-like figure with a hole: the hole gets an edge of its
        // own, diagonal contact with the background does not make an edge.
        QCOMPARE(outlined({"..#####..",
                           ".#######.",
                           "#########",
                           "####.####",
                           "#########",
                           ".#######.",
                           "..#####.."}),
                 QStringList({"..EEEEE..",
                              ".EFFFFFE.",
                              "EFFFEFFFE",
                              "EFFE.EFFE",
                              "EFFFEFFFE",
                              ".EFFFFFE.",
                              "..EEEEE.."}));

        // A full bitmap without background: only the border is edge.
        QCOMPARE(outlined({"####", "####", "####", "####"}), QStringList({"EEEE", "EFFE", "EFFE", "EEEE"}));

        // Pixels already of edge or fill colour are judged by position, not kept.
        QCOMPARE(outlined({".....", ".FEF.", ".EFE.", ".FEF.", "....."}),
                 QStringList({".....", ".EEE.", ".EFE.", ".EEE.", "....."}));
    }

    void thin_bitmaps_are_all_edge()
    {
        QCOMPARE(outlined({"##.###.#"}), QStringList({"EE.EEE.E"}));
        QCOMPARE(outlined({"##.####", "#######"}), QStringList({"EE.EEEE", "EEEEEEE"}));
        QCOMPARE(outlined({"#", "#", ".", "#"}), QStringList({"E", "E", ".", "E"}));
        QCOMPARE(outlined({"##", "##", "#.", "##", "##"}), QStringList({"EE", "EE", "E.", "EE", "EE"}));
        QCOMPARE(outlined({"#"}), QStringList({"E"}));
        QCOMPARE(outlined({"."}), QStringList({"."}));
    }

    void one_pixel_lines_are_all_edge()
    {
        QCOMPARE(outlined({"......", ".####.", "......"}), QStringList({"......", ".EEEE.", "......"}));
        QCOMPARE(outlined({"...", ".#.", ".#.", ".#.", "..."}), QStringList({"...", ".E.", ".E.", ".E.", "..."}));
        QCOMPARE(outlined({".....", ".#...", "..#..", "...#.", "....."}),
                 QStringList({".....", ".E...", "..E..", "...E.", "....."}));
        // A line one pixel wide inside a wider figure still cuts it.
        QCOMPARE(outlined({".......", ".#####.", ".#...#.", ".#####.", "......."}),
                 QStringList({".......", ".EEEEE.", ".E...E.", ".EEEEE.", "......."}));
    }

    void edge_or_fill_of_the_background_colour_works_in_place()
    {
        // Fill = background: a pixel rewritten to fill becomes background
        // for its right and lower neighbours, which so become edge.
        QImage image = from_rows({".......", ".#####.", ".#####.", ".#####.", ".#####.", "......."});
        outline_pass(image, G, G, E);
        QCOMPARE(to_rows(image),
                 QStringList({".......", ".EEEEE.", ".E.E.E.", ".EE.EE.", ".EEEEE.", "......."}));

        // The same when the colours differ only outside the three channels.
        image = from_rows({".......", ".#####.", ".#####.", ".#####.", ".#####.", "......."});
        outline_pass(image, G, G | 0x01000000, E);
        QCOMPARE(to_rows(image),
                 QStringList({".......", ".EEEEE.", ".E.E.E.", ".EE.EE.", ".EEEEE.", "......."}));

        // Edge = background: every run starts at the border or next to the
        // background, so each pixel erases the next one's left neighbour.
        image = from_rows({".......", ".#####.", ".#####.", ".#####.", "......."});
        outline_pass(image, G, F, G);
        QCOMPARE(to_rows(image), QStringList({".......", ".......", ".......", ".......", "......."}));
        image = from_rows({"####", "####", "####"});
        outline_pass(image, G, F, G);
        QCOMPARE(to_rows(image), QStringList({"....", "....", "...."}));

        // Edge = fill: every figure pixel takes that one colour.
        image = from_rows({".....", ".###.", ".###.", ".###.", "....."});
        outline_pass(image, G, E, E);
        QCOMPARE(to_rows(image), QStringList({".....", ".EEE.", ".EEE.", ".EEE.", "....."}));
    }

    void outline_matches_the_pixel_rule_on_arbitrary_bitmaps()
    {
        QRandomGenerator random(20261207);
        struct Colours {
            StoredColor fill, edge;
        };
        const QList<Colours> cases = {{F, E}, {G, E}, {F, G}, {E, E}, {G, G}, {G | 0x01000000, E}, {F, G | 0x7F000000}};
        for (const Colours& colours : cases) {
            for (int round = 0; round < 60; ++round) {
                // Widths around the multiples of 16 first, then any.
                static const int widths[] = {1, 15, 16, 17, 31, 32, 33, 48};
                const int w = round < 8 ? widths[round] : 1 + random.bounded(80);
                const int h = 1 + random.bounded(6);
                const QImage original = random_bitmap(random, w, h, {G, G, G, Figure, Figure, F, E, 0x800001});
                QImage expected = original;
                reference_outline(expected, G, colours.fill, colours.edge);
                QImage actual = original;
                outline_pass(actual, G, colours.fill, colours.edge);
                if (actual != expected) {
                    qWarning() << "fill" << Qt::hex << colours.fill << "edge" << colours.edge << "before"
                               << to_rows(original);
                    QCOMPARE(to_rows(actual), to_rows(expected));
                }
            }
        }
    }

    void outline_leaves_an_empty_image_alone()
    {
        QImage empty;
        outline_pass(empty, G, F, E);
        QVERIFY(empty.isNull());
        QImage none = make_buffer(0, 0, G);
        outline_pass(none, G, F, E);
        QVERIFY(none.isNull());
        replace_color(none, G, F);
        QVERIFY(none.isNull());
    }

    void outline_leaves_the_row_padding_alone()
    {
        // 3 pixels = 9 bytes of a 12-byte scanline.
        QImage image = make_buffer(3, 3, Figure);
        for (int y = 0; y < 3; ++y) std::memset(image.scanLine(y) + 9, 0x5A, 3);
        outline_pass(image, G, F, E);
        replace_color(image, F, G);
        for (int y = 0; y < 3; ++y) {
            const auto* padding = reinterpret_cast<const char*>(image.constScanLine(y)) + 9;
            QCOMPARE(QByteArray(padding, 3), QByteArray(3, 0x5A));
        }
        QCOMPARE(to_rows(image), QStringList({"EEE", "E.E", "EEE"}));
    }

    void replace_color_matches_exactly()
    {
        QImage image = make_buffer(5, 3, G);
        image.setPixelColor(0, 0, to_qcolor(F));
        image.setPixelColor(4, 2, to_qcolor(F));
        image.setPixelColor(1, 1, to_qcolor(F ^ 0x000001)); // red differs
        image.setPixelColor(2, 1, to_qcolor(F ^ 0x000100)); // green differs
        image.setPixelColor(3, 1, to_qcolor(F ^ 0x010000)); // blue differs
        replace_color(image, F, E);
        QCOMPARE(to_rows(image), QStringList({"E....", ".???.", "....E"}));
        QCOMPARE(pixel_color(image, 1, 1), F ^ 0x000001);
        QCOMPARE(pixel_color(image, 2, 1), F ^ 0x000100);
        QCOMPARE(pixel_color(image, 3, 1), F ^ 0x010000);

        // White and black silhouettes become background and object colour.
        QImage silhouette = make_buffer(4, 2, color_white);
        silhouette.setPixelColor(1, 0, Qt::black);
        silhouette.setPixelColor(2, 1, Qt::black);
        replace_color(silhouette, color_white, G);
        replace_color(silhouette, color_black, F);
        QCOMPARE(to_rows(silhouette), QStringList({".F..", "..F."}));
    }

    void replace_color_with_itself_changes_nothing()
    {
        QRandomGenerator random(7);
        const QImage original = random_bitmap(random, 13, 7, {G, F, E, Figure});
        QImage image = original;
        replace_color(image, F, F);
        QCOMPARE(image, original);
        replace_color(image, 0x345678, 0x876543); // a colour that is not there
        QCOMPARE(image, original);
    }
};

QTEST_GUILESS_MAIN(TestRaster)
#include "test_raster.moc"
