#include "veride/png_writer.h"
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <isa-l/igzip_lib.h>
#include <thread>
#include <vector>
#include <zlib.h>
#include <QCoreApplication>

namespace {

// ISA-L's level 2 makes files as small as zlib's level 1 six times faster.
constexpr int deflate_level = 2;
constexpr std::size_t deflate_level_buffer = ISAL_DEF_LVL2_DEFAULT;

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

// Bytes per pixel as stored: grey images keep their one channel.
int channels(const QImage& image)
{
    return image.format() == QImage::Format_Grayscale8 ? 1 : 3;
}

void deflate_band(const QImage& image, Band& band, bool last)
{
    const std::size_t row_bytes = 1 + std::size_t(channels(image)) * std::size_t(image.width());
    std::vector<unsigned char> raw(row_bytes * std::size_t(band.rows));
    for (int r = 0; r < band.rows; ++r) {
        unsigned char* out = raw.data() + row_bytes * std::size_t(r);
        out[0] = 0; // no filter
        std::memcpy(out + 1, image.constScanLine(band.first_row + r), row_bytes - 1);
    }
    band.raw_length = uLong(raw.size());
    band.adler = isal_adler32(1, raw.data(), raw.size());

    std::vector<unsigned char> level_buffer(deflate_level_buffer);
    isal_zstream stream;
    isal_deflate_init(&stream);
    stream.level = deflate_level;
    stream.level_buf = level_buffer.data();
    stream.level_buf_size = std::uint32_t(level_buffer.size());
    stream.gzip_flag = IGZIP_DEFLATE;
    band.deflated.resize(raw.size() / 2 + 1024);
    stream.next_in = raw.data();
    stream.avail_in = std::uint32_t(raw.size());
    stream.end_of_stream = last;
    stream.flush = last ? NO_FLUSH : SYNC_FLUSH;
    // Pictures that hardly compress need more room than the first guess.
    for (;;) {
        stream.next_out = band.deflated.data() + stream.total_out;
        stream.avail_out = std::uint32_t(band.deflated.size() - stream.total_out);
        if (isal_deflate(&stream) != COMP_OK) return;
        if (stream.avail_out > 0) break;
        band.deflated.resize(band.deflated.size() * 2);
    }
    band.ok = stream.avail_in == 0 && (!last || stream.internal_state.state == ZSTATE_END);
    band.deflated.resize(stream.total_out);
}

QByteArray chunk_start(const char* type, std::size_t length)
{
    QByteArray out(8, '\0');
    qToBigEndian<quint32>(quint32(length), out.data());
    std::memcpy(out.data() + 4, type, 4);
    return out;
}

QByteArray big_endian(quint32 value)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(value, out.data());
    return out;
}

QByteArray chunk(const char* type, const QByteArray& data)
{
    const QByteArray start = chunk_start(type, std::size_t(data.size()));
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(start.constData()) + 4, 4);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size()));
    return start + data + big_endian(quint32(crc));
}

} // namespace

QString encode_png_fast(const QImage& source, QByteArray& png, int threads)
{
    const bool grey = source.format() == QImage::Format_Grayscale8;
    const QImage image =
        grey || source.format() == QImage::Format_RGB888 ? source : source.convertToFormat(QImage::Format_RGB888);
    if (image.isNull()) return QCoreApplication::translate("Renderer", "there is no picture to write");
    // A band's bytes must fit the compressor's 32-bit lengths comfortably.
    const std::size_t row_bytes = 1 + std::size_t(channels(image)) * std::size_t(image.width());
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

    // The zlib stream: its header, the bands, the checksum of all rows.
    const QByteArray stream_header("\x78\x01", 2); // deflate, 32 KB window
    std::size_t idat_length = stream_header.size() + 4;
    uLong adler = 1;
    for (const Band& band : parts) {
        if (!band.ok) return QCoreApplication::translate("Renderer", "the picture could not be compressed");
        idat_length += band.deflated.size();
        adler = adler32_combine(adler, band.adler, z_off_t(band.raw_length));
    }
    if (idat_length > 0x7FFFFFFF) return QCoreApplication::translate("Renderer", "the picture is too large for one PNG file");
    const QByteArray trailer = big_endian(quint32(adler));

    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(image.width()), header.data());
    qToBigEndian<quint32>(quint32(image.height()), header.data() + 4);
    header[8] = 8; // bits per channel
    header[9] = grey ? 0 : 2; // grey or RGB

    // One copy of the bands into the file's bytes, each band freed once copied.
    const QByteArray idat_start = chunk_start("IDAT", idat_length);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(idat_start.constData()) + 4, 4);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(stream_header.constData()), 2);
    for (const Band& band : parts) crc = crc32_z(crc, band.deflated.data(), band.deflated.size());
    crc = crc32(crc, reinterpret_cast<const Bytef*>(trailer.constData()), 4);

    const QByteArray before = QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + idat_start + stream_header;
    const QByteArray after = trailer + big_endian(quint32(crc)) + chunk("IEND", QByteArray());
    png.resize(before.size() + qsizetype(idat_length) - stream_header.size() - 4 + after.size());
    char* out = png.data();
    const auto put = [&out](const void* data, std::size_t size) {
        std::memcpy(out, data, size);
        out += size;
    };
    put(before.constData(), std::size_t(before.size()));
    for (Band& band : parts) {
        put(band.deflated.data(), band.deflated.size());
        std::vector<unsigned char>().swap(band.deflated);
    }
    put(after.constData(), std::size_t(after.size()));
    return QString();
}
