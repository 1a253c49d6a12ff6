#include "core/raster.h"
#include "core/silhouette.h"
#include <QTest>

namespace {
constexpr StoredColor G = 0x800000;
constexpr StoredColor F = 0x00FFFF;

// An 11 x 3 figure: widths that are no multiple of eight reach the row ends.
QImage figure()
{
    QImage image = make_buffer(11, 3, G);
    for (int x = 2; x < 11; ++x)
        for (int y = 0; y < 3; ++y) image.setPixelColor(x, y, to_qcolor(0x123456));
    return image;
}
} // namespace

class TestSilhouette : public QObject {
    Q_OBJECT
private slots:
    void a_mask_rebuilds_the_same_pixels_whatever_its_bit_order_or_palette()
    {
        QImage original = figure();
        outline_pass(original, G, F, color_black);
        const QImage mask = silhouette_mask(original, G);
        QCOMPARE(mask.format(), QImage::Format_Mono);
        QCOMPARE(buffer_from_silhouette(mask, G, F), original);

        QImage lsb = mask.convertToFormat(QImage::Format_MonoLSB);
        QCOMPARE(buffer_from_silhouette(lsb, G, F), original);

        // The same picture with the palette the other way round.
        QImage swapped = mask;
        swapped.invertPixels();
        swapped.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        QCOMPARE(buffer_from_silhouette(swapped, G, F), original);

        // A full-colour picture is read by its colours too.
        QCOMPARE(buffer_from_silhouette(mask.convertToFormat(QImage::Format_RGB32), G, F), original);
    }
};

QTEST_GUILESS_MAIN(TestSilhouette)
#include "test_silhouette.moc"
