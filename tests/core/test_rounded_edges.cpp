#include "core/distance_transform.h"
#include "core/rounded_edges.h"
#include <QTest>
#include <cmath>
#include <random>

namespace {

// A silhouette of a disc of `radius` around the middle pixel of a square
// one pixel wider than the disc on each side.
QImage disc(int radius)
{
    const int side = 2 * radius + 3;
    const int middle = side / 2;
    QImage silhouette(side, side, QImage::Format_Mono);
    silhouette.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    silhouette.fill(1);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if ((x - middle) * (x - middle) + (y - middle) * (y - middle) <= radius * radius)
                silhouette.setPixel(x, y, 0);
    return silhouette;
}

} // namespace

class TestRoundedEdges : public QObject {
    Q_OBJECT
private slots:
    void distances_match_the_nearest_outside_pixel_found_by_search()
    {
        const int width = 23;
        const int height = 17;
        std::mt19937 random(7);
        std::vector<std::uint8_t> inside(width * height);
        for (auto& pixel : inside) pixel = random() % 5 != 0; // mostly inside, so distances grow
        const std::vector<float> distance = distances_to_outside(inside, width, height);
        QCOMPARE(distance.size(), inside.size());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                // Every pixel of a frame one pixel beyond the mask is outside.
                double nearest = 1e9;
                for (int v = -1; v <= height; ++v)
                    for (int u = -1; u <= width; ++u) {
                        const bool beyond = u < 0 || v < 0 || u >= width || v >= height;
                        if (beyond || !inside[v * width + u])
                            nearest = std::min(nearest, std::hypot(double(u - x), double(v - y)));
                    }
                if (!inside[y * width + x]) nearest = 0;
                QVERIFY2(std::abs(distance[y * width + x] - nearest) < 1e-4,
                         qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
            }
        }
        // A mask smaller than its stated size is not read.
        QVERIFY(distances_to_outside(inside, width, height + 1).empty());
    }

    void a_disc_rises_across_the_band_and_a_dome_to_its_middle()
    {
        const int radius = 20;
        const int band = 6;
        const QImage silhouette = disc(radius);
        const int side = silhouette.width();
        const int middle = side / 2;
        for (EdgeProfile profile : {EdgeProfile::Round, EdgeProfile::Bevel}) {
            const std::vector<float> levels = rounded_levels(silhouette, band, profile);
            QCOMPARE(levels.size(), std::size_t(side * side));
            QVERIFY(std::isnan(levels[0]));
            // From the rim inwards along the middle row: rising for a band's
            // width, then at the top (the pixel circle is a little nearer to
            // some pixels than its radius says, hence one pixel of slack).
            const float* row = levels.data() + middle * side;
            const int rim = middle - radius;
            QVERIFY(std::isnan(row[rim - 1]));
            QVERIFY(row[rim] > 0);
            for (int x = rim + 1; x < rim + band; ++x) QVERIFY2(row[x] > row[x - 1], qPrintable(QString::number(x)));
            QVERIFY(row[rim + band - 2] < 1);
            for (int x = rim + band; x <= middle; ++x) QCOMPARE(row[x], 1.0f);
        }
        QCOMPARE(profile_level(EdgeProfile::Bevel, 0.25), 0.25f);
        QVERIFY(profile_level(EdgeProfile::Round, 0.25) > 0.25f); // a quarter circle is steep at the rim

        const std::vector<float> dome = rounded_levels(silhouette, band, EdgeProfile::Dome);
        const float* row = dome.data() + middle * side;
        for (int x = middle - radius + 1; x <= middle; ++x) QVERIFY(row[x] > row[x - 1]);
        QCOMPARE(row[middle], 1.0f);
        QVERIFY(row[middle - band] < 1);
    }
};

QTEST_APPLESS_MAIN(TestRoundedEdges)
#include "test_rounded_edges.moc"
