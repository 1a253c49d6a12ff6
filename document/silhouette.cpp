#include "document/silhouette.h"
#include "document/raster.h"
#include <cstdint>
#include <cstring>

QImage silhouette_mask(const QImage& buffer, TColor background)
{
    QImage source = buffer.format() == QImage::Format_RGB888 ? buffer : buffer.convertToFormat(QImage::Format_RGB888);
    const int w = source.width();
    const int h = source.height();
    QImage mask(w, h, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    if (mask.isNull()) return mask;
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

QImage buffer_from_silhouette(const QImage& silhouette, TColor background, TColor object_color)
{
    QImage buffer = silhouette.convertToFormat(QImage::Format_RGB888);
    const std::uint8_t bg[3] = {std::uint8_t(red_of(background)), std::uint8_t(green_of(background)),
                                std::uint8_t(blue_of(background))};
    const std::uint8_t fill[3] = {std::uint8_t(red_of(object_color)), std::uint8_t(green_of(object_color)),
                                  std::uint8_t(blue_of(object_color))};
    // Each pixel is mapped once, so a black background or a white object
    // colour cannot be mistaken for the silhouette's own black and white.
    for (int y = 0; y < buffer.height(); ++y) {
        std::uint8_t* p = buffer.scanLine(y);
        for (int x = 0; x < buffer.width(); ++x, p += 3) {
            if (p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF)
                std::memcpy(p, bg, 3);
            else if (p[0] == 0 && p[1] == 0 && p[2] == 0)
                std::memcpy(p, fill, 3);
        }
    }
    outline_pass(buffer, background, object_color, clBlack);
    return buffer;
}
