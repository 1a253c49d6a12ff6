// The fast PNG writer: what it writes reads back pixel for pixel with Qt's
// reader, whatever the number of bands and the picture's format.
#include "veride/png_writer.h"
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class TestPngWriter : public QObject {
    Q_OBJECT
private slots:
    void pictures_read_back_exactly()
    {
        QTemporaryDir dir;
        QImage noise(301, 97, QImage::Format_RGB888);
        QRandomGenerator random(7);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width() * 3; ++x) noise.scanLine(y)[x] = uchar(random.bounded(256));
        for (const int threads : {1, 2, 5, 97}) {
            const QString path = dir.filePath(QStringLiteral("noise%1.png").arg(threads));
            QCOMPARE(write_png_fast(noise, path, threads), QString());
            QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB888), noise);
        }
        const QImage mono = noise.convertToFormat(QImage::Format_Mono);
        const QString path = dir.filePath(QStringLiteral("mono.png"));
        QCOMPARE(write_png_fast(mono, path), QString());
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB888), mono.convertToFormat(QImage::Format_RGB888));
        QVERIFY(!write_png_fast(noise, dir.filePath(QStringLiteral("no/such/folder.png"))).isEmpty());
    }
};

QTEST_MAIN(TestPngWriter)
#include "test_png_writer.moc"
