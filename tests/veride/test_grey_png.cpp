// The grey PNG reader must read exactly what Qt's reader reads, converted
// to 8-bit grey, and leave every file it does not fully understand to Qt.
#include "veride/grey_png.h"
#include <QBuffer>
#include <QColorSpace>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>
#include <zlib.h>

namespace {

QByteArray chunk(const char* type, const QByteArray& data)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), out.data());
    const QByteArray typed = QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))),
                          crc.data());
    return out + typed + crc;
}

// A PNG of the given zlib stream.
QByteArray png_of_stream(int width, int height, int depth, const QByteArray& stream, const QByteArray& extra = {},
                         int colour_type = 0)
{
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(width), header.data());
    qToBigEndian<quint32>(quint32(height), header.data() + 4);
    header[8] = char(depth);
    header[9] = char(colour_type);
    // The image data in two chunks, as encoders split it.
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + extra
        + chunk("IDAT", stream.left(stream.size() / 2)) + chunk("IDAT", stream.mid(stream.size() / 2))
        + chunk("IEND", {});
}

// A PNG of the given rows, each already with its filter byte.
QByteArray png(int width, int height, int depth, const QByteArray& rows, const QByteArray& extra = {},
               int colour_type = 0)
{
    return png_of_stream(width, height, depth, qCompress(rows).mid(4), extra, colour_type); // without Qt's length
}

// Random filtered rows: every filter, any bytes.
QByteArray random_rows(int width, int height, int depth, QRandomGenerator& random)
{
    QByteArray rows;
    for (int y = 0; y < height; ++y) {
        rows += char(y % 5);
        for (int i = 0; i < width * depth / 8; ++i) rows += char(random.bounded(256));
    }
    return rows;
}

QImage ours(const QByteArray& file)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return read_grey_png(buffer, qint64(1) << 30);
}

// The pixels only: the colour space Qt gives 16-bit images changes none of them.
QImage qts(const QByteArray& file)
{
    QImage image = QImage::fromData(file, "png").convertToFormat(QImage::Format_Grayscale8);
    image.setColorSpace(QColorSpace());
    return image;
}

} // namespace

class TestGreyPng : public QObject {
    Q_OBJECT
private slots:
    void reads_as_qt_reads()
    {
        QRandomGenerator random(11);
        for (const int depth : {8, 16}) {
            const QByteArray file = png(97, 23, depth, random_rows(97, 23, depth, random));
            QVERIFY(!ours(file).isNull());
            QCOMPARE(ours(file), qts(file));
        }
        // Every 16-bit value rounds to 8 bits as Qt rounds it.
        QImage every(256, 256, QImage::Format_Grayscale16);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) reinterpret_cast<quint16*>(every.scanLine(y))[x] = quint16(y * 256 + x);
        QByteArray written;
        QBuffer buffer(&written);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(every.save(&buffer, "png"));
        QCOMPARE(ours(written), qts(written));
        // A gamma chunk changes nothing.
        QByteArray gamma(4, '\0');
        qToBigEndian<quint32>(45455, gamma.data());
        const QByteArray with_gamma = png(40, 9, 8, random_rows(40, 9, 8, random), chunk("gAMA", gamma));
        QCOMPARE(ours(with_gamma), qts(with_gamma));
    }

    void leaves_the_rest_to_qt()
    {
        QRandomGenerator random(5);
        const QByteArray rows = random_rows(30, 8, 8, random);
        const QByteArray good = png(30, 8, 8, rows);
        QVERIFY(!ours(good).isNull());
        QByteArray damaged = good;
        damaged[damaged.size() - 30] = char(damaged[damaged.size() - 30] ^ 1);
        QByteArray bad_filter = rows;
        bad_filter[0] = 5;
        const QByteArray transparent = png(30, 8, 8, rows, chunk("tRNS", QByteArray(2, '\0')));
        QByteArray wide_window = qCompress(rows).mid(4);
        wide_window[0] = char(0x88); // a 64 KiB window, which zlib does not allow
        wide_window[1] = char(0x5A);
        const QByteArray files[] = {
            damaged,                                        // a checksum fails
            good.left(good.size() - 20),                    // cut short
            png(30, 8, 8, bad_filter),                      // no such filter
            png(30, 8, 8, rows.left(rows.size() - 1)),      // a byte of pixels short
            png(30, 8, 8, rows + '\0'),                     // a byte too many
            png(30, 8, 8, rows, chunk("a1b2", {})),         // a chunk type not of letters
            png(10, 8, 8, rows, {}, 2),                     // colour
            png(30, 8, 4, rows),                            // 4 bits per pixel
            transparent,
            png_of_stream(30, 8, 8, wide_window),
            QByteArray("GIF89a"),
        };
        for (const QByteArray& file : files) QVERIFY(ours(file).isNull());
        // Beyond the size it may take.
        QBuffer buffer;
        buffer.setData(good);
        buffer.open(QIODevice::ReadOnly);
        QVERIFY(read_grey_png(buffer, 30 * 8 - 1).isNull());
    }
};

QTEST_MAIN(TestGreyPng)
#include "test_grey_png.moc"
