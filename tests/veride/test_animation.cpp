// Animated GIF and WebP: frames come back whole and in order, loop forever
// and keep their time; a GIF stays small by one palette and changed
// rectangles, and dithers pictures of many colours in place.
#include "animation_reader.h"
#include "veride/animation.h"
#include "veride/gif_animation.h"
#include <QTest>
#include <random>

namespace {

// Black and white dots, with a box of fresh dots at (x, y) when `box` is set.
QImage dots(int width, int height, unsigned seed, const QImage* under = nullptr, QRect box = {})
{
    std::mt19937 random(seed);
    QImage image = under ? under->copy() : QImage(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!under || box.contains(x, y)) image.setPixel(x, y, random() & 1 ? 0xFFFFFFFFu : 0xFF000000u);
    return image;
}

QByteArray encoded(const QByteArray& format, int frame_ms, const std::vector<QImage>& frames)
{
    const auto encoder = animation_encoder(format, frame_ms);
    for (const QImage& frame : frames)
        if (!encoder->add(frame).isEmpty()) return {};
    QByteArray bytes;
    return encoder->finish(bytes).isEmpty() ? bytes : QByteArray();
}

} // namespace

class TestAnimation : public QObject {
    Q_OBJECT
private slots:
    void frames_come_back_in_order_and_loop()
    {
        const QImage first = dots(300, 200, 1);
        const QImage second = dots(300, 200, 2, &first, QRect(100, 50, 40, 30));
        const QImage fourth = dots(300, 200, 3, &second, QRect(10, 150, 200, 20));
        // The third frame repeats the second: it still shows for its time
        // (WebP's encoder makes the second frame last twice as long).
        const std::vector<QImage> frames = {first, second, second, fourth};
        for (const QByteArray& format : {QByteArray("gif"), QByteArray("webp")}) {
            const QByteArray bytes = encoded(format, 125, frames);
            const ReadAnimation read = format == "gif" ? read_gif(bytes) : read_webp(bytes);
            QVERIFY2(read.ok, format);
            QVERIFY(read.loops_forever);
            // A GIF keeps hundredths of a second, rounded to the nearest.
            const int tick = format == "gif" ? 13 : 125;
            std::vector<QImage> shown;
            for (std::size_t i = 0; i < read.frames.size(); ++i) {
                QCOMPARE(read.delays[i] % tick, 0);
                shown.insert(shown.end(), std::size_t(read.delays[i] / tick), read.frames[i]);
            }
            QCOMPARE(shown.size(), frames.size());
            for (std::size_t i = 0; i < frames.size(); ++i) QCOMPARE(shown[i], frames[i]);
        }
        // Frames after the first hold only what changed.
        QVERIFY(encoded("gif", 100, frames).size() < encoded("gif", 100, {first}).size() * 13 / 10);
        QCOMPARE(animation_format("a/b.GIF"), QByteArray("gif"));
        QCOMPARE(animation_format("b.webp"), QByteArray("webp"));
        QCOMPARE(animation_format("b.png"), QByteArray());
    }

    void many_colours_share_a_dithered_palette()
    {
        // More colours than a palette holds, and a grey ramp below them.
        QImage first(256, 64, QImage::Format_RGB888);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 256; ++x)
                first.setPixelColor(x, y, y < 32 ? QColor(x, (x * 7 + y * 5) & 255, 255 - x) : QColor(x, x, x));
        QImage second = first.copy();
        for (int y = 10; y < 20; ++y)
            for (int x = 100; x < 150; ++x) second.setPixelColor(x, y, QColor(0, 128, 255));
        const ReadAnimation read = read_gif(encoded("gif", 100, {first, second}));
        QVERIFY(read.ok);
        QCOMPARE(read.frames.size(), std::size_t(2));
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 256; ++x) {
                const QColor was = first.pixelColor(x, y), got = read.frames[0].pixelColor(x, y);
                // Within a step of the cube, or of the greys for a grey.
                const int step = y < 32 ? 51 : 7;
                QVERIFY(std::abs(was.red() - got.red()) <= step && std::abs(was.green() - got.green()) <= step &&
                        std::abs(was.blue() - got.blue()) <= step);
                if (y >= 32) QCOMPARE(got.red(), got.blue());
                // The dither depends on the place alone: what did not move stays.
                const bool moved = y >= 10 && y < 20 && x >= 100 && x < 150;
                if (!moved) QCOMPARE(read.frames[1].pixelColor(x, y), got);
            }
        QCOMPARE(dithered_index(0, 0, 0, 3, 5), std::uint8_t(0));
        QCOMPARE(dithered_index(255, 255, 255, 3, 5), std::uint8_t(215));
    }
};

QTEST_GUILESS_MAIN(TestAnimation)
#include "test_animation.moc"
