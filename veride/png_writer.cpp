#include "veride/png_writer.h"
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>
#include <zlib.h>

namespace {

// One band of rows deflated on its own. Every band but the last ends with a
// sync flush, on a byte boundary, so the bands concatenate into one stream.
struct Band {
    int first_row = 0;
    int rows = 0;
    std::vector<unsigned char> deflated;
    uLong adler = 1;
    uLong raw_length = 0;
    bool ok = false;
};

void deflate_band(const QImage& image, Band& band, bool last)
{
    const int width = image.width();
    const std::size_t row_bytes = 1 + 3 * std::size_t(width);
    std::vector<unsigned char> raw(row_bytes * std::size_t(band.rows));
    for (int r = 0; r < band.rows; ++r) {
        unsigned char* out = raw.data() + row_bytes * std::size_t(r);
        out[0] = 0; // no filter
        std::memcpy(out + 1, image.constScanLine(band.first_row + r), row_bytes - 1);
    }
    band.raw_length = uLong(raw.size());
    band.adler = adler32(1, raw.data(), uInt(raw.size()));

    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return;
    band.deflated.resize(deflateBound(&stream, uLong(raw.size())) + 16);
    stream.next_in = raw.data();
    stream.avail_in = uInt(raw.size());
    stream.next_out = band.deflated.data();
    stream.avail_out = uInt(band.deflated.size());
    const int result = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    band.ok = last ? result == Z_STREAM_END : (result == Z_OK && stream.avail_in == 0);
    band.deflated.resize(band.deflated.size() - stream.avail_out);
    deflateEnd(&stream);
}

QByteArray chunk(const char* type, const QByteArray& data)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), out.data());
    const QByteArray typed = QByteArray(type, 4) + data;
    out += typed;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))),
                          crc.data());
    return out + crc;
}

} // namespace

QString write_png_fast(const QImage& source, const QString& path, int threads)
{
    const QImage image = source.format() == QImage::Format_RGB888 ? source : source.convertToFormat(QImage::Format_RGB888);
    if (image.isNull()) return QStringLiteral("there is no picture to write");
    // Rows of one band must fit zlib's 32-bit lengths comfortably.
    const std::size_t row_bytes = 1 + 3 * std::size_t(image.width());
    const int most_rows_per_band = int(std::max<std::size_t>(1, (std::size_t(1) << 28) / row_bytes));
    int bands = threads > 0 ? threads : int(std::max(1u, std::thread::hardware_concurrency()));
    bands = std::max(bands, (image.height() + most_rows_per_band - 1) / most_rows_per_band);
    bands = std::clamp(bands, 1, image.height());

    std::vector<Band> parts(static_cast<std::size_t>(bands));
    for (int i = 0; i < bands; ++i) {
        parts[i].first_row = int(std::int64_t(image.height()) * i / bands);
        parts[i].rows = int(std::int64_t(image.height()) * (i + 1) / bands) - parts[i].first_row;
    }
    {
        std::vector<std::thread> workers;
        for (int i = 1; i < bands; ++i)
            workers.emplace_back([&, i] { deflate_band(image, parts[i], i == bands - 1); });
        deflate_band(image, parts[0], bands == 1);
        for (std::thread& worker : workers) worker.join();
    }

    QByteArray idat("\x78\x01", 2); // deflate, 32 KB window, fastest
    uLong adler = 1;
    for (const Band& band : parts) {
        if (!band.ok) return QStringLiteral("the picture could not be compressed");
        idat.append(reinterpret_cast<const char*>(band.deflated.data()), qsizetype(band.deflated.size()));
        adler = adler32_combine(adler, band.adler, z_off_t(band.raw_length));
    }
    QByteArray trailer(4, '\0');
    qToBigEndian<quint32>(quint32(adler), trailer.data());
    idat += trailer;

    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(image.width()), header.data());
    qToBigEndian<quint32>(quint32(image.height()), header.data() + 4);
    header[8] = 8; // bits per channel
    header[9] = 2; // RGB

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", idat)
        + chunk("IEND", QByteArray());
    if (file.write(png) != png.size() || !file.flush()) return file.errorString();
    return QString();
}
