#include "document/raster.h"
#include <QTest>

namespace {
constexpr TColor G = 0x800000; // background
constexpr TColor F = 0x00FFFF; // fill
constexpr TColor E = 0x000000; // edge

// Builds an image from rows of characters: '.' background, anything else a
// figure pixel of some third colour.
QImage from_rows(const QStringList& rows)
{
    QImage image = make_buffer(rows[0].size(), rows.size(), G);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] != QLatin1Char('.')) image.setPixelColor(x, y, to_qcolor(0x123456));
    return image;
}

// '.' background, 'E' edge, 'F' fill, '?' anything else.
QStringList to_rows(const QImage& image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const TColor c = pixel_color(image, x, y);
            row += c == G ? QLatin1Char('.') : c == E ? QLatin1Char('E') : c == F ? QLatin1Char('F') : QLatin1Char('?');
        }
        rows << row;
    }
    return rows;
}
} // namespace

class TestRaster : public QObject {
    Q_OBJECT
private slots:
    void outline_gives_an_edge_and_a_body()
    {
        QImage image = from_rows({".......", ".#####.", ".#####.", ".#####.", "......."});
        outline_pass(image, G, F, E);
        QCOMPARE(to_rows(image), QStringList({".......", ".EEEEE.", ".EFFFE.", ".EEEEE.", "......."}));
    }
};

QTEST_GUILESS_MAIN(TestRaster)
#include "test_raster.moc"
