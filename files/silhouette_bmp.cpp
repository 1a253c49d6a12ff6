#include "files/silhouette_bmp.h"
#include "core/object_size.h"
#include "core/raster.h"
#include "core/silhouette.h"
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr qint64 file_header_size = 14;
constexpr std::uint32_t bi_rgb = 0;
constexpr std::uint32_t bi_bitfields = 3;

std::uint32_t get_u32(const char* p)
{
    return qFromLittleEndian<std::uint32_t>(p);
}

std::int32_t get_i32(const char* p)
{
    return qFromLittleEndian<std::int32_t>(p);
}

std::uint16_t get_u16(const char* p)
{
    return qFromLittleEndian<std::uint16_t>(p);
}

bool is_bit_count(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

QByteArray silhouette_bmp(const QImage& buffer, StoredColor background)
{
    const QImage mask = silhouette_mask(buffer, background);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    mask.save(&out, "BMP");
    return bytes;
}

std::optional<qint64> bmp_length(QByteArrayView bytes)
{
    const qint64 available = bytes.size();
    const char* p = bytes.data();
    if (available < file_header_size + 4 || p[0] != 'B' || p[1] != 'M') return std::nullopt;
    const qint64 info_size = get_u32(p + file_header_size);
    const bool core = info_size == 12;
    if (!core && info_size < 40) return std::nullopt;
    if (info_size > available - file_header_size) return std::nullopt;
    const char* info = p + file_header_size;

    qint64 width = 0, height = 0, entries = 0, image_size = 0;
    int bits = 0;
    std::uint32_t compression = bi_rgb;
    if (core) {
        width = get_u16(info + 4);
        height = get_u16(info + 6);
        bits = get_u16(info + 10);
    } else {
        width = get_i32(info + 4);
        height = get_i32(info + 8);
        bits = get_u16(info + 14);
        compression = get_u32(info + 16);
        image_size = get_u32(info + 20);
        entries = get_u32(info + 32);
    }
    // Rows may run top-down (negative height); the count is the same.
    if (height < 0) height = -height;
    if (width < 0 || !is_bit_count(bits)) return std::nullopt;
    if (compression != bi_rgb && !(compression == bi_bitfields && (bits == 16 || bits == 32))) return std::nullopt;

    qint64 length = file_header_size + info_size;
    // Headers of 52 bytes and more carry the masks themselves.
    if (compression == bi_bitfields && info_size < 52) length += 12;
    if (entries == 0 && bits <= 8) entries = qint64(1) << bits;
    if (entries > available) return std::nullopt;
    length += entries * (core ? 3 : 4);
    // The pixels start after the colour table, or further on where the file
    // header says so, and must hold every row the image claims: rows missing
    // would be decoded from whatever memory held before.
    const qint64 pixels_at = std::max<qint64>(length, get_u32(p + 10));
    const qint64 row = (width * bits + 31) / 32 * 4;
    if (row > 0 && height > available / row) return std::nullopt;
    const qint64 rows_bytes = row * height;
    if (image_size == 0) image_size = rows_bytes;
    if (image_size < rows_bytes) return std::nullopt;
    length += image_size;
    if (pixels_at + rows_bytes > length || length > available) return std::nullopt;
    return length;
}

QImage decode_bmp(QByteArrayView image)
{
    QByteArray bytes = QByteArray::fromRawData(image.data(), image.size());
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    QImageReader reader(&in, "BMP");
    // Any silhouette an object may have is read, at whatever depth Qt
    // decodes it to; anything larger is not a silhouette.
    const QSize size = reader.size();
    if (!size.isValid() || !is_usable_object_size(size.width(), size.height())) return QImage();
    reader.setAllocationLimit(object_image_allocation_mb);
    return reader.read();
}

QImage buffer_from_stored_silhouette(const QImage& silhouette, int width, int height, StoredColor background,
                                     StoredColor object_color)
{
    if (silhouette.width() == width && silhouette.height() == height)
        return buffer_from_silhouette(silhouette, background, object_color);
    QImage placed(width, height, QImage::Format_RGB888);
    require_pixels(placed);
    placed.fill(Qt::white);
    {
        QPainter painter(&placed);
        painter.drawImage(0, 0, silhouette);
    }
    return buffer_from_silhouette(placed, background, object_color);
}
