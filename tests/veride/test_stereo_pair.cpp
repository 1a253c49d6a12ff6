// The two views of a scene: a raised square moves toward the nose in each
// view, the ground it uncovers goes on with the ground's own pattern, and
// pairs and anaglyphs carry the views where they should.
#include "height_grid.h"
#include "small_settings.h"
#include "veride/stereo_pair.h"
#include <QTest>

namespace {

const std::uint8_t* pixel(const QImage& image, int x, int y)
{
    return image.constScanLine(y) + 3 * x;
}

bool same_pixel(const std::uint8_t* a, const std::uint8_t* b)
{
    return std::equal(a, a + 3, b);
}

} // namespace

class TestStereoPair : public QObject {
    Q_OBJECT
private slots:
    void a_raised_square_moves_toward_the_nose()
    {
        const int width = 300, height = 100;
        HeightGrid grid(width, height, 0);
        for (int y = 30; y < 70; ++y)
            for (int x = 120; x < 180; ++x) grid.row(y)[x] = 60;
        const StereoGeometry geometry(small_settings(width, height));
        // Many colours, so that a match of a few pixels is no accident.
        const Pattern pattern = Pattern::color_dots(5, 256);
        const StereoViews views = stereo_views(grid.map(), geometry, pattern);
        QCOMPARE(views.left.size(), QSize(width, height));

        // The ground lies in the picture's plane: alike in both views.
        for (int x = 0; x < width; ++x) QVERIFY(same_pixel(pixel(views.left, x, 10), pixel(views.right, x, 10)));
        // The square's texture shows in the left view further right than in the right one.
        const double disparity = geometry.separation_exact_px(0) - geometry.separation_exact_px(60);
        QVERIFY(disparity > 4);
        int best = -1, best_matches = 0;
        for (int shift = -20; shift <= 20; ++shift) {
            int matches = 0;
            for (int x = 135; x < 165; ++x) matches += same_pixel(pixel(views.left, x + shift, 50), pixel(views.right, x, 50));
            if (matches > best_matches) best = shift, best_matches = matches;
        }
        QCOMPARE(best_matches, 30);
        QVERIFY2(std::abs(best - disparity) <= 1, qPrintable(QString::number(best)));
        // The ground the square uncovers shows the ground's pattern there,
        // not the square's edge stretched.
        std::vector<std::uint8_t> texture(3 * width);
        pattern.fill(50, 0, 0, width, texture.data());
        for (int x = 120; x < 120 + int(disparity / 2); ++x) QVERIFY(same_pixel(pixel(views.left, x, 50), &texture[3 * x]));
        for (int x = 180 - int(disparity / 2); x < 180; ++x) QVERIFY(same_pixel(pixel(views.right, x, 50), &texture[3 * x]));

        const QImage pair = laid_out_views(views, PictureLayout::Pair);
        const QImage cross = laid_out_views(views, PictureLayout::CrossPair);
        const QImage anaglyph = laid_out_views(views, PictureLayout::Anaglyph);
        QCOMPARE(pair.size(), QSize(2 * width, height));
        QCOMPARE(pair.copy(0, 0, width, height), views.left);
        QCOMPARE(pair.copy(width, 0, width, height), views.right);
        QCOMPARE(cross.copy(0, 0, width, height), views.right);
        QCOMPARE(cross.copy(width, 0, width, height), views.left);
        QCOMPARE(anaglyph.size(), QSize(width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb a = anaglyph.pixel(x, y);
                QCOMPARE(qRed(a), qGray(views.left.pixel(x, y)));
                QCOMPARE(qGreen(a), qGray(views.right.pixel(x, y)));
                QCOMPARE(qBlue(a), qGray(views.right.pixel(x, y)));
            }
        QVERIFY(laid_out_views(views, PictureLayout::Stereogram).isNull());
    }
};

QTEST_GUILESS_MAIN(TestStereoPair)
#include "test_stereo_pair.moc"
