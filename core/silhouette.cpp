#include "core/silhouette.h"
#include "core/raster.h"
#include <cstdint>
#include <cstring>

QImage silhouette_mask(const QImage& buffer, StoredColor background)
{
    QImage source = buffer.format() == QImage::Format_RGB888 ? buffer : buffer.convertToFormat(QImage::Format_RGB888);
    const int w = source.width();
    const int h = source.height();
    QImage mask(w, h, QImage::Format_Mono);
    if (w > 0 && h > 0) require_pixels(mask);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    // Padding bits zeroed, so that saved masks are the same run to run.
    std::memset(mask.bits(), 0, static_cast<size_t>(mask.sizeInBytes()));
    const std::uint8_t r = red_of(background), g = green_of(background), b = blue_of(background);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* p = source.constScanLine(y);
        std::uint8_t* out = mask.scanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            if (p[0] == r && p[1] == g && p[2] == b) out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    }
    return mask;
}

namespace {

struct Rgb3 {
    std::uint8_t c[3];
};

Rgb3 rgb3(StoredColor colour)
{
    return {{std::uint8_t(red_of(colour)), std::uint8_t(green_of(colour)), std::uint8_t(blue_of(colour))}};
}

// The colour a silhouette pixel of colour `pixel` becomes: each pixel is
// mapped once, so a black background or a white object colour cannot be
// mistaken for the silhouette's own black and white.
Rgb3 rebuilt_colour(QRgb pixel, const Rgb3& background, const Rgb3& fill)
{
    const QRgb rgb = pixel & 0xFFFFFF;
    if (rgb == 0xFFFFFF) return background;
    if (rgb == 0) return fill;
    return {{std::uint8_t(qRed(pixel)), std::uint8_t(qGreen(pixel)), std::uint8_t(qBlue(pixel))}};
}

// One-bit images, as silhouettes are stored, are expanded straight from
// their bits through their two-colour table.
QImage expand_one_bit(const QImage& silhouette, const Rgb3& background, const Rgb3& fill)
{
    const QList<QRgb> table = silhouette.colorTable();
    const Rgb3 colours[2] = {rebuilt_colour(table.value(0, qRgb(0, 0, 0)), background, fill),
                             rebuilt_colour(table.value(1, qRgb(255, 255, 255)), background, fill)};
    const bool lsb_first = silhouette.format() == QImage::Format_MonoLSB;
    // Eight pixels at a time: each possible byte of bits has its 24 output bytes.
    std::uint8_t expanded[256][24];
    for (int byte = 0; byte < 256; ++byte)
        for (int i = 0; i < 8; ++i) {
            const int bit = lsb_first ? (byte >> i) & 1 : (byte >> (7 - i)) & 1;
            std::memcpy(expanded[byte] + 3 * i, colours[bit].c, 3);
        }
    QImage buffer(silhouette.size(), QImage::Format_RGB888);
    require_pixels(buffer);
    const int w = silhouette.width();
    const int whole_bytes = w / 8;
    for (int y = 0; y < silhouette.height(); ++y) {
        const std::uint8_t* bits = silhouette.constScanLine(y);
        std::uint8_t* out = buffer.scanLine(y);
        for (int b = 0; b < whole_bytes; ++b, out += 24) std::memcpy(out, expanded[bits[b]], 24);
        for (int x = 8 * whole_bytes; x < w; ++x, out += 3) std::memcpy(out, expanded[bits[x >> 3]] + 3 * (x & 7), 3);
    }
    return buffer;
}

} // namespace

QImage buffer_from_silhouette(const QImage& silhouette, StoredColor background, StoredColor object_color)
{
    if (silhouette.isNull()) return QImage();
    const Rgb3 bg = rgb3(background);
    const Rgb3 fill = rgb3(object_color);
    QImage buffer;
    if (silhouette.format() == QImage::Format_Mono || silhouette.format() == QImage::Format_MonoLSB) {
        buffer = expand_one_bit(silhouette, bg, fill);
    } else {
        buffer = silhouette.convertToFormat(QImage::Format_RGB888);
        require_pixels(buffer);
        for (int y = 0; y < buffer.height(); ++y) {
            std::uint8_t* p = buffer.scanLine(y);
            for (int x = 0; x < buffer.width(); ++x, p += 3)
                std::memcpy(p, rebuilt_colour(qRgb(p[0], p[1], p[2]), bg, fill).c, 3);
        }
    }
    outline_pass(buffer, background, object_color, color_black);
    return buffer;
}
