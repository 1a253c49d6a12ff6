// The fast PNG writer: what it encodes reads back pixel for pixel with Qt's
// reader, whatever the number of bands and the picture's format; grey stays
// grey.
#include "veride/export.h"
#include "veride/png_writer.h"
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage decoded(const QImage& image, int threads = 0)
{
    QByteArray png;
    if (!encode_png_fast(image, png, threads).isEmpty()) return QImage();
    return QImage::fromData(png, "png");
}

} // namespace

class TestPngWriter : public QObject {
    Q_OBJECT
private slots:
    void pictures_read_back_exactly()
    {
        QImage noise(301, 97, QImage::Format_RGB888);
        QRandomGenerator random(7);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width() * 3; ++x) noise.scanLine(y)[x] = uchar(random.bounded(256));
        for (const int threads : {1, 2, 5, 97})
            QCOMPARE(decoded(noise, threads).convertToFormat(QImage::Format_RGB888), noise);
        const QImage mono = noise.convertToFormat(QImage::Format_Mono);
        QCOMPARE(decoded(mono).convertToFormat(QImage::Format_RGB888), mono.convertToFormat(QImage::Format_RGB888));
        const QImage grey = noise.convertToFormat(QImage::Format_Grayscale8);
        QCOMPARE(decoded(grey, 3).format(), QImage::Format_Grayscale8);
        QCOMPARE(decoded(grey, 3), grey);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("noise.png"));
        QCOMPARE(write_picture_file(noise, path, "png"), QString());
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB888), noise);
        QVERIFY(!write_picture_file(noise, dir.filePath(QStringLiteral("no/such/folder.png")), "png").isEmpty());
    }
};

QTEST_MAIN(TestPngWriter)
#include "test_png_writer.moc"
